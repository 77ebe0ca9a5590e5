#include "component/document/Palette.h"

#include "component/document/TextUtil.h"

#include <array>

namespace docuvel {
namespace {

struct Entry {
    std::string_view name;
    std::int32_t color;
};

constexpr Entry kAccepted[] = {
    {"black", rgb(0, 0, 0)},
    {"white", rgb(255, 255, 255)},
    {"gray", rgb(192, 192, 192)},
    {"dark gray", rgb(125, 125, 125)},
    {"light gray", rgb(235, 235, 235)},
    {"red", rgb(255, 0, 0)},
    {"dark red", rgb(225, 0, 0)},
    {"electric red", rgb(180, 0, 0)},
    {"barn red", rgb(150, 25, 25)},
    {"blush", rgb(255, 100, 150)},
    {"dark blush", rgb(225, 100, 120)},
    {"light blush", rgb(255, 160, 180)},
    {"peach", rgb(255, 100, 100)},
    {"pink", rgb(255, 0, 125)},
    {"magenta", rgb(255, 0, 255)},
    {"burgandy", rgb(80, 25, 70)},
    {"green", rgb(0, 255, 0)},
    {"pea green", rgb(100, 200, 100)},
    {"dark green", rgb(50, 150, 50)},
    {"olive", rgb(125, 125, 70)},
    {"olive green", rgb(125, 125, 70)},
    {"hunter green", rgb(1, 88, 90)},
    {"hunter", rgb(1, 88, 90)},
    {"seafoam", rgb(177, 203, 183)},
    {"seafoam green", rgb(177, 203, 183)},
    {"army", rgb(78, 99, 80)},
    {"army green", rgb(78, 99, 80)},
    {"lime", rgb(35, 172, 28)},
    {"lime green", rgb(35, 172, 28)},
    {"blue", rgb(0, 0, 255)},
    {"dark blue", rgb(15, 0, 121)},
    {"cobalt blue", rgb(60, 0, 121)},
    {"cobalt", rgb(60, 0, 121)},
    {"midnight blue", rgb(12, 0, 90)},
    {"midnight", rgb(12, 0, 90)},
    {"cyan blue", rgb(0, 255, 255)},
    {"cyan", rgb(0, 255, 255)},
    {"teal blue", rgb(53, 147, 170)},
    {"teal", rgb(53, 147, 170)},
    {"baby blue", rgb(133, 211, 245)},
    {"baby", rgb(133, 211, 245)},
    {"yellow", rgb(255, 255, 0)},
    {"bright yellow", rgb(255, 255, 0)},
    {"canary", rgb(249, 254, 184)},
    {"canary yellow", rgb(249, 254, 184)},
    {"brown", rgb(75, 50, 50)},
    {"dark brown", rgb(70, 30, 35)},
    {"light brown", rgb(125, 75, 75)},
    {"camel", rgb(200, 175, 70)},
    {"biege", rgb(220, 190, 190)},
    {"topaz", rgb(197, 113, 67)},
    {"purple", rgb(179, 30, 251)},
    {"light grape", rgb(175, 125, 175)},
    {"grape", rgb(89, 14, 135)},
    {"violet", rgb(225, 215, 255)},
    {"orange", rgb(255, 150, 0)},
    {"burnt orange", rgb(192, 109, 7)},
};

constexpr Entry kReverse[] = {
    {"Black", rgb(0, 0, 0)},
    {"White", rgb(255, 255, 255)},
    {"Gray", rgb(192, 192, 192)},
    {"Dark Gray", rgb(125, 125, 125)},
    {"Light Gray", rgb(235, 235, 235)},
    {"Red", rgb(255, 0, 0)},
    {"Dark Red", rgb(225, 0, 0)},
    {"Electric Red", rgb(180, 0, 0)},
    {"Barn Red", rgb(150, 25, 25)},
    {"Blush", rgb(255, 100, 150)},
    {"Dark Blush", rgb(225, 100, 120)},
    {"Light Blush", rgb(255, 160, 180)},
    {"Peach", rgb(255, 100, 100)},
    {"Pink", rgb(255, 0, 125)},
    {"Magenta", rgb(255, 0, 255)},
    {"Burgandy", rgb(80, 25, 70)},
    {"Green", rgb(0, 255, 0)},
    {"Pea Green", rgb(100, 200, 100)},
    {"Dark Green", rgb(50, 150, 50)},
    {"Olive Green", rgb(125, 125, 70)},
    {"Hunter Green", rgb(1, 88, 90)},
    {"Seafoam Green", rgb(177, 203, 183)},
    {"Army Green", rgb(78, 99, 80)},
    {"Lime Green", rgb(35, 172, 28)},
    {"Blue", rgb(0, 0, 255)},
    {"Dark Blue", rgb(0, 0, 164)},
    {"Cobalt Blue", rgb(15, 0, 121)},
    {"Midnight Blue", rgb(12, 0, 90)},
    {"Cyan", rgb(0, 255, 255)},
    {"Teal Blue", rgb(53, 147, 170)},
    {"Baby Blue", rgb(133, 211, 245)},
    {"Bright Yellow", rgb(255, 255, 0)},
    {"Canary Yellow", rgb(249, 254, 184)},
    {"Brown", rgb(75, 50, 50)},
    {"Dark Brown", rgb(70, 30, 35)},
    {"Light Brown", rgb(125, 75, 75)},
    {"Camel", rgb(200, 175, 70)},
    {"Biege", rgb(220, 190, 190)},
    {"Topaz", rgb(197, 113, 67)},
    {"Purple", rgb(179, 30, 251)},
    {"Light Grape", rgb(175, 125, 175)},
    {"Grape", rgb(89, 14, 135)},
    {"Violet", rgb(225, 215, 255)},
    {"Orange", rgb(247, 148, 28)},
    {"Burnt Orange", rgb(192, 109, 7)},
};

} // namespace

std::optional<std::int32_t> paletteColor(std::string_view lowerCaseName) {
    for (const Entry& e : kAccepted)
        if (e.name == lowerCaseName)
            return e.color;
    return std::nullopt;
}

std::optional<std::int32_t> paletteColorOf(std::string_view name) {
    return paletteColor(lowerAscii(name));
}

std::string_view paletteName(std::int32_t color) {
    for (const Entry& e : kReverse)
        if (e.color == color)
            return e.name;
    return kNotInPalette;
}

} // namespace docuvel
