#include "component/document/tests/DocuvelFixture.h"

namespace docuvel::test {
namespace {

using DrawingTest = DocuvelTest;

TEST_F(DrawingTest, SettingsAreEmittedOncePerPageBeforeTheirFirstUse) {
    doc().DrawLine(1, 1, 2, 2);
    doc().DrawLine(3, 3, 4, 4);
    doc().DrawRectangle(1, 1, 0.5f);
    doc().NewPage();
    doc().DrawRectangle(0, 0, 1, 1.f);
    Bytes want;
    want.add(pen()).i16(10).f32(1).f32(1).f32(2).f32(2);
    want.i16(10).f32(3).f32(3).f32(4).f32(4);
    want.add(fill()).i16(30).f32(0.5f).f32(0.5f).f32(1.5f).f32(1.5f);
    want.i16(199);
    want.add(pen()).add(fill()).i16(30).f32(0).f32(0).f32(1).f32(1);
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(DrawingTest, CoordinatesAreConvertedToInchesWhenWritten) {
    doc().let_UnitOfMeasure(2);
    doc().DrawLine(2.54f, 0, 2.54f, 5.08f);
    doc().let_UnitOfMeasure(4);
    doc().DrawLineTo(1440, 720);
    doc().let_UnitOfMeasure(5);
    doc().DrawLocation(36, 72);
    Bytes want;
    want.add(pen()).i16(10).f32(1).f32(0).f32(1).f32(2);
    want.i16(11).f32(1).f32(0.5f).i16(12).f32(0.5f).f32(1);
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(DrawingTest, ClosedShapesWithoutY2AreCentredOnTheirPoint) {
    doc().DrawEllipse(2, 2, 1);
    doc().DrawRoundRectangle(0, 0, 4, 2.f);
    doc().DrawClipRoundRectangle(0, 0, 4, 2.f, 0.5f);
    doc().DrawTriangle(1, 2, 3, 4, 5, 6);
    Bytes want;
    want.add(pen()).add(fill()).i16(20).f32(1).f32(1).f32(3).f32(3);
    want.i16(40).f32(0).f32(0).f32(4).f32(2).f32(1).f32(1);
    want.i16(41).f32(0).f32(0).f32(4).f32(2).f32(0.5f).f32(1);
    want.i16(60).f32(1).f32(2).f32(3).f32(4).f32(5).f32(6);
    want.i16(190); // finishing ends the clip
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(DrawingTest, PolygonsNeedThreePointsAndKeepTheClientsValues) {
    doc().SetPolygonPoint(2.54f, 0);
    doc().SetPolygonPoint(0, 2.54f);
    expectError(149, [&] { doc().DrawPolygon(); });
    expectError(164, [&] { doc().DrawClipPolygon(); });
    doc().SetPolygonPoint(5.08f, 5.08f);
    doc().let_UnitOfMeasure(2);
    doc().DrawClipPolygon();
    doc().DrawPolygon();
    Bytes points;
    points.i16(3).f32(1).f32(0).f32(0).f32(1).f32(2).f32(2);
    Bytes want;
    want.add(pen()).add(fill()).i16(51).add(points).i16(50).add(points).i16(190);
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(DrawingTest, ClippingEndsOnlyWhenActiveAndBeforeAPageBreak) {
    doc().StopClipping();
    doc().DrawClipRectangle(1, 1, 2, 2.f);
    doc().DrawClipEllipse(1, 1, 2, 2.f); // no 190 between two clips
    doc().NewPage();
    doc().StopClipping();
    EXPECT_EQ(codes(1), (std::vector<std::int16_t>{101, 102, 31, 21, 190}));
    EXPECT_TRUE(codes(2).empty());
}

TEST_F(DrawingTest, SetPenArguments) {
    doc().SetPen(Variant(0.1), {});
    doc().SetPen({}, Variant(" Red "));
    doc().SetPen(Variant(std::int16_t(0)), Variant(std::int32_t(0xFFFFFF)));
    Bytes want;
    want.add(pen(0.1f)).add(pen(0.1f, 0xFF)).add(pen(0, 0xFFFFFF));
    expectError(154, [&] { doc().SetPen(Variant("5"), {}); });
    expectError(153, [&] { doc().SetPen(Variant(std::int16_t(-1)), {}); });
    expectError(153, [&] { doc().SetPen(Variant(300.5), {}); });
    expectErrorText(155, "'Not A Colour' was not found in the color palette.",
                    [&] { doc().SetPen({}, Variant("Not A Colour")); });
    expectError(156, [&] { doc().SetPen({}, Variant(std::int32_t(16777216))); });
    expectError(156, [&] { doc().SetPen({}, Variant(255.0)); });
    EXPECT_EQ(doc().get_PenWidth(), 0);
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(DrawingTest, SetFillArguments) {
    doc().SetFill(Variant("Vertical Lines"), {}, {});
    doc().SetFill({}, Variant(" cyan "), Variant("Transparent"));
    doc().SetFill(Variant(std::int32_t(8)), Variant(std::int16_t(0)), Variant(" red"));
    Bytes want;
    want.add(fill(3)).add(fill(3, 0xFFFF00, 1)).add(fill(8, 0, 0xFF));
    expectError(157, [&] { doc().SetFill(Variant(" solid"), {}, {}); });
    expectError(157, [&] { doc().SetFill(Variant(std::int16_t(9)), {}, {}); });
    expectError(157, [&] { doc().SetFill(Variant(2.0), {}, {}); });
    expectError(158, [&] { doc().SetFill({}, Variant("mauve"), {}); });
    expectError(159, [&] { doc().SetFill({}, {}, Variant(std::int32_t(-1))); });
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(DrawingTest, DrawFillBorderColours) {
    doc().DrawFill(1, 1, Variant("no such colour"));
    doc().DrawFill(1, 1, Variant(" red "));
    doc().DrawFill(1, 1, Variant(std::int32_t(99999999)));
    doc().DrawFill(1, 1, Variant(2.5));
    Bytes want;
    want.add(fill()).i16(70).f32(1).f32(1).i32(-1);
    want.i16(70).f32(1).f32(1).i32(0xFF);
    want.i16(70).f32(1).f32(1).i32(99999999);
    want.i16(70).f32(1).f32(1).i32(0);
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(DrawingTest, MissingPictureDrawsAPlaceholderOnlyWithASize) {
    doc().SetPen(Variant(2.0), Variant("blue"));
    doc().DrawPicture(file("none.bmp").string(), 1, 1, {}, {});
    doc().DrawPicture(file("none.bmp").string(), 1, 1, Variant(3.0), Variant(2.0));
    EXPECT_EQ(doc().get_PenWidth(), 2);
    EXPECT_EQ(doc().get_PenColor(), 0xFF0000);
    EXPECT_EQ(codes(), (std::vector<std::int16_t>{101, 101, 102, 30, 10, 10, 101, 102}));
}

TEST_F(DrawingTest, PictureArgumentsAndMetafileSize) {
    std::string emf(100, '\0');
    emf.replace(41, 3, "EMF");
    writeAll(file("a.emf"), emf);
    writeAll(file("a.bmp"), "BM not a metafile at all, long enough to hold bytes 42 to 44...");
    expectError(214, [&] { doc().DrawPicture(file("a.bmp").string(), 1, 1, Variant("2"), {}); });
    expectError(215, [&] { doc().DrawPicture(file("a.bmp").string(), 1, 1, {}, Variant(true)); });
    expectError(216, [&] { doc().DrawPicture(file("a.emf").string(), 1, 1, Variant(2.0), {}); });
    doc().DrawPicture(file("a.bmp").string(), 1, 1, Variant(2.0), {});
    const auto r = records();
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].code, 80);
    EXPECT_EQ(r[0].single(2), 2.f);
    EXPECT_EQ(r[0].single(3), 0.f);
    EXPECT_EQ(r[0].text(4), readAll(file("a.bmp")));
}

TEST_F(DrawingTest, APictureIsFollowedBySettingsAlreadyUsedOnThePage) {
    std::string picture(12000, 'p');
    writeAll(file("big.bmp"), picture);
    doc().DrawText("x", 1, 1);
    doc().DrawLine(1, 1, 2, 2);
    doc().DrawRectangle(1, 1, 1);
    doc().DrawPicture(file("big.bmp").string(), 1, 1, {}, {});
    doc().NewPage();
    doc().DrawLine(1, 1, 2, 2);
    doc().DrawPicture(file("big.bmp").string(), 1, 1, {}, {});
    EXPECT_EQ(codes(1), (std::vector<std::int16_t>{100, 90, 101, 10, 102, 30, 80, 100, 101, 102}));
    EXPECT_EQ(codes(2), (std::vector<std::int16_t>{101, 10, 80, 101}));
    EXPECT_EQ(records(1)[6].text(4), picture);
}

} // namespace
} // namespace docuvel::test
