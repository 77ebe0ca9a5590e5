#include "platform/com/Registry.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace com {
namespace fs = std::filesystem;

namespace {

const char* kEntryEnding = ".class";

fs::path entryPath(std::string_view className) {
    if (!isValidClassName(className))
        throw std::invalid_argument("invalid class name: " + std::string(className));
    return registryDirectory() / (std::string(className) + kEntryEnding);
}

std::string uniqueSuffix() {
    std::random_device rd;
    return std::to_string(rd()) + std::to_string(rd());
}

} // namespace

fs::path registryDirectory() {
    if (const char* dir = std::getenv(kRegistryVariable); dir && *dir)
        return fs::path(dir);
    if (const char* config = std::getenv("XDG_CONFIG_HOME");
        config && fs::path(config).is_absolute())
        return fs::path(config) / "ampleton" / "classes";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : ".") / ".config" / "ampleton" / "classes";
}

bool isValidClassName(std::string_view name) {
    if (name.empty() || name.size() > 200 || name.front() == '.')
        return false;
    for (unsigned char c : name)
        if (!(std::isalnum(c) || c == '.' || c == '_' || c == '-'))
            return false;
    return true;
}

void registerClass(std::string_view className, const fs::path& library) {
    const fs::path entry = entryPath(className);
    fs::create_directories(entry.parent_path());
    // Written beside the entry and renamed over it: readers see the old entry or the new one.
    const fs::path temp = entry.parent_path() / ("." + entry.filename().string() + uniqueSuffix());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << fs::absolute(library).lexically_normal().string() << '\n';
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temp, ignored);
            throw fs::filesystem_error("cannot write class registration", temp,
                                       std::make_error_code(std::errc::io_error));
        }
    }
    std::error_code ec;
    fs::rename(temp, entry, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw fs::filesystem_error("cannot write class registration", entry, ec);
    }
}

void unregisterClass(std::string_view className, const fs::path& library) {
    const auto current = registeredLibrary(className);
    if (!current)
        return;
    std::error_code ec;
    if (*current != fs::absolute(library).lexically_normal() &&
        !fs::equivalent(*current, library, ec))
        return;
    fs::remove(entryPath(className));
}

std::optional<fs::path> registeredLibrary(std::string_view className) {
    if (!isValidClassName(className))
        return std::nullopt;
    std::ifstream in(entryPath(className), std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line) || line.empty())
        return std::nullopt;
    return fs::path(line);
}

} // namespace com
