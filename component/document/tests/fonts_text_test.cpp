#include "component/document/FontStyle.h"
#include "component/document/tests/DocuvelFixture.h"

namespace docuvel::test {
namespace {

using FontsTest = DocuvelTest;
using TextTest = DocuvelTest;

TEST_F(FontsTest, FaceNamesAreAbbreviatedStoredAndCut) {
    doc().SetFont(Variant("tnr"), {}, {}, {}, {});
    doc().SetFont(Variant("ARIAL"), {}, {}, {}, {});
    doc().SetFont(Variant(std::string(40, 'F')), {}, {}, {}, {});
    EXPECT_EQ(doc().get_FontName(), std::string(31, 'F'));
    doc().let_FontName("gar");
    EXPECT_EQ(doc().get_FontName(), "Garamond");
    Bytes want;
    want.add(font("\xAE")).add(font("\xAF")).add(font(std::string(31, 'F'))).add(font("Garamond"));
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(FontsTest, StylesAreCapitalisedAndCoded) {
    doc().SetFont({}, {}, Variant("italic bold"), {}, {});
    EXPECT_EQ(doc().get_FontStyle(), "Italic Bold");
    doc().let_FontStyle("UNDERLINEstrikeoutheavywide");
    EXPECT_EQ(doc().get_FontStyle(), "UnderlineStrikeoutHeavyWide");
    doc().SetFont({}, Variant(std::int16_t(12)), Variant("plain"), Variant(" red "),
                  Variant("NONE"));
    Bytes want;
    want.add(font("\xAE", 10, "bi"))
        .add(font("\xAE", 10, "uswh"))
        .add(font("\xAE", 12, "", 0xFF, 1));
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(FontsTest, SetFontErrors) {
    struct Case {
        int number;
        Variant name, size, style, color, back;
    };
    const Case cases[] = {
        {217, Variant(std::int16_t(1)), {}, {}, {}, {}},
        {217, Variant(""), {}, {}, {}, {}},
        {139, {}, Variant(std::int16_t(3)), {}, {}, {}},
        {139, {}, Variant(2000.5), {}, {}, {}},
        {140, {}, Variant("12"), {}, {}, {}},
        {141, {}, {}, Variant(""), {}, {}},
        {142, {}, {}, Variant("bold light"), {}, {}},
        {143, {}, {}, Variant("wide narrow"), {}, {}},
        {144, {}, {}, Variant("plain bold"), {}, {}},
        {145, {}, {}, Variant("bold bold"), {}, {}},
        {145, {}, {}, Variant("bold,italic"), {}, {}},
        {146, {}, {}, Variant(std::int16_t(1)), {}, {}},
        {147, {}, {}, {}, Variant("mauve"), {}},
        {147, {}, {}, {}, Variant(std::int32_t(-1)), {}},
        {148, {}, {}, {}, {}, Variant(true)},
    };
    for (const Case& c : cases)
        expectError(c.number, [&] { doc().SetFont(c.name, c.size, c.style, c.color, c.back); });
}

TEST_F(FontsTest, FontStylePropertyErrors) {
    const std::pair<int, const char*> cases[] = {{191, ""},
                                                 {187, "heavy bold"},
                                                 {188, "narrowwide"},
                                                 {189, "italic plain"},
                                                 {190, "bolder"}};
    for (const auto& [number, style] : cases)
        expectError(number, [&] { doc().let_FontStyle(style); });
}

TEST(FontStyleTest, StyleFromRecordLetters) {
    EXPECT_EQ(styleFromCode("bu"), "BoldUnderline");
    EXPECT_EQ(styleFromCode("bi"), "BoldItalic");
    EXPECT_EQ(styleFromCode("uswh"), "HeavyWideUnderlineStrikeOut");
    EXPECT_EQ(styleFromCode(""), "Plain");
    EXPECT_EQ(styleCode("Italic Bold"), "bi");
}

TEST_F(TextTest, AlignmentAndBaseLineAreRemembered) {
    doc().DrawText("a", 1, 2);
    doc().DrawText("b", 1, 2, Variant("right"), Variant("topline"));
    doc().DrawText("c", 1, 2, {}, {}, Variant(std::int16_t(3)));
    doc().DrawText("d", 1, 2, Variant("CENTER"), Variant(4.6));
    Bytes want;
    want.add(font());
    want.i16(90).f32(1).f32(2).f32(0).i16(1).counted("a").i16(4);
    want.i16(90).f32(1).f32(2).f32(0).i16(3).counted("b").i16(2);
    want.i16(90).f32(1).f32(2).f32(3).i16(3).counted("c").i16(2);
    want.i16(90).f32(1).f32(2).f32(0).i16(2).counted("d").i16(5);
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(TextTest, TextArgumentErrors) {
    expectError(150, [&] { doc().DrawText("x", 1, 1, Variant(std::int16_t(4))); });
    expectError(150, [&] { doc().DrawText("x", 1, 1, Variant("middle")); });
    expectError(151, [&] { doc().DrawText("x", 1, 1, {}, {}, Variant("2")); });
    expectError(152, [&] { doc().DrawText("x", 1, 1, {}, Variant(std::int16_t(6))); });
    expectError(165, [&] { doc().DrawRotatedText("x", 1, 1, 90, Variant(true)); });
    expectError(166, [&] { doc().DrawRotatedText("x", 1, 1, 0); });
    expectError(166, [&] { doc().DrawRotatedText("x", 1, 1, 360); });
    Variant notText(std::int16_t(1)), none;
    expectError(171, [&] { doc().DrawWrapText("x", 0, 0, 1, 1, {}, {}, notText); });
    expectError(172, [&] { doc().DrawWrapText("x", 0, 0, 1, 1, Variant("x"), {}, none); });
    expectError(173, [&] { doc().DrawWrapText("x", 0, 0, 1, 1, {}, Variant("x"), none); });
    writeAll(file("big.txt"), std::string(40000, 'x'));
    expectError(174,
                [&] { doc().DrawWrapText(file("big.txt").string(), 0, 0, 1, 1, {}, {}, none); });
}

TEST_F(TextTest, AnAcceptedAlignmentIsRememberedEvenWhenALaterArgumentFails) {
    expectError(151, [&] { doc().DrawText("x", 1, 1, Variant("right"), {}, Variant("w")); });
    doc().DrawRotatedText("y", 1, 1, 90);
    const auto r = records();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].code, 92);
    EXPECT_EQ(r[1].integer(2), 3);
    EXPECT_EQ(r[1].integer(4), 90);
}

TEST_F(TextTest, WrapTextFromAFileAndPlaceholdersStayUnexpanded) {
    writeAll(file("t.txt"), "line one\r\nline two");
    Variant none;
    doc().DrawWrapText(file("t.txt").string(), 1, 1, 3, 2, Variant("r"), Variant("baseline"), none);
    doc().DrawText("Page ##", 1, 1);
    const auto r = records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[1].code, 91);
    EXPECT_EQ(r[1].text(5), "line one\r\nline two");
    EXPECT_EQ(r[2].text(4), "Page ##");
}

TEST_F(TextTest, TextIsStoredInWindows1252) {
    doc().DrawText("caf\xC3\xA9 \xE2\x82\xAC", 1, 1);
    EXPECT_EQ(records()[1].text(4), "caf\xE9 \x80");
}

} // namespace
} // namespace docuvel::test
