#include "Canvas.h"

#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

#include <functional>

using namespace gdi;
using gdi::test::Canvas;
using gdi::test::inkBounds;
using gdi::test::pixel;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Coverage {
    const char* name;
    int penWidth; // -1: null pen
    std::function<void(Dc&)> draw;
    QRect covered; // inclusive pixel box of the ink
};

class ShapeCoverage : public testing::TestWithParam<Coverage> {};

TEST_P(ShapeCoverage, InkStaysWhereThePlatformPutsIt) {
    const Coverage& c = GetParam();
    Canvas canvas(40, 40);
    HPEN pen = c.penWidth < 0 ? CreatePen(PS_NULL, 1, 0) : CreatePen(PS_SOLID, c.penWidth, kBlack);
    SelectObject(*canvas.dc, pen);
    SelectObject(*canvas.dc, CreateSolidBrush(kBlue));
    c.draw(*canvas.dc);
    EXPECT_EQ(inkBounds(canvas.done()), c.covered);
}

const Coverage kCoverage[] = {
    {"RectangleThinPen", 1, [](Dc& dc) { Rectangle(dc, 5, 5, 15, 12); }, QRect(5, 5, 10, 7)},
    {"RectangleNullPenIsOneSmaller", -1, [](Dc& dc) { Rectangle(dc, 5, 5, 15, 12); },
     QRect(5, 5, 9, 6)},
    {"RectangleSwappedCorners", 1, [](Dc& dc) { Rectangle(dc, 15, 12, 5, 5); }, QRect(5, 5, 10, 7)},
    {"RectangleWidePenCentred", 5, [](Dc& dc) { Rectangle(dc, 10, 10, 20, 20); },
     QRect(8, 8, 14, 14)},
    {"EllipseThinPen", 1, [](Dc& dc) { Ellipse(dc, 5, 5, 25, 15); }, QRect(5, 5, 20, 10)},
    {"RoundRectThinPen", 1, [](Dc& dc) { RoundRect(dc, 5, 5, 25, 15, 6, 6); }, QRect(5, 5, 20, 10)},
    {"LineStopsBeforeItsEnd", 1,
     [](Dc& dc) {
         MoveToEx(dc, 3, 7);
         LineTo(dc, 13, 7);
     },
     QRect(3, 7, 10, 1)},
    {"VerticalLine", 1,
     [](Dc& dc) {
         MoveToEx(dc, 4, 2);
         LineTo(dc, 4, 20);
     },
     QRect(4, 2, 1, 18)},
    {"TriangleThinPen", 1,
     [](Dc& dc) {
         const POINT pts[] = {{5, 5}, {25, 5}, {5, 25}};
         Polygon(dc, pts);
     },
     QRect(5, 5, 21, 21)},
};

INSTANTIATE_TEST_SUITE_P(Gdi, ShapeCoverage, testing::ValuesIn(kCoverage),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Drawing, WideLineHasRoundEndsBeyondItsPoints) {
    Canvas canvas(40, 20);
    SelectObject(*canvas.dc, CreatePen(PS_SOLID, 6, kRed));
    MoveToEx(*canvas.dc, 10, 10);
    LineTo(*canvas.dc, 30, 10);
    const QImage img = canvas.done();
    const QRect ink = inkBounds(img);
    EXPECT_NEAR(ink.left(), 7, 1);
    EXPECT_NEAR(ink.right(), 33, 1);
    EXPECT_NEAR(ink.height(), 6, 1);
    EXPECT_EQ(pixel(img, 20, 10), kRed);
}

TEST(Drawing, LineToMovesTheCurrentPosition) {
    Canvas canvas(30, 30);
    POINT previous{};
    MoveToEx(*canvas.dc, 2, 2, &previous);
    EXPECT_EQ(previous, (POINT{0, 0}));
    LineTo(*canvas.dc, 20, 2);
    LineTo(*canvas.dc, 20, 20);
    const QImage img = canvas.done();
    EXPECT_EQ(pixel(img, 10, 2), kBlack);
    EXPECT_EQ(pixel(img, 20, 10), kBlack);
    EXPECT_EQ(pixel(img, 20, 20), kWhite);
}

