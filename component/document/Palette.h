#pragma once
// The colour palette: names a client may use for a colour, and the name a colour reads back as.
// Colours are Windows RGB values, red in the low byte.

#include <cstdint>
#include <optional>
#include <string_view>

namespace docuvel {

constexpr std::int32_t rgb(int r, int g, int b) {
    return r | (g << 8) | (b << 16);
}

inline constexpr std::int32_t kMaxColor = 0xFFFFFF;
inline constexpr std::string_view kNotInPalette = "Not found in palette.";

// Looks up a lower-case palette name, matched whole.
std::optional<std::int32_t> paletteColor(std::string_view lowerCaseName);
// Lower-cases name (ASCII) and looks it up.
std::optional<std::int32_t> paletteColorOf(std::string_view name);
// The first reverse-list name of the colour, or "Not found in palette.".
std::string_view paletteName(std::int32_t color);

} // namespace docuvel
