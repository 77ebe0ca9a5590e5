#pragma once
// Expected file contents written out field by field, for golden comparisons.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

namespace docuvel::test {

class Bytes {
public:
    Bytes& i16(std::int16_t v) { return raw(&v, 2); }
    Bytes& i32(std::int32_t v) { return raw(&v, 4); }
    Bytes& f32(float v) { return raw(&v, 4); }
    Bytes& text(std::string_view s) { return raw(s.data(), s.size()); }
    Bytes& counted(std::string_view s) { return i16(std::int16_t(s.size())).text(s); }
    Bytes& spaces(std::size_t n) { return text(std::string(n, ' ')); }
    Bytes& add(const Bytes& other) { return text(other.str()); }
    const std::string& str() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

private:
    Bytes& raw(const void* p, std::size_t n) {
        bytes_.append(static_cast<const char*>(p), n);
        return *this;
    }
    std::string bytes_;
};

inline std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void writeAll(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

// Header of a fresh document: page count, size and blank texts.
inline Bytes header(std::int16_t pages = 1, float width = 8.5f, float height = 11.0f) {
    Bytes b;
    b.text("[Docuvel\xAE Document / Version 4 Format]").i16(pages).f32(width).f32(height);
    b.spaces(50).spaces(50).spaces(255);
    return b;
}

// Shows bytes as hex so that a failing golden comparison is readable.
inline std::string hex(std::string_view s) {
    static const char* digits = "0123456789abcdef";
    std::string out;
    for (unsigned char c : s) {
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return out;
}

} // namespace docuvel::test