TEST(Drawing, PolygonAlternateLeavesTheStarCentreEmpty) {
    Canvas canvas(60, 60);
    SelectObject(*canvas.dc, GetStockObject<HPEN>(NULL_PEN));
    SelectObject(*canvas.dc, CreateSolidBrush(kBlue));
    const POINT star[] = {{30, 2}, {47, 55}, {3, 21}, {57, 21}, {13, 55}};
    Polygon(*canvas.dc, star);
    const QImage img = canvas.done();
    EXPECT_EQ(pixel(img, 30, 30), kWhite);
    EXPECT_EQ(pixel(img, 30, 10), kBlue);
}

TEST(Drawing, NullBrushDrawsOnlyTheOutline) {
    Canvas canvas(30, 30);
    SelectObject(*canvas.dc, GetStockObject<HBRUSH>(NULL_BRUSH));
    Rectangle(*canvas.dc, 5, 5, 25, 25);
    const QImage img = canvas.done();
    EXPECT_EQ(pixel(img, 5, 15), kBlack);
    EXPECT_EQ(pixel(img, 15, 15), kWhite);
}

TEST(Objects, SelectObjectReturnsWhatItReplaced) {
    Dc dc(test::capsAt(96));
    HPEN red = CreatePen(PS_SOLID, 2, kRed);
    HPEN first = SelectObject(dc, red);
    EXPECT_EQ(first, GetStockObject<HPEN>(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, first), red);
    HBRUSH hollow = GetStockObject<HBRUSH>(NULL_BRUSH);
    EXPECT_EQ(SelectObject(dc, hollow), GetStockObject<HBRUSH>(WHITE_BRUSH));
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_FALSE(red);
    EXPECT_FALSE(DeleteObject(red));
}

TEST(Objects, DeletingASelectedObjectKeepsItUsableUntilReplaced) {
    Canvas canvas(20, 20);
    HBRUSH brush = CreateSolidBrush(kRed);
    SelectObject(*canvas.dc, brush);
    DeleteObject(brush);
    SelectObject(*canvas.dc, GetStockObject<HPEN>(NULL_PEN));
    Rectangle(*canvas.dc, 0, 0, 10, 10);
    EXPECT_EQ(pixel(canvas.done(), 4, 4), kRed);
}

TEST(State, ModesAndColoursReturnTheirPreviousValues) {
    Dc dc(test::capsAt(300, 2550, 3300));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(SetBkColor(dc, kRed), kWhite);
    EXPECT_EQ(GetBkColor(dc), kRed);
    EXPECT_EQ(SetTextColor(dc, kBlue), kBlack);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 300);
    EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 3300);
    EXPECT_FALSE(dc.canDraw());
    EXPECT_FALSE(Rectangle(dc, 0, 0, 10, 10));
}

