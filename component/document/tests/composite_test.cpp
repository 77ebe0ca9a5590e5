#include "component/document/tests/DocuvelFixture.h"

#include <cmath>

namespace docuvel::test {
namespace {

using CompositeTest = DocuvelTest;

TEST_F(CompositeTest, MarkerIsALineAndADotInThePenColour) {
    doc().let_PenColor(0xFF);
    doc().DrawMarker(1, 1, 2, 2);
    const float r = float(2 * (1.0 / 72));
    const float lo = 2 - r, hi = lo + 2 * r;
    Bytes want;
    want.add(pen(1, 0xFF)).i16(10).f32(1).f32(1).f32(2).f32(2);
    want.add(pen(1, 0xFF)).add(fill(1, 0xFF, 0xFFFFFF));
    want.i16(20).f32(lo).f32(lo).f32(hi).f32(hi);
    want.add(fill(1, 0xFFFFFF, 0xFFFFFF)).add(pen(1, 0xFF));
    EXPECT_EQ(hex(body()), hex(want.str()));
}

TEST_F(CompositeTest, ArrowHeadCorners) {
    doc().SetPen(Variant(std::int16_t(2)), {});
    doc().DrawArrow(1, 1, 3, 1);
    doc().DrawArrow(1, 3, 1, 1);
    const auto r = records();
    const double L = 8.0 / 72, pi = 3.141592;
    ASSERT_GE(r.size(), 12u);
    EXPECT_EQ(r[1].code, 10);
    EXPECT_FLOAT_EQ(r[1].single(2), float(3 - 0.75 * L));
    EXPECT_EQ(r[4].code, 60);
    EXPECT_FLOAT_EQ(r[4].single(2), float(3 - L * std::cos(30 * pi / 180)));
    EXPECT_FLOAT_EQ(r[4].single(3), float(1 + L * 0.5));
    EXPECT_FLOAT_EQ(r[4].single(5), float(1 - L * 0.5));
    EXPECT_EQ(r[5].code, 102);
    EXPECT_EQ(r[6].code, 101);
    EXPECT_EQ(r[6].single(0), 2.f); // width restored
    // Pointing up: the corners lie below the tip, half a head to either side.
    const Record& up = r[10];
    ASSERT_EQ(up.code, 60);
    EXPECT_NEAR(up.single(2), 1 + 0.5 * L, 1e-6);
    EXPECT_NEAR(up.single(4), 1 - 0.5 * L, 1e-6);
    EXPECT_GT(up.single(3), 1.f);
    EXPECT_GT(up.single(5), 1.f);
}

TEST_F(CompositeTest, LayoutGridInInches) {
    doc().SetFont(Variant("Courier New"), Variant(std::int16_t(12)), Variant("bold"), {}, {});
    doc().SetPen(Variant(2.0), Variant("red"));
    doc().DrawLayoutGrid();
    EXPECT_EQ(doc().get_FontName(), "Courier New");
    EXPECT_EQ(doc().get_FontStyle(), "Bold");
    EXPECT_EQ(doc().get_PenWidth(), 2.f);
    EXPECT_EQ(doc().get_PenColor(), 0xFF);
    const auto r = records();
    int vertical = 0, horizontal = 0;
    std::vector<std::string> leftLabels;
    for (const Record& rec : r) {
        if (rec.code == 10 && rec.single(0) == rec.single(2))
            ++vertical;
        else if (rec.code == 10)
            ++horizontal;
        if (rec.code == 90 && rec.single(0) == 0.75f)
            leftLabels.push_back(rec.text(4));
    }
    EXPECT_EQ(vertical, 35);
    EXPECT_EQ(horizontal, 45);
    ASSERT_GE(leftLabels.size(), 3u);
    EXPECT_EQ(leftLabels[0], "0");
    EXPECT_EQ(leftLabels[1], ".5");
    EXPECT_EQ(leftLabels[2], "1");
    EXPECT_EQ(leftLabels.back(), "11");
    const Record& caption = r[r.size() - 3];
    EXPECT_EQ(caption.text(4), "Inches");
    EXPECT_EQ(caption.single(0), 0.25f);
    EXPECT_EQ(caption.integer(3), 1);
    EXPECT_EQ(caption.integer(5), 1);
}

TEST_F(CompositeTest, ColourCardLeavesItsSettingsButNotItsUnit) {
    doc().let_UnitOfMeasure(2);
    doc().DrawColorPalette(2.54f, 2.54f);
    EXPECT_EQ(doc().get_UnitOfMeasure(), 2);
    EXPECT_EQ(doc().get_FontName(), "Arial");
    EXPECT_EQ(doc().get_FillForeColorName(), "Violet");
    const auto r = records();
    int swatches = 0;
    for (const Record& rec : r)
        swatches += rec.code == 30;
    EXPECT_EQ(swatches, 39);
    const Record* first = nullptr;
    for (const Record& rec : r)
        if (rec.code == 30 && !first)
            first = &rec;
    ASSERT_TRUE(first);
    EXPECT_FLOAT_EQ(first->single(0), 1.f);
    EXPECT_FLOAT_EQ(first->single(2), 1.25f);
}

class TemplateTest : public DocuvelTest {
protected:
    // A finished two-page document: page 1 with settings and a polygon, page 2 empty.
    std::filesystem::path makeTemplate() {
        com::ServerLock lock;
        auto* t = new Docuvel(lock);
        t->SetFont(Variant("Courier New"), Variant(std::int16_t(9)), Variant("bold underline"),
                   Variant(std::int32_t(5)), Variant("none"));
        t->SetPen(Variant(std::int16_t(3)), Variant("blue"));
        t->SetPolygonPoint(0, 0);
        t->SetPolygonPoint(1, 0);
        t->SetPolygonPoint(1, 1);
        t->DrawPolygon();
        t->DrawText("Page ##", 1, 1, {}, {}, {});
        t->NewPage();
        const auto path = file("template.dvd");
        t->SaveDoc(path.string(), {});
        t->release();
        return path;
    }
};

TEST_F(TemplateTest, CopiesThePageRecordsAndTakesOverTheirSettings) {
    const auto path = makeTemplate();
    const std::string source = readAll(path);
    doc().DrawTemplatePage(path.string(), 1);
    EXPECT_EQ(doc().get_FontName(), "Courier New");
    EXPECT_EQ(doc().get_FontStyle(), "BoldUnderline");
    EXPECT_EQ(doc().get_FontBackColor(), 1);
    EXPECT_EQ(doc().get_PenWidth(), 3.f);
    EXPECT_EQ(doc().get_PenColor(), 0xFF0000);
    // Page 1 of the template runs from 404 up to the page break before page 2.
    const std::int32_t page2 = DocumentReader(path).pageStart(2);
    EXPECT_EQ(hex(body()), hex(source.substr(403, std::size_t(page2 - 3 - 403))));
}

TEST_F(TemplateTest, EmptyPageWritesNothingAndErrors) {
    const auto path = makeTemplate();
    writeAll(file("text.txt"), std::string(600, 't'));
    doc().DrawTemplatePage(path.string(), 2);
    expectError(167, [&] { doc().DrawTemplatePage(file("none").string(), 1); });
    expectError(168, [&] { doc().DrawTemplatePage(file("text.txt").string(), 1); });
    expectError(169, [&] { doc().DrawTemplatePage(path.string(), 3); });
    expectError(170, [&] { doc().DrawTemplatePage(path.string(), 0); });
    expectError(170, [&] { doc().DrawTemplatePage(path.string(), -1); });
    // The object's own working file has no page table yet.
    expectError(
        168, [&] { doc().DrawTemplatePage(object().documentPath().string(), 1); },
        int(TemplateFault::BadFirstRecord));
    EXPECT_EQ(body(), "");
}

TEST_F(TemplateTest, DamagedRecordsStopTheCopy) {
    const auto path = makeTemplate();
    std::string bytes = readAll(path);
    const std::size_t polygon = bytes.find(std::string("\x32\x00\x03\x00", 4));
    ASSERT_NE(polygon, std::string::npos);
    bytes[polygon] = 5; // code 5 is no record
    writeAll(path, bytes);
    try {
        doc().DrawTemplatePage(path.string(), 1);
        ADD_FAILURE() << "damaged template copied";
    } catch (const com::Error& e) {
        EXPECT_EQ(e.number(), 168);
        EXPECT_EQ(e.description(), errorText(168, int(TemplateFault::BadLaterRecord)));
    }
    // What came before the damage stays.
    EXPECT_EQ(codes(), (std::vector<std::int16_t>{100, 101, 102}));
}

} // namespace
} // namespace docuvel::test
