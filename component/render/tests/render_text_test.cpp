#include "component/document/LogicalFont.h"
#include "component/document/Placeholders.h"
#include "component/render/PagePlayback.h"
#include "component/render/tests/RenderFixture.h"

#include <gtest/gtest.h>

namespace docuvel {
namespace {

using namespace test;
using RenderTextTest = RenderFixture;

constexpr char kArial[] = "\xAF";

gdi::TEXTMETRICA metricsOf(const gdi::LogFont& lf) {
    gdi::DeviceCaps caps;
    caps.logPixelsX = caps.logPixelsY = kDpi;
    gdi::Dc dc(caps);
    gdi::SelectObject(dc, gdi::CreateFontIndirect(lf));
    gdi::TEXTMETRICA tm;
    gdi::GetTextMetricsA(dc, &tm);
    return tm;
}

// Rows of an image that hold ink, grouped into bands of consecutive rows.
std::vector<QRect> lineBands(const QImage& image) {
    std::vector<QRect> bands;
    for (int y = 0; y < image.height(); ++y) {
        const QRect row = inkBounds(image, kWhite, QRect(0, y, image.width(), 1));
        if (row.isNull())
            continue;
        if (!bands.empty() && bands.back().bottom() == y - 1)
            bands.back() = bands.back().united(row);
        else
            bands.push_back(row);
    }
    return bands;
}

TEST_F(RenderTextTest, BaseLineOptionsMoveTheCell) {
    const gdi::TEXTMETRICA tm = metricsOf(logicalFont(kArial, 20, "", kDpi));
    const TextCell cell{tm.tmHeight, tm.tmAscent, tm.tmInternalLeading};
    int topAtAscent = 0;
    for (std::int16_t option = 1; option <= 5; ++option) {
        TestDocument doc;
        doc.font(kArial, 20).text(0.2f, 0.5f, "HHH", 1, option);
        const QRect ink = inkBounds(render(doc, 1, kDpi, kDpi));
        ASSERT_FALSE(ink.isNull()) << option;
        if (option == 1)
            topAtAscent = ink.top();
        const float shift = 300 - cellTop(300, option, cell);
        EXPECT_NEAR(ink.top(), topAtAscent - shift, 1) << option;
        if (option == 4) {
            EXPECT_NEAR(ink.bottom(), 299, 1); // capitals sit on the base line
        }
    }
}

TEST_F(RenderTextTest, AlignmentPlacesTheText) {
    // The ink's left edge, centre or right edge lies at x = 300.
    for (std::int16_t alignment = 1; alignment <= 3; ++alignment) {
        TestDocument doc;
        doc.font(kArial, 12).text(0.5f, 0.5f, "HHHH", alignment);
        const QRect ink = inkBounds(render(doc, 1, kDpi, kDpi));
        const int anchor = alignment == 1   ? ink.left()
                           : alignment == 2 ? (ink.left() + ink.right() + 1) / 2
                                            : ink.right() + 1;
        EXPECT_NEAR(anchor, 300, 8) << alignment;
        EXPECT_GT(ink.width(), 200) << alignment;
    }
}

TEST_F(RenderTextTest, MaxWidthClipsOneLine) {
    TestDocument doc;
    doc.font(kArial, 12).text(0.1f, 0.5f, "HHHHHHHHHHHHHHHHHHHHHHHHHHHHHH", 1, 4, 0.25f);
    const QRect ink = inkBounds(render(doc, 1, kDpi, kDpi));
    EXPECT_LT(ink.right(), 60 + 150); // cut at the right edge of its box
    EXPECT_GT(ink.right(), 60 + 100);
    EXPECT_LT(ink.height(), 100);
}

TEST_F(RenderTextTest, RotatedTextCentresOnItsPoint) {
    TestDocument doc;
    doc.font(kArial, 12).rotatedText(0.5f, 0.5f, "HHHHHH", 90, 2);
    const QRect ink = inkBounds(render(doc, 1, kDpi, kDpi));
    EXPECT_GT(ink.height(), 2 * ink.width()); // running up the page
    EXPECT_NEAR(ink.center().y(), 300, 3);
    EXPECT_GE(ink.left(), 299); // the cell's top edge is the line through the point
}

TEST_F(RenderTextTest, UprightTextAfterRotatedTextKeepsItsFont) {
    TestDocument plain, mixed;
    plain.font(kArial, 14, "s").text(0.1f, 0.8f, "Struck");
    mixed.font(kArial, 14, "s").rotatedText(0.5f, 0.5f, "Up", 45).text(0.1f, 0.8f, "Struck");
    const QRect band(0, 400, kDpi, 200);
    EXPECT_EQ(render(plain, 1, kDpi, kDpi).copy(band), render(mixed, 1, kDpi, kDpi).copy(band));
}

TEST_F(RenderTextTest, WrappedTextStaysInItsRectangle) {
    TestDocument doc;
    doc.font(kArial, 5).wrapText(0.1f, 0.1f, 0.6f, 0.3f,
                                 "EVERY WORD OF THIS TEXT WRAPS INSIDE A SMALL BOX AND WHAT DOES "
                                 "NOT FIT BELOW IT IS CUT OFF AT THE BOTTOM EDGE OF THE BOX");
    const QImage image = render(doc, 1, kDpi, kDpi);
    const QRect ink = inkBounds(image);
    EXPECT_TRUE(QRect(60, 60, 300, 120).contains(ink))
        << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
    EXPECT_GE(lineBands(image).size(), 3u);
}

TEST_F(RenderTextTest, PagePlaceholderShowsEachPageNumber) {
    TestDocument pages, literal;
    pages.font(kArial, 24).text(0.2f, 0.5f, "##").newPage().font(kArial, 24).text(0.2f, 0.5f, "##");
    literal.font(kArial, 24).text(0.2f, 0.5f, "1").newPage().font(kArial, 24).text(0.2f, 0.5f, "2");
    for (int page : {1, 2}) {
        EXPECT_EQ(render(pages, page, 300, 300), render(literal, page, 300, 300)) << page;
        EXPECT_EQ(currentPageNumber(), page);
    }
}

TEST_F(RenderTextTest, DefaultFontWithoutFontRecord) {
    TestDocument doc;
    doc.text(0.2f, 0.5f, "HHH");
    const QRect ink = inkBounds(render(doc, 1, kDpi, kDpi));
    // Times New Roman, 42 pixels of character height: capitals about two thirds of that.
    EXPECT_NEAR(ink.height(), 28, 4);
}

TEST_F(RenderTextTest, PreviewBreaksWrappedTextAtTheSameWords) {
    TestDocument doc(2, 1.5f);
    doc.font("\xAE", 11)
        .wrapText(0.1f, 0.1f, 1.9f, 1.4f,
                  "A TEXT FITTED AGAINST THE PRINTER MUST BREAK AT THE SAME WORDS "
                  "WHETHER THE PAGE IS PRINTED AT SIX HUNDRED DOTS PER INCH OR SHOWN "
                  "IN A SMALL PREVIEW OR THE PREVIEW WOULD LIE ABOUT THE PRINTOUT");
    const QImage full = renderPath(doc.path(), 1, 1200, 900);
    const QImage small = renderPath(doc.path(), 1, 300, 225);
    const auto fullBands = lineBands(full);
    const auto smallBands = lineBands(small);
    ASSERT_GE(fullBands.size(), 3u);
    ASSERT_EQ(fullBands.size(), smallBands.size());
    for (std::size_t i = 0; i < fullBands.size(); ++i) {
        EXPECT_NEAR(fullBands[i].right() / 1200.0, smallBands[i].right() / 300.0, 0.012) << i;
        EXPECT_NEAR(fullBands[i].top() / 900.0, smallBands[i].top() / 225.0, 0.012) << i;
    }
}

} // namespace
} // namespace docuvel
