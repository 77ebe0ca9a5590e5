#include "component/document/Palette.h"

#include <gtest/gtest.h>

namespace docuvel {
namespace {

TEST(PaletteTest, NamesAreMatchedWholeAfterLowerCasing) {
    struct Case {
        const char* name;
        std::optional<std::int32_t> color;
    };
    const Case cases[] = {
        {"GREEN", rgb(0, 255, 0)},
        {"Hunter", rgb(1, 88, 90)},
        {"dark blue", rgb(15, 0, 121)},
        {"cobalt", rgb(60, 0, 121)},
        {"orange", rgb(255, 150, 0)},
        {"burnt orange", rgb(192, 109, 7)},
        {" red", std::nullopt},
        {"red ", std::nullopt},
        {"", std::nullopt},
        {"dark", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paletteColorOf(c.name), c.color) << c.name;
}

TEST(PaletteTest, ReverseLookupTakesTheFirstRowOfItsOwnList) {
    struct Case {
        std::int32_t color;
        std::string_view name;
    };
    const Case cases[] = {
        {rgb(0, 0, 0), "Black"},
        {rgb(125, 75, 75), "Light Brown"},
        {rgb(15, 0, 121), "Cobalt Blue"}, // set by "dark blue"
        {rgb(60, 0, 121), "Not found in palette."},
        {rgb(255, 150, 0), "Not found in palette."},
        {rgb(0, 0, 164), "Dark Blue"},
        {rgb(247, 148, 28), "Orange"},
        {1, "Not found in palette."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paletteName(c.color), c.name) << c.color;
}

TEST(PaletteTest, RedIsInTheLowByte) {
    EXPECT_EQ(*paletteColor("red"), 0x0000FF);
}

} // namespace
} // namespace docuvel
