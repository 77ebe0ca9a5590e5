// Documents written through the Docuvel interface, rendered as the preview and the printer do.
#include "component/document/Docuvel.h"
#include "component/document/Placeholders.h"
#include "component/render/tests/RenderFixture.h"

#include <gtest/gtest.h>

namespace docuvel {
namespace {

using namespace test;
using com::Variant;
using RenderDocuvelTest = RenderFixture;

class Document {
public:
    Document() : object_(new Docuvel(lock_)), doc_(com::Ptr<_Docuvel>::adopt(object_)) {}
    _Docuvel* operator->() { return doc_.get(); }
    std::string finished() {
        object_->finishDocument();
        return object_->documentPath().string();
    }

private:
    com::ServerLock lock_;
    Docuvel* object_;
    com::Ptr<_Docuvel> doc_;
};

TEST_F(RenderDocuvelTest, PagesOfTheInterfaceRenderWithTheirPageNumbers) {
    Document doc;
    doc->let_PageWidth(2);
    doc->let_PageHeight(1);
    doc->SetFont(Variant("a"), Variant(24.0f), {}, {}, {});
    doc->SetPen(Variant(0.75f), Variant("Red"));
    for (int page = 1; page <= 2; ++page) {
        if (page > 1)
            doc->NewPage();
        doc->DrawLine(0.1f, 0.5f, 1.9f, 0.5f);
        doc->DrawText("Page ##", 0.2f, 0.25f, {}, {}, {});
    }
    const std::string path = doc.finished();
    const QImage two = renderPath(path, 2, 1200, 600);
    // The 0.75-point line is a 6-pixel bar at 600 dpi.
    EXPECT_EQ(inkBounds(two, kWhite, QRect(0, 280, 1200, 40)).height(), 6);
    EXPECT_EQ(currentPageNumber(), 2);
    EXPECT_NE(renderPath(path, 1, 1200, 600), two); // "1" and "2" differ
}

TEST_F(RenderDocuvelTest, FittedWrapTextBreaksAtTheSameWordsInPreviewAndPrint) {
    Document doc;
    doc->let_PageWidth(3);
    doc->let_PageHeight(2);
    std::string rest;
    Variant remaining = Variant::byRef(rest);
    doc->DrawWrapText("THE PART THAT FITS THE BOX IS DRAWN AND THE REST IS HANDED BACK TO THE "
                      "CLIENT WHO ASKED FOR IT SO THAT IT CAN GO ON THE NEXT PAGE",
                      0.1f, 0.1f, 1.6f, 0.6f, {}, {}, remaining);
    EXPECT_FALSE(remaining.text().value_or("").empty());
    const std::string path = doc.finished();
    const QImage print = renderPath(path, 1, 1800, 1200);
    const QImage preview = renderPath(path, 1, 450, 300);
    const QRect a = inkBounds(print), b = inkBounds(preview);
    EXPECT_NEAR(a.right() / 1800.0, b.right() / 450.0, 0.01);
    EXPECT_NEAR(a.bottom() / 1200.0, b.bottom() / 300.0, 0.01);
    EXPECT_LE(a.bottom(), 0.6 * 600 + 10); // the fitted part stays in its box
}

} // namespace
} // namespace docuvel
