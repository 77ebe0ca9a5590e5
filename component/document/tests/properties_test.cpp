#include "component/document/tests/DocuvelFixture.h"

namespace docuvel::test {
namespace {

using PropertiesTest = DocuvelTest;

TEST_F(PropertiesTest, DefaultsOfANewObject) {
    EXPECT_EQ(doc().get_PageWidth(), 8.5f);
    EXPECT_EQ(doc().get_PageHeight(), 11.f);
    EXPECT_EQ(doc().get_UnitOfMeasure(), 1);
    EXPECT_EQ(doc().get_Title(), "");
    EXPECT_EQ(doc().get_FontName(), "Times New Roman");
    EXPECT_EQ(doc().get_FontSize(), 10.f);
    EXPECT_EQ(doc().get_FontStyle(), "Plain");
    EXPECT_EQ(doc().get_FontBackColor(), 1);
    EXPECT_EQ(doc().get_FillStyleName(), "Solid");
    EXPECT_EQ(doc().get_FillForeColorName(), "White");
    EXPECT_EQ(doc().get_PenColorName(), "Black");
    EXPECT_EQ(doc().get_PreviewBackColor(), 0x7D7D7D);
    EXPECT_EQ(doc().get_PreviewInitialZoom(), 0);
    EXPECT_TRUE(doc().get_PreviewAutoScroll());
    EXPECT_FALSE(doc().get_PreviewSlowDrag());
    EXPECT_EQ(doc().get_PageNumber(), 1);
    EXPECT_EQ(body(), ""); // no setting record yet
}

TEST_F(PropertiesTest, HeaderTextsArePaddedAndWrittenInPlace) {
    doc().let_Title(std::string(50, 'T'));
    expectError(160, [&] { doc().let_Title(std::string(51, 'T')); });
    doc().let_Title("");
    EXPECT_EQ(doc().get_Title(), std::string(50, 'T'));
    doc().let_Comment(std::string(255, 'c'));
    doc().let_Comment("Hi");
    expectError(202, [&] { doc().let_Comment(std::string(256, 'c')); });
    doc().let_Author("  Ann  ");
    expectError(201, [&] { doc().let_Author(std::string(51, 'a')); });
    EXPECT_EQ(doc().get_Comment(), "Hi");
    EXPECT_EQ(doc().get_Author(), "Ann");
    doc().let_UnitOfMeasure(2);
    doc().let_PageWidth(21.59f);
    EXPECT_EQ(doc().get_PageWidth(), 21.59f);
    object().finishDocument();
    const std::string bytes = readAll(object().documentPath());
    EXPECT_EQ(decodeSingle(bytes.data() + 40), 8.5f);
    EXPECT_EQ(bytes.substr(48, 50), std::string(50, 'T'));
    EXPECT_EQ(bytes.substr(98, 50), "  Ann" + std::string(45, ' '));
    EXPECT_EQ(bytes.substr(148, 255), "Hi" + std::string(253, ' '));
}

TEST_F(PropertiesTest, ColourNamesAndTheirReadBack) {
    doc().let_PenColorName("GREEN");
    EXPECT_EQ(doc().get_PenColor(), 0x00FF00);
    EXPECT_EQ(doc().get_PenColorName(), "Green");
    doc().let_FillBackColorName("light brown");
    EXPECT_EQ(doc().get_FillBackColorName(), "Light Brown");
    doc().let_FillForeColorName("orange");
    EXPECT_EQ(doc().get_FillForeColorName(), "Not found in palette.");
    doc().let_FontForeColorName("dark blue");
    EXPECT_EQ(doc().get_FontForeColorName(), "Cobalt Blue");
    doc().let_PreviewBackColorName("");
    EXPECT_EQ(doc().get_PreviewBackColor(), 0);
    doc().let_PreviewBackColorName("Red");
    EXPECT_EQ(doc().get_PreviewBackColor(), 0xFF);
    EXPECT_EQ(codes(), (std::vector<std::int16_t>{101, 102, 102, 100}));
}

TEST_F(PropertiesTest, PropertyErrors) {
    struct Case {
        int number;
        std::function<void(_Docuvel&)> call;
    };
    const Case cases[] = {
        {162,
         [](_Docuvel& d) {
             d.let_UnitOfMeasure(6);
         }},
        {162,
         [](_Docuvel& d) {
             d.let_UnitOfMeasure(0);
         }},
        {161,
         [](_Docuvel& d) {
             d.let_PreviewCaption("   ");
         }},
        {161,
         [](_Docuvel& d) {
             d.let_PreviewCaption(std::string(256, 'x'));
         }},
        {175,
         [](_Docuvel& d) {
             d.let_FillBackColor(0x1000000);
         }},
        {176,
         [](_Docuvel& d) {
             d.let_FillBackColorName("mauve");
         }},
        {177,
         [](_Docuvel& d) {
             d.let_FillForeColor(-1);
         }},
        {178,
         [](_Docuvel& d) {
             d.let_FillForeColorName(" red");
         }},
        {179,
         [](_Docuvel& d) {
             d.let_FillStyle(9);
         }},
        {180,
         [](_Docuvel& d) {
             d.let_FillStyleName("stripes");
         }},
        {181,
         [](_Docuvel& d) {
             d.let_FontBackColor(-2);
         }},
        {182,
         [](_Docuvel& d) {
             d.let_FontBackColorName("x");
         }},
        {183,
         [](_Docuvel& d) {
             d.let_FontForeColor(0x1000000);
         }},
        {184,
         [](_Docuvel& d) {
             d.let_FontForeColorName("x");
         }},
        {185,
         [](_Docuvel& d) {
             d.let_FontName("  ");
         }},
        {186,
         [](_Docuvel& d) {
             d.let_FontSize(3.9f);
         }},
        {203,
         [](_Docuvel& d) {
             d.let_PenColor(-1);
         }},
        {204,
         [](_Docuvel& d) {
             d.let_PenColorName(" red");
         }},
        {205,
         [](_Docuvel& d) {
             d.let_PenWidth(0.1f);
         }},
        {205,
         [](_Docuvel& d) {
             d.let_PenWidth(-1);
         }},
        {206,
         [](_Docuvel& d) {
             d.let_PenWidth(300.5f);
         }},
        {207,
         [](_Docuvel& d) {
             d.let_PreviewBackColor(0x1000000);
         }},
        {208,
         [](_Docuvel& d) {
             d.let_PreviewBackColorName("x");
         }},
        {209,
         [](_Docuvel& d) {
             d.let_PreviewToolbarLocation(3);
         }},
        {226,
         [](_Docuvel& d) {
             d.let_PreviewInitialZoom(55);
         }},
        {226,
         [](_Docuvel& d) {
             d.let_PreviewInitialZoom(110);
         }},
    };
    for (const Case& c : cases)
        expectError(c.number, [&] { c.call(doc()); });
    EXPECT_EQ(body(), "");
}

TEST_F(PropertiesTest, AcceptedValues) {
    doc().let_PenWidth(0);
    EXPECT_EQ(doc().get_PenWidth(), 0.f);
    doc().let_PreviewInitialZoom(50);
    EXPECT_EQ(doc().get_PreviewInitialZoom(), 50);
    doc().let_PreviewInitialZoom(-1);
    EXPECT_EQ(doc().get_PreviewInitialZoom(), -1);
    doc().let_PreviewAutoHideToolbar(true);
    EXPECT_TRUE(doc().get_PreviewAutoHideToolbar());
    doc().let_PreviewToolbarLocation(2);
    EXPECT_EQ(doc().get_PreviewToolbarLocation(), 2);
    doc().let_FillStyleName("Diagonal Gridlines");
    EXPECT_EQ(doc().get_FillStyle(), 6);
    doc().let_PreviewCaption(" Report ");
    EXPECT_EQ(doc().get_PreviewCaption(), " Report ");
    doc().let_FontSize(12);
    Bytes want;
    want.add(pen(0)).add(fill(6)).add(font("\xAE", 12));
    EXPECT_EQ(hex(body()), hex(want.str()));
}

} // namespace
} // namespace docuvel::test
