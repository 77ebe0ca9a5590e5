#pragma once
// Small text helpers with the client's semantics: lower-casing and trimming of spaces only.

#include <string>
#include <string_view>

namespace docuvel {

inline std::string lowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return out;
}

// Removes leading and trailing spaces (not other white space), like the client's Trim.
inline std::string trimSpaces(std::string_view s) {
    const auto first = s.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

} // namespace docuvel
