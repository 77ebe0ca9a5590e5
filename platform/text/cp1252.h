#pragma once
// Windows-1252 <-> UTF-8. Text files of the program and document files of the component are
// single-byte Windows-1252; everything inside the code is UTF-8.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace cp1252 {

// Code points of bytes 0x80..0x9F. The five bytes Windows leaves undefined map to the C1 control
// of the same value, so every byte survives a round trip.
inline constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

inline constexpr char32_t toCodePoint(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : char32_t(byte);
}

// The byte for a code point, or -1 when Windows-1252 has none.
inline constexpr int fromCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp)
            return int(0x80 + i);
    return -1;
}

inline void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

inline std::string toUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes)
        appendUtf8(out, toCodePoint(b));
    return out;
}

// Decodes one code point at `pos`, advancing it; malformed input yields U+FFFD for one byte.
inline char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    int extra = b0 < 0x80           ? 0
                : (b0 >> 5) == 0x6  ? 1
                : (b0 >> 4) == 0xE  ? 2
                : (b0 >> 3) == 0x1E ? 3
                                    : -1;
    if (extra < 0 || pos + extra >= s.size()) {
        ++pos;
        return 0xFFFD;
    }
    char32_t cp = extra == 0 ? b0 : b0 & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    pos += extra + 1;
    return cp;
}

// UTF-8 to Windows-1252; a character the code page lacks becomes `replacement`.
inline std::string fromUtf8(std::string_view utf8, char replacement = '?') {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        const int byte = fromCodePoint(nextCodePoint(utf8, pos));
        out += byte < 0 ? replacement : char(byte);
    }
    return out;
}

// True when every character of the UTF-8 text has a Windows-1252 byte.
inline bool representable(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();)
        if (fromCodePoint(nextCodePoint(utf8, pos)) < 0)
            return false;
    return true;
}

// Number of characters of a UTF-8 text.
inline std::size_t length(std::string_view utf8) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++n)
        nextCodePoint(utf8, pos);
    return n;
}

} // namespace cp1252
