#include "component/document/LogicalFont.h"
#include "component/document/tests/DocuvelFixture.h"

#include <cmath>

namespace docuvel::test {
namespace {

using MeasuringTest = DocuvelTest;

TEST(LogicalFontTest, HeightWidthAndWeightFromTheSetting) {
    struct Case {
        float size;
        const char* code;
        int dpi, height, width, weight;
    };
    const Case cases[] = {
        {10, "", 600, -83, 0, 400}, {12, "w", 300, -50, 25, 400}, {12, "bn", 300, -50, 12, 700},
        {8, "l", 96, -11, 0, 100},  {20, "h", 72, -20, 0, 1000},
    };
    for (const Case& c : cases) {
        const gdi::LogFont f = logicalFont("\xAE", c.size, c.code, c.dpi);
        EXPECT_EQ(f.faceName, "Times New Roman");
        EXPECT_EQ(f.height, c.height) << c.size << c.code;
        EXPECT_EQ(f.width, c.width) << c.size << c.code;
        EXPECT_EQ(f.weight, c.weight) << c.size << c.code;
    }
    const gdi::LogFont f = logicalFont("Courier New", 10, "ius", 600);
    EXPECT_TRUE(f.italic && f.underline && f.strikeOut);
    EXPECT_EQ(f.faceName, "Courier New");
}

TEST_F(MeasuringTest, MeasuresInTheUnitOfMeasureAndWritesNothing) {
    EXPECT_EQ(doc().GetTextWidth(""), 0.f);
    const float inches = doc().GetTextWidth("The quick brown fox");
    const float height = doc().GetTextHeight("The quick brown fox");
    EXPECT_GT(inches, 0.5f);
    EXPECT_LT(inches, 2.f);
    doc().let_UnitOfMeasure(2);
    EXPECT_NEAR(doc().GetTextWidth("The quick brown fox"), inches * 2.54, 0.0003);
    doc().let_UnitOfMeasure(5);
    // Points: a whole number of 600 dpi pixels, in points.
    const float points = doc().GetTextHeight("The quick brown fox");
    EXPECT_NEAR(points, height * 72, 0.004);
    EXPECT_NEAR(points * 600 / 72, std::round(points * 600 / 72), 0.001);
    EXPECT_EQ(doc().GetWrapTextHeight("The quick brown fox", 500), points);
    EXPECT_GE(doc().GetWrapTextHeight("The quick brown fox", 30), 3 * points);
    EXPECT_EQ(doc().GetTextHeight("a\r\nb"), 2 * points);
    EXPECT_EQ(body(), "");
}

TEST_F(MeasuringTest, WrapTextHandsBackWhatDoesNotFit) {
    Variant rest = Variant(std::string("old"));
    doc().DrawWrapText("  one two  ", 1, 1, 3, 1, {}, {}, rest);
    EXPECT_EQ(rest, Variant("one two"));

    std::string remaining;
    Variant byRef = Variant::byRef(remaining);
    const std::string text = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda";
    // One line of a 10-point font is about 0.16 inch; the rectangle holds one.
    doc().DrawWrapText(text, 1, 1, 2, 1.2f, {}, {}, byRef);
    ASSERT_FALSE(remaining.empty());
    EXPECT_NE(remaining.front(), ' ');
    EXPECT_EQ(text.substr(text.size() - remaining.size()), remaining);

    Variant all = Variant(std::string());
    doc().DrawWrapText("fits", 1, 1, 5, 5, {}, {}, all);
    EXPECT_EQ(all, Variant(""));

    const auto r = records();
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[1].text(5), "");
    const std::string drawn = r[2].text(5);
    EXPECT_EQ(drawn + text.substr(drawn.size()), text);
    EXPECT_EQ(text.substr(drawn.size()).find_first_not_of(' '),
              text.size() - drawn.size() - remaining.size());
    EXPECT_EQ(r[3].text(5), "fits");
}

TEST_F(MeasuringTest, NotOneCharacterFittingEndsTheSearch) {
    doc().let_FontSize(200);
    Variant rest = Variant(std::string());
    doc().DrawWrapText("Wide", 0, 0, 8, 0.1f, {}, {}, rest);
    EXPECT_EQ(rest, Variant("Wide"));
}

} // namespace
} // namespace docuvel::test
