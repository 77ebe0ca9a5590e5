// Expands the help topic templates into the pages that qhelpgenerator compiles. The captions,
// messages and reference tables come from the program's own tables, so the help quotes them
// exactly as the windows and reports show them.
//
//   helpgen OUTPUT_DIR TEMPLATE...
//
// Placeholders: {{caption N}}, {{digits N}}, {{method N}}, {{heattype N}}, {{text NAME}},
// {{table KEY}}. An unknown placeholder fails the build.

#include "program/dwelling/DwellingFile.h"
#include "program/dwelling/DwellingInput.h"
#include "program/dwelling/LoadCalculation.h"
#include "program/reports/ReferenceTables.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace ampleton;

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<int> indexIn(std::string_view arg, std::size_t count) {
    int n = -1;
    auto [end, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), n);
    if (ec != std::errc() || end != arg.data() + arg.size() || n < 0 || std::size_t(n) >= count)
        return std::nullopt;
    return n;
}

// The texts the help quotes by name.
std::optional<std::string> namedText(std::string_view name) {
    static const std::map<std::string_view, std::string> texts = {
        {"errorTitle", std::string(kErrorTitle)},
        {"dryerMinimum", std::string(kDryerMinimumMessage)},
        {"dryerMinimumValue", std::string(kDryerMinimumText)},
        {"signature", std::string(kDwellingSignature)},
        {"dwellingExtension", std::string(kDwellingExtension)},
        {"dwellingFilter", std::string(kDwellingFilter)},
        {"openTitle", std::string(kOpenDwellingTitle)},
        {"saveTitle", std::string(kSaveDwellingTitle)},
        {"openError", dwellingOpenErrorText("<file>")},
        {"saveError", dwellingSaveErrorText("<file>")},
    };
    const auto it = texts.find(name);
    if (it == texts.end())
        return std::nullopt;
    return it->second;
}

// A reference table as the preview shows it: the title, then the body in a fixed-pitch block
// with its rules; a tab stands for five spaces, as on the page.
std::optional<std::string> referenceTable(std::string_view key) {
    const ReferenceTableLayout* layout = findReferenceTable(key);
    const std::optional<TableLines> lines = buildReferenceTable(key);
    if (!layout || !lines)
        return std::nullopt;
    std::string html = "<h2>" + escaped((*lines)[0]) + "</h2>\n<pre>";
    for (int i = 1; i <= layout->lastElement; ++i) {
        if (std::find(layout->rules.begin(), layout->rules.end(), i) != layout->rules.end()) {
            html += "</pre>\n<hr/>\n<pre>";
            continue;
        }
        std::string line = (*lines)[i];
        while (!line.empty() && line.back() == '\t')
            line.pop_back();
        std::string expanded;
        for (char c : line)
            expanded += c == '\t' ? std::string(5, ' ') : std::string(1, c);
        html += escaped(expanded) + "\n";
    }
    return html + "</pre>";
}

std::optional<std::string> expand(std::string_view name, std::string_view arg) {
    if (name == "caption")
        if (auto i = indexIn(arg, kEntryCaptions.size()))
            return escaped(kEntryCaptions[*i]);
    if (name == "digits")
        if (auto i = indexIn(arg, kEntryCount))
            return std::to_string(entryMaxLength(*i));
    if (name == "method")
        if (auto i = indexIn(arg, kMethodCaptions.size()))
            return escaped(kMethodCaptions[*i]);
    if (name == "heattype")
        if (auto i = indexIn(arg, kHeatTypes.size()))
            return escaped(kHeatTypes[*i]);
    if (name == "text")
        if (auto text = namedText(arg))
            return escaped(*text);
    if (name == "table")
        return referenceTable(arg);
    return std::nullopt;
}

bool expandFile(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        std::cerr << from.string() << ": cannot be read\n";
        return false;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();

    std::string out;
    std::size_t at = 0;
    while (true) {
        const std::size_t open = text.find("{{", at);
        if (open == std::string::npos)
            break;
        const std::size_t close = text.find("}}", open);
        if (close == std::string::npos) {
            std::cerr << from.string() << ": unclosed {{\n";
            return false;
        }
        out.append(text, at, open - at);
        const std::string_view inner(text.data() + open + 2, close - open - 2);
        const std::size_t space = inner.find(' ');
        const std::string_view name = inner.substr(0, space);
        const std::string_view arg =
            space == std::string_view::npos ? std::string_view() : inner.substr(space + 1);
        const std::optional<std::string> value = expand(name, arg);
        if (!value) {
            std::cerr << from.string() << ": unknown placeholder {{" << inner << "}}\n";
            return false;
        }
        out += *value;
        at = close + 2;
    }
    out.append(text, at, std::string::npos);

    std::ofstream file(to, std::ios::binary | std::ios::trunc);
    file << out;
    file.close();
    if (!file) {
        std::cerr << to.string() << ": cannot be written\n";
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: helpgen OUTPUT_DIR TEMPLATE...\n";
        return 2;
    }
    const std::filesystem::path outDir = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    for (int i = 2; i < argc; ++i) {
        const std::filesystem::path from = argv[i];
        if (!expandFile(from, outDir / from.filename()))
            return 1;
    }
    return 0;
}