TEST(State, MulDivRoundsAndGuardsDivisionByZero) {
    EXPECT_EQ(MulDiv(1000, 600, 72), 8333);
    EXPECT_EQ(MulDiv(1200, 300, 72), 5000);
    EXPECT_EQ(MulDiv(75, 600, 72), 625);
    EXPECT_EQ(MulDiv(-5, 3, 2), -8);
    EXPECT_EQ(MulDiv(2000000000, 2, 4), 1000000000);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

// ----- hatches -------------------------------------------------------------------------------

struct Hatch {
    HatchStyle style;
    std::vector<QPoint> ink;  // pixels the lines cover
    std::vector<QPoint> gaps; // pixels between lines
};

class HatchPattern : public testing::TestWithParam<Hatch> {};

TEST_P(HatchPattern, LinesEveryEighthPixelAt96Dpi) {
    const Hatch& h = GetParam();
    for (BkMode mode : {TRANSPARENT, OPAQUE}) {
        Canvas canvas(40, 40);
        SelectObject(*canvas.dc, GetStockObject<HPEN>(NULL_PEN));
        // A green underlay shows whether the gaps were painted.
        SelectObject(*canvas.dc, CreateSolidBrush(RGB(0, 255, 0)));
        Rectangle(*canvas.dc, 0, 0, 41, 41);
        SelectObject(*canvas.dc, CreateHatchBrush(h.style, kRed));
        SetBkMode(*canvas.dc, mode);
        SetBkColor(*canvas.dc, kBlue);
        Rectangle(*canvas.dc, 0, 0, 41, 41);
        const QImage img = canvas.done();
        for (QPoint p : h.ink)
            EXPECT_EQ(pixel(img, p.x(), p.y()), kRed) << p.x() << "," << p.y();
        for (QPoint p : h.gaps)
            EXPECT_EQ(pixel(img, p.x(), p.y()), mode == OPAQUE ? kBlue : RGB(0, 255, 0))
                << p.x() << "," << p.y();
    }
}

const Hatch kHatches[] = {
    {HS_VERTICAL, {{8, 3}, {16, 30}}, {{10, 3}, {12, 30}}},
    {HS_HORIZONTAL, {{3, 8}, {30, 16}}, {{3, 10}, {30, 12}}},
    {HS_CROSS, {{8, 3}, {3, 16}}, {{10, 12}, {20, 20}}},
    {HS_FDIAGONAL, {{10, 2}, {18, 10}}, {{14, 10}, {4, 2}}},
    {HS_BDIAGONAL, {{13, 2}, {5, 10}}, {{10, 10}, {20, 2}}},
    {HS_DIAGCROSS, {{10, 2}, {13, 2}}, {{12, 5}, {20, 5}}},
};

INSTANTIATE_TEST_SUITE_P(Gdi, HatchPattern, testing::ValuesIn(kHatches));

TEST(Hatch, SpacingFollowsTheResolutionSoPaperAndPreviewLookAlike) {
    Canvas canvas(200, 20, 600);
    SelectObject(*canvas.dc, GetStockObject<HPEN>(NULL_PEN));
    SelectObject(*canvas.dc, CreateHatchBrush(HS_VERTICAL, kRed));
    SetBkMode(*canvas.dc, TRANSPARENT);
    Rectangle(*canvas.dc, 0, 0, 201, 21);
    const QImage img = canvas.done();
    std::string row;
    for (int x = 0; x < 120; ++x)
        row += pixel(img, x, 10) == kRed ? '#' : '.';
    // 600 dpi: a 6-pixel line every 50 pixels (1/12 inch).
    EXPECT_EQ(row, std::string(6, '#') + std::string(44, '.') + std::string(6, '#') +
                       std::string(44, '.') + std::string(6, '#') + std::string(14, '.'));
}

// ----- regions and clipping ------------------------------------------------------------------

TEST(Regions, ShapesHoldTheirPixels) {
    EXPECT_TRUE(PtInRegion(CreateRectRgn(2, 2, 10, 10), 9, 9));
    EXPECT_FALSE(PtInRegion(CreateRectRgn(2, 2, 10, 10), 10, 5));
    EXPECT_TRUE(PtInRegion(CreateEllipticRgn(0, 0, 20, 10), 10, 5));
    EXPECT_FALSE(PtInRegion(CreateEllipticRgn(0, 0, 20, 10), 1, 1));
    EXPECT_FALSE(PtInRegion(CreateRoundRectRgn(0, 0, 20, 20, 10, 10), 0, 0));
    EXPECT_TRUE(PtInRegion(CreateRoundRectRgn(0, 0, 20, 20, 10, 10), 10, 0));
    const POINT tri[] = {{0, 0}, {20, 0}, {0, 20}};
    EXPECT_TRUE(PtInRegion(CreatePolygonRgn(tri, ALTERNATE), 3, 3));
    EXPECT_FALSE(PtInRegion(CreatePolygonRgn(tri, ALTERNATE), 15, 15));
}

TEST(Regions, PaintRgnFillsWithTheBrush) {
    Canvas canvas(30, 30);
    SelectObject(*canvas.dc, CreateSolidBrush(kRed));
    PaintRgn(*canvas.dc, CreateEllipticRgn(5, 5, 25, 25));
    const QImage img = canvas.done();
    EXPECT_EQ(inkBounds(img), QRect(5, 5, 20, 20));
    EXPECT_EQ(pixel(img, 15, 15), kRed);
    EXPECT_EQ(pixel(img, 5, 5), kWhite);
}

TEST(Regions, ClipLimitsDrawingUntilRemoved) {
    Canvas canvas(40, 40);
    SelectObject(*canvas.dc, GetStockObject<HPEN>(NULL_PEN));
    SelectObject(*canvas.dc, CreateSolidBrush(kRed));
    SelectClipRgn(*canvas.dc, CreateEllipticRgn(10, 10, 30, 30));
    Rectangle(*canvas.dc, 0, 0, 41, 41);
    SelectClipRgn(*canvas.dc, {});
    SelectObject(*canvas.dc, CreateSolidBrush(kBlue));
    Rectangle(*canvas.dc, 0, 0, 6, 6);
    const QImage img = canvas.done();
    EXPECT_EQ(pixel(img, 20, 20), kRed);
    EXPECT_EQ(pixel(img, 11, 11), kWhite);
    EXPECT_EQ(pixel(img, 35, 20), kWhite);
    EXPECT_EQ(pixel(img, 2, 2), kBlue);
}

TEST(Regions, ShapedClipAfterAnEarlierClip) {
    Canvas canvas(40, 40);
    SelectObject(*canvas.dc, GetStockObject<HPEN>(NULL_PEN));
    SelectObject(*canvas.dc, CreateSolidBrush(kRed));
    SelectClipRgn(*canvas.dc, CreateRectRgn(0, 0, 20, 40));
    Rectangle(*canvas.dc, 0, 0, 41, 41);
    SelectClipRgn(*canvas.dc, CreateEllipticRgn(10, 10, 30, 30));
    SelectObject(*canvas.dc, CreateSolidBrush(kBlue));
    Rectangle(*canvas.dc, 0, 0, 41, 41);
    const QImage img = canvas.done();
    EXPECT_EQ(pixel(img, 20, 20), kBlue);
    EXPECT_EQ(pixel(img, 25, 20), kBlue);
    EXPECT_EQ(pixel(img, 2, 2), kRed);     // outside the ellipse: the first fill stays
    EXPECT_EQ(pixel(img, 35, 35), kWhite); // outside both clips
    EXPECT_EQ(pixel(img, 29, 11), kWhite);
}

// ----- flood fill ----------------------------------------------------------------------------

void drawRing(Dc& dc) {
    SelectObject(dc, CreatePen(PS_SOLID, 1, kRed));
    SelectObject(dc, GetStockObject<HBRUSH>(NULL_BRUSH));
    Rectangle(dc, 5, 5, 35, 25);
    SelectObject(dc, CreateSolidBrush(kBlue));
}

void expectFilledRing(const QImage& img) {
    EXPECT_EQ(pixel(img, 20, 15), kBlue);
    EXPECT_EQ(pixel(img, 6, 6), kBlue);
    EXPECT_EQ(pixel(img, 5, 15), kRed);
    EXPECT_EQ(pixel(img, 2, 2), kWhite);
    EXPECT_EQ(pixel(img, 38, 28), kWhite);
}

TEST(FloodFill, FillsUpToTheBorderColourOnAnImage) {
    Canvas canvas(40, 30);
    drawRing(*canvas.dc);
    EXPECT_TRUE(FloodFill(*canvas.dc, 20, 15, kRed));
    expectFilledRing(canvas.done());
}

TEST(FloodFill, RefusesASeedOfTheBorderColourOrOutside) {
    Canvas canvas(40, 30);
    drawRing(*canvas.dc);
    EXPECT_FALSE(FloodFill(*canvas.dc, 5, 15, kRed));
    EXPECT_FALSE(FloodFill(*canvas.dc, 100, 15, kRed));
    EXPECT_EQ(gdi::test::countColor(canvas.done(), kBlue), 0);
}

TEST(FloodFill, WorksOnAVectorDevice) {
    QPicture picture;
    {
        Dc dc(picture, test::capsAt(96, 40, 30));
        drawRing(dc);
        EXPECT_TRUE(FloodFill(dc, 20, 15, kRed));
    }
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.drawPicture(0, 0, picture);
    }
    expectFilledRing(img);
}

TEST(FloodFill, ANewPageStartsFromABlankPage) {
    QPicture picture;
    {
        Dc dc(picture, test::capsAt(96, 40, 30));
        drawRing(dc);
        dc.newPage();
        // The ring belongs to the page before: nothing bounds the fill now.
        EXPECT_TRUE(FloodFill(dc, 20, 15, kRed));
    }
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.drawPicture(0, 0, picture);
    }
    EXPECT_EQ(pixel(img, 2, 2), kBlue);
}

TEST(FloodFill, HatchBrushFillsTheAreaWithItsPattern) {
    Canvas canvas(40, 30);
    drawRing(*canvas.dc);
    SelectObject(*canvas.dc, CreateHatchBrush(HS_VERTICAL, kBlue));
    SetBkMode(*canvas.dc, TRANSPARENT);
    FloodFill(*canvas.dc, 20, 15, kRed);
    const QImage img = canvas.done();
    EXPECT_EQ(pixel(img, 16, 15), kBlue);
    EXPECT_EQ(pixel(img, 18, 15), kWhite);
}

} // namespace
