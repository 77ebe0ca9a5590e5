#include "component/document/FontStyle.h"

#include "component/document/TextUtil.h"

#include <array>

namespace docuvel {
namespace {

struct StyleWord {
    std::string_view word;
    char letter;
};

// In style-code order.
constexpr std::array<StyleWord, 8> kStyleWords{{
    {"bold", 'b'},
    {"italic", 'i'},
    {"underline", 'u'},
    {"strikeout", 's'},
    {"light", 'l'},
    {"wide", 'w'},
    {"narrow", 'n'},
    {"heavy", 'h'},
}};

// Words in the order a copied font record spells its style.
constexpr std::array<std::pair<char, std::string_view>, 8> kCodeWords{{
    {'l', "Light"},
    {'b', "Bold"},
    {'h', "Heavy"},
    {'w', "Wide"},
    {'n', "Narrow"},
    {'i', "Italic"},
    {'u', "Underline"},
    {'s', "StrikeOut"},
}};

struct Abbreviation {
    std::string_view given;
    std::string_view face;
};

constexpr Abbreviation kAbbreviations[] = {
    {"tnr", "Times New Roman"},
    {"times", "Times New Roman"},
    {"t", "Times New Roman"},
    {"a", "Arial"},
    {"w", "Wingdings"},
    {"wing", "Wingdings"},
    {"s", "Symbol"},
    {"sym", "Symbol"},
    {"g", "Garamond"},
    {"gar", "Garamond"},
};

bool has(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

} // namespace

std::variant<std::string, StyleFault> parseFontStyle(std::string_view style) {
    std::string lower = lowerAscii(style);
    if (lower.empty())
        return StyleFault::Empty;
    if (lower == "plain")
        return std::string("Plain");
    if (int(has(lower, "bold")) + int(has(lower, "light")) + int(has(lower, "heavy")) >= 2)
        return StyleFault::TwoWeights;
    if (has(lower, "wide") && has(lower, "narrow"))
        return StyleFault::WideAndNarrow;
    if (has(lower, "plain"))
        return StyleFault::PlainWithOthers;
    std::size_t counted = 0;
    for (const StyleWord& w : kStyleWords) {
        const auto at = lower.find(w.word);
        if (at == std::string::npos)
            continue;
        lower[at] = char(lower[at] - 'a' + 'A');
        counted += w.word.size();
    }
    for (char c : lower)
        counted += c == ' ';
    if (counted != lower.size())
        return StyleFault::Unknown;
    return lower;
}

std::string styleCode(std::string_view style) {
    const std::string lower = lowerAscii(style);
    std::string code;
    if (lower == "plain")
        return code;
    for (const StyleWord& w : kStyleWords)
        if (has(lower, w.word))
            code += w.letter;
    return code;
}

std::string styleFromCode(std::string_view code) {
    if (code.empty() || code == "plain")
        return "Plain";
    std::string style;
    for (const auto& [letter, word] : kCodeWords)
        if (code.find(letter) != std::string_view::npos)
            style += word;
    return style.empty() ? "Plain" : style;
}

std::string expandFaceName(std::string_view name) {
    const std::string lower = lowerAscii(name);
    for (const Abbreviation& a : kAbbreviations)
        if (a.given == lower)
            return std::string(a.face);
    return std::string(name);
}

} // namespace docuvel
