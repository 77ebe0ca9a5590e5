#include "component/render/RenderGeometry.h"

#include <gtest/gtest.h>

namespace docuvel {
namespace {

TEST(RenderGeometry, InchesToDeviceRoundsHalfToEven) {
    const struct {
        float inches;
        int dpi;
        float pixels;
    } cases[] = {
        {1.0f, 300, 300}, {2.0f, 300, 600}, {0.25f, 2, 0},     {0.75f, 2, 2},
        {1.25f, 2, 2},    {-0.75f, 2, -2},  {8.5f, 600, 5100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inchesToDevice(c.inches, c.dpi), c.pixels) << c.inches << " at " << c.dpi;
}

TEST(RenderGeometry, MulDivRoundsHalvesAwayFromZero) {
    EXPECT_EQ(mulDiv(75, 600, 72), 625);
    EXPECT_EQ(mulDiv(1, 3, 2), 2);
    EXPECT_EQ(mulDiv(-1, 3, 2), -2);
    EXPECT_EQ(mulDiv(1000, 600, 72), 8333);
    EXPECT_EQ(mulDiv(5, 5, 0), -1);
}

TEST(RenderGeometry, PenWidthInDevicePixels) {
    const struct {
        float points;
        int dpi;
        int pixels;
    } cases[] = {{0.75f, 600, 6}, {0.6f, 600, 5},  {1, 300, 4},
                 {1, 72, 1},      {0.25f, 600, 2}, {300, 600, 2500}};
    for (const auto& c : cases)
        EXPECT_EQ(penWidthInPixels(c.points, c.dpi), c.pixels) << c.points << " at " << c.dpi;
}

TEST(RenderGeometry, WideLinesBecomeSquareEndedRectangles) {
    DeviceRect r;
    EXPECT_FALSE(wideLineRectangle(10, 100, 200, 100, 5, r));
    ASSERT_TRUE(wideLineRectangle(10, 100, 200, 100, 6, r));
    EXPECT_EQ(r, (DeviceRect{10, 97, 200, 103}));
    ASSERT_TRUE(wideLineRectangle(50, 10, 50, 90, 7, r));
    EXPECT_EQ(r, (DeviceRect{47, 10, 54, 90}));
    // A single point counts as vertical.
    ASSERT_TRUE(wideLineRectangle(50, 10, 50, 10, 8, r));
    EXPECT_EQ(r, (DeviceRect{46, 10, 54, 10}));
    EXPECT_FALSE(wideLineRectangle(0, 0, 100, 100, 20, r));
}

TEST(RenderGeometry, RecordingFrameInHundredthsOfMillimetres) {
    EXPECT_EQ(recordingFrame(true, 5100, 6600, 600, 600, 1, 1), (DeviceRect{0, 0, 21590, 27940}));
    EXPECT_EQ(recordingFrame(false, 5100, 6600, 600, 600, 8.5f, 14),
              (DeviceRect{0, 0, 21590, 35560}));
}

TEST(RenderGeometry, CellTopForEachBaseLine) {
    const TextCell cell{50, 40, 6};
    const struct {
        std::int16_t option;
        float top;
    } cases[] = {{1, 1000}, {2, 994}, {3, 972}, {4, 960}, {5, 950}, {9, 1000}};
    for (const auto& c : cases)
        EXPECT_EQ(cellTop(1000, c.option, cell), c.top) << c.option;
}

TEST(RenderGeometry, TextRectangleByAlignment) {
    const struct {
        std::int16_t alignment;
        std::int32_t maxWidth;
        DeviceRect rect;
    } cases[] = {
        {1, 0, {100, 20, 300, 50}},  {2, 0, {50, 20, 150, 50}},  {3, 0, {0, 20, 100, 50}},
        {1, 60, {100, 20, 160, 50}}, {2, 60, {70, 20, 130, 50}}, {3, 60, {40, 20, 100, 50}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(textRectangle(100, 20, 100, 30, c.maxWidth, c.alignment), c.rect)
            << c.alignment << " " << c.maxWidth;
}

TEST(RenderGeometry, RotatedStartMovesOnlyAtRightAngles) {
    const struct {
        std::int16_t angle, alignment;
        float x, y;
    } cases[] = {
        {90, 2, 100, 150}, {90, 3, 100, 200}, {180, 2, 150, 100}, {180, 3, 200, 100},
        {270, 2, 100, 50}, {270, 3, 100, 0},  {45, 3, 100, 100},  {90, 1, 100, 100},
    };
    for (const auto& c : cases) {
        float x = 100, y = 100;
        rotatedTextStart(x, y, c.angle, c.alignment, 100);
        EXPECT_EQ(x, c.x) << c.angle << "/" << c.alignment;
        EXPECT_EQ(y, c.y) << c.angle << "/" << c.alignment;
    }
}

} // namespace
} // namespace docuvel
