#include "component/render/Utilities.h"

#include "platform/com/Error.h"
#include "platform/host/printer/Printer.h"

#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace docuvel {
namespace fs = std::filesystem;

namespace {

fs::path temporaryFolder() {
    std::error_code ec;
    if (const char* dir = std::getenv("TMPDIR"); dir && *dir && fs::is_directory(dir, ec))
        return fs::absolute(dir, ec);
    return "/tmp";
}

} // namespace

std::string MakeTempFileName() {
    std::string path =
        (temporaryFolder() / (std::string(kTempPrefix) + "XXXXXX" + kTempEnding)).string();
    // mkstemps creates the file with O_EXCL and mode 0600.
    const int fd = mkstemps(path.data(), int(std::char_traits<char>::length(kTempEnding)));
    if (fd < 0)
        throw std::system_error(errno, std::generic_category(), "cannot create a temporary file");
    ::close(fd);
    return path;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(fs::path(path), ec) && !ec;
}

std::optional<host::PaperCode> paperForPage(float width, float height) {
    for (const PagePaper& p : kPagePapers)
        if ((p.width == width && p.height == height) || (p.width == height && p.height == width))
            return p.code;
    return std::nullopt;
}

void SelectPrinterPaper(float width, float height) {
    const auto code = paperForPage(width, height);
    if (!code)
        return;
    try {
        host::printer().setPaperSize(int(*code));
    } catch (const com::Error&) {
        // A printer without that paper keeps its own.
    }
}

} // namespace docuvel
