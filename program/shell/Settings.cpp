#include "program/shell/Settings.h"

#include "platform/text/cp1252.h"
#include "program/dwelling/AtomicFile.h"

#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>

namespace ampleton {

Settings& settings() {
    static Settings current;
    return current;
}

namespace {
std::filesystem::path& folderOfProgram() {
    static std::filesystem::path folder;
    return folder;
}
} // namespace

const std::filesystem::path& programFolder() {
    return folderOfProgram();
}

void setProgramFolder(std::filesystem::path folder) {
    folderOfProgram() = std::move(folder);
}

namespace {

// Delimited text: a quoted field ends at the next double quote, an unquoted one at the next comma
// or line end; leading spaces are skipped and the separator after a field is consumed.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    std::optional<std::string> next() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
        if (pos_ >= text_.size())
            return std::nullopt;
        std::string field;
        if (text_[pos_] == '"') {
            const auto close = text_.find('"', pos_ + 1);
            const auto end = close == std::string_view::npos ? text_.size() : close;
            field = text_.substr(pos_ + 1, end - pos_ - 1);
            pos_ = end == text_.size() ? end : end + 1;
            while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
                ++pos_;
        } else {
            const auto start = pos_;
            while (pos_ < text_.size() && text_[pos_] != ',' && !isLineEnd(text_[pos_]))
                ++pos_;
            field = text_.substr(start, pos_ - start);
            while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
                field.pop_back();
        }
        skipSeparator();
        return cp1252::toUtf8(field);
    }

private:
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
    void skipSeparator() {
        if (pos_ < text_.size() && text_[pos_] == ',') {
            ++pos_;
            return;
        }
        if (pos_ < text_.size() && text_[pos_] == '\r')
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

std::optional<int> parseInteger(std::string_view s) {
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size() || s.empty())
        return std::nullopt;
    return value;
}

} // namespace

bool parseSettings(std::string_view text, Settings& into) {
    FieldReader reader(text);
    std::string* const texts[] = {&into.headerLines[0], &into.headerLines[1], &into.headerLines[2],
                                  &into.headerLines[3], &into.drive,          &into.directory,
                                  &into.defaultDataDir};
    for (std::string* target : texts) {
        auto field = reader.next();
        if (!field)
            return false;
        *target = std::move(*field);
    }
    const auto flag = reader.next();
    const auto value = flag ? parseInteger(*flag) : std::nullopt;
    if (!value)
        return false;
    into.printHeader = *value;
    return true;
}

bool readSettings(const std::filesystem::path& file, Settings& into) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        return false;
    return parseSettings(content.str(), into);
}

std::string formatSettings(const Settings& s) {
    std::string line;
    auto text = [&](const std::string& utf8) {
        line += '"';
        line += cp1252::fromUtf8(utf8);
        line += "\",";
    };
    for (const auto& header : s.headerLines)
        text(header);
    text(s.drive);
    text(s.directory);
    text(s.defaultDataDir);
    line += std::to_string(s.printHeader);
    line += "\r\n";
    return line;
}

std::error_code writeSettings(const std::filesystem::path& file, const Settings& settings) {
    return writeFileAtomically(file, formatSettings(settings));
}

void loadStartupSettings(const std::filesystem::path& folder, Settings& into) {
    const auto file = folder / kSettingsFileName;
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        readSettings(file, into); // a damaged file is read as far as it goes, silently
    else
        into.defaultDataDir = folder.string();
}

} // namespace ampleton
