#include "Canvas.h"

#include "platform/gdi/DcState.h"
#include "platform/gdi/FontFace.h"

#include <gtest/gtest.h>

using namespace gdi;
using gdi::test::Canvas;
using gdi::test::inkBounds;

namespace {

HFONT font(int height, std::string_view face = "Times New Roman", int width = 0, int escapement = 0,
           int weight = 400) {
    return CreateFontA(height, width, escapement, escapement, weight, false, false, false,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       DEFAULT_PITCH, face);
}

TEST(Fonts, TimesNewRomanAndArialResolveToTheirMetricTwins) {
    EXPECT_EQ(font(-20)->face->raw.familyName(), "Liberation Serif");
    EXPECT_EQ(font(-20, "Arial")->face->raw.familyName(), "Liberation Sans");
    EXPECT_EQ(font(-20, "\xAE")->face->raw.familyName(), "Liberation Serif");
    EXPECT_EQ(font(-20, "\xAF")->face->raw.familyName(), "Liberation Sans");
    EXPECT_EQ(font(-20, "Courier New")->face->raw.familyName(), "Liberation Mono");
}

TEST(Fonts, NegativeHeightIsTheCharacterHeight) {
    // 10 points at 600 dpi: MulDiv(1000, 600, 72) = 8333, height -83.
    const int height = -((MulDiv(1000, 600, 72) + 50) / 100);
    ASSERT_EQ(height, -83);
    Dc dc(test::capsAt(600));
    SelectObject(dc, font(height));
    TEXTMETRICA tm;
    ASSERT_TRUE(GetTextMetricsA(dc, &tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 83);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    // Times New Roman's cell is 1.107 em high, with the ascent 0.891 em.
    EXPECT_EQ(tm.tmHeight, 92);
    EXPECT_EQ(tm.tmAscent, 74);
}

TEST(Fonts, PositiveHeightIsTheCellHeight) {
    Dc dc(test::capsAt(96));
    SelectObject(dc, font(40, "Arial"));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    EXPECT_NEAR(tm.tmHeight, 40, 1);
    EXPECT_GT(tm.tmInternalLeading, 0);
}

TEST(Fonts, WideFontHasTheRequestedAverageWidth) {
    // 12 points wide at 300 dpi: height -50, width half of it.
    Dc dc(test::capsAt(300));
    SelectObject(dc, font(-50));
    SIZE natural{};
    GetTextExtentPoint32A(dc, "Wide letters", &natural);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    const int naturalAverage = tm.tmAveCharWidth;

    SelectObject(dc, font(-50, "Times New Roman", 25));
    SIZE wide{};
    GetTextExtentPoint32A(dc, "Wide letters", &wide);
    GetTextMetricsA(dc, &tm);
    EXPECT_EQ(tm.tmAveCharWidth, 25);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 50);
    EXPECT_NEAR(double(wide.cx) / natural.cx, 25.0 / naturalAverage, 0.03);
}

TEST(Fonts, WeightsAndStylesReachTheMetrics) {
    Dc dc(test::capsAt(96));
    SIZE plain{}, bold{};
    SelectObject(dc, font(-20, "Arial"));
    GetTextExtentPoint32A(dc, "Heavy weight", &plain);
    SelectObject(dc, font(-20, "Arial", 0, 0, 700));
    GetTextExtentPoint32A(dc, "Heavy weight", &bold);
    EXPECT_GT(bold.cx, plain.cx);
    TEXTMETRICA tm;
    SelectObject(dc, CreateFontA(-20, 0, 0, 0, 1000, true, true, true, 1, 0, 0, 2, 0, "Arial"));
    GetTextMetricsA(dc, &tm);
    EXPECT_TRUE(tm.tmItalic && tm.tmUnderlined && tm.tmStruckOut);
}

TEST(Text, ExtentIsTheSameOnEveryContextOfAResolution) {
    // A measuring-only printer context and an image of the same resolution agree.
    Dc measuring(test::capsAt(600));
    Canvas canvas(10, 10, 600);
    HFONT f = font(-83);
    SelectObject(measuring, f);
    SelectObject(*canvas.dc, f);
    for (std::string_view text : {"", "A", "Net Computed Load", "caf\xE9 \x80 100"}) {
        SIZE a{}, b{};
        GetTextExtentPoint32A(measuring, text, &a);
        GetTextExtentPoint32A(*canvas.dc, text, &b);
        EXPECT_EQ(a, b) << text;
    }
    SIZE s{};
    GetTextExtentPoint32A(measuring, "Load", &s);
    EXPECT_EQ(s.cy, 92);
    EXPECT_GT(s.cx, 100);
}

TEST(Text, DrawnTextLandsWhereItWasMeasured) {
    Canvas canvas(700, 120, 600);
    SelectObject(*canvas.dc, font(-83));
    SetBkMode(*canvas.dc, TRANSPARENT);
    const std::string_view text = "HIHIHIH";
    SIZE s{};
    GetTextExtentPoint32A(*canvas.dc, text, &s);
    TEXTMETRICA tm;
    GetTextMetricsA(*canvas.dc, &tm);
    TextOutA(*canvas.dc, 20, 10, text);
    const QRect ink = inkBounds(canvas.done());
    EXPECT_NEAR(ink.left(), 20 + 2, 4); // side bearing of H
    EXPECT_NEAR(ink.right(), 20 + s.cx - 2, 5);
    // Capitals stand on the base line and reach the cap height (0.66 em).
    EXPECT_NEAR(ink.bottom(), 10 + tm.tmAscent - 1, 1);
    EXPECT_NEAR(ink.top(), 10 + tm.tmAscent - 55, 2);
}

TEST(Text, OpaqueBackgroundFillsTheCell) {
    Canvas canvas(200, 40);
    SelectObject(*canvas.dc, font(-20, "Arial"));
    SetBkMode(*canvas.dc, OPAQUE);
    SetBkColor(*canvas.dc, RGB(0, 255, 0));
    SetTextColor(*canvas.dc, RGB(255, 0, 0));
    TextOutA(*canvas.dc, 10, 5, "Opaque");
    SIZE s{};
    GetTextExtentPoint32A(*canvas.dc, "Opaque", &s);
    const QImage img = canvas.done();
    const QRect ink = inkBounds(img);
    EXPECT_EQ(ink.topLeft(), QPoint(10, 5));
    EXPECT_EQ(ink.right(), 10 + s.cx - 1);
    EXPECT_NEAR(ink.bottom(), 5 + s.cy - 1, 1); // a descender's anti-aliased edge may pass it
    EXPECT_EQ(test::pixel(img, 11, 6), RGB(0, 255, 0));
}

TEST(Text, RotatedTextRunsAlongTheEscapement) {
    Canvas canvas(120, 220);
    SelectObject(*canvas.dc, font(-20, "Arial", 0, 900));
    SetBkMode(*canvas.dc, TRANSPARENT);
    SIZE s{};
    GetTextExtentPoint32A(*canvas.dc, "Upwards text", &s);
    TextOutA(*canvas.dc, 40, 200, "Upwards text");
    const QRect ink = inkBounds(canvas.done());
    // 90 degrees counter-clockwise: the line climbs from (40, 200), its top edge on x = 40.
    EXPECT_GE(ink.left(), 40);
    EXPECT_LE(ink.right(), 40 + s.cy);
    EXPECT_NEAR(ink.bottom(), 200, 3);
    EXPECT_NEAR(ink.top(), 200 - s.cx, 4);
}

struct Layout {
    const char* name;
    std::string_view text;
    int width;
    unsigned flags;
    int lines;
};

class DrawTextLayout : public testing::TestWithParam<Layout> {};

TEST_P(DrawTextLayout, CalcRectGivesTheHeightOfItsLines) {
    const Layout& l = GetParam();
    Dc dc(test::capsAt(96));
    SelectObject(dc, font(-16, "Courier New"));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SIZE columns{};
    GetTextExtentPoint32A(dc, std::string(std::size_t(l.width), 'x'), &columns);
    RECT r{10, 20, 10 + columns.cx, 20};
    const int h = DrawTextA(dc, l.text, &r, l.flags | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(h, l.lines * tm.tmHeight);
    EXPECT_EQ(r.bottom, 20 + h);
    EXPECT_EQ(r.top, 20);
}

const Layout kLayouts[] = {
    {"Empty", "", 10, DT_WORDBREAK, 0},
    {"OneLine", "abc def", 10, DT_WORDBREAK, 1},
    {"BreaksAtSpaces", "abc def ghi", 7, DT_WORDBREAK, 2},
    {"ExactFit", "abc def", 7, DT_WORDBREAK, 1},
    {"LongWordStaysWhole", "abcdefghijkl mn", 5, DT_WORDBREAK, 2},
    {"SpacesAtTheBreakVanish", "abc     def", 4, DT_WORDBREAK, 2},
    {"LineBreaks", "a\r\nb\nc\rd", 10, 0, 4},
    {"EmptyLineCounts", "a\n\nb", 10, DT_WORDBREAK, 3},
    {"FinalBreakAddsNoLine", "a\n", 10, 0, 1},
    {"SingleLineIgnoresBreaks", "a\r\nb c d e f", 2, DT_SINGLELINE | DT_WORDBREAK, 1},
};

INSTANTIATE_TEST_SUITE_P(Gdi, DrawTextLayout, testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DrawText, CalcRectWidthIsTheWidestLine) {
    Dc dc(test::capsAt(96));
    SelectObject(dc, font(-16, "Courier New"));
    SIZE widest{};
    GetTextExtentPoint32A(dc, "abcde", &widest);
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, "ab\nabcde\nabc", &r, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(r.right, widest.cx);
}

TEST(DrawText, WrappedTextIsClippedToTheRectangle) {
    Canvas canvas(200, 100);
    SelectObject(*canvas.dc, font(-16, "Arial"));
    SetBkMode(*canvas.dc, TRANSPARENT);
    RECT r{20, 10, 120, 50};
    const int h = DrawTextA(*canvas.dc, "many words that wrap onto several lines of text here", &r,
                            DT_WORDBREAK | DT_NOPREFIX);
    const QRect ink = inkBounds(canvas.done());
    EXPECT_GT(h, 40);
    EXPECT_GE(ink.top(), 10);
    EXPECT_LE(ink.bottom(), 49);
    EXPECT_GE(ink.left(), 20);
    EXPECT_LE(ink.right(), 119);
    EXPECT_GT(ink.bottom(), 40); // the second line shows, cut at the bottom
}

TEST(DrawText, AlignmentPlacesEachLine) {
    for (unsigned align : {DT_LEFT, DT_CENTER, DT_RIGHT}) {
        Canvas canvas(200, 30);
        SelectObject(*canvas.dc, font(-16, "Arial"));
        SetBkMode(*canvas.dc, TRANSPARENT);
        SIZE s{};
        GetTextExtentPoint32A(*canvas.dc, "IIII", &s);
        RECT r{10, 5, 190, 25};
        DrawTextA(*canvas.dc, "IIII", &r, DT_SINGLELINE | DT_NOPREFIX | align);
        const QRect ink = inkBounds(canvas.done());
        const int expectedLeft = align == DT_LEFT     ? 10
                                 : align == DT_CENTER ? (200 - s.cx) / 2
                                                      : 190 - s.cx;
        EXPECT_NEAR(ink.left(), expectedLeft + 1, 3) << align;
    }
}

} // namespace
