#include "component/document/Placeholders.h"
#include "component/render/PagePlayback.h"
#include "component/render/RenderPage.h"
#include "component/render/RendererMessages.h"
#include "component/render/tests/RenderFixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace docuvel {
namespace {

using namespace test;
using RenderPageTest = RenderFixture;

TEST_F(RenderPageTest, EmptyPageLeavesTargetUntouched) {
    TestDocument doc;
    doc.newPage().pen(1).line(0, 0.5f, 1, 0.5f).newPage();
    for (int page : {1, 3}) {
        const QImage image = render(doc, page, 120, 120, kGreen);
        EXPECT_EQ(countColour(image, kGreen), 120 * 120) << page;
    }
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(currentPageNumber(), 3);
}

TEST_F(RenderPageTest, WidePenIsSquareEndedRectangle) {
    // 0.75 point at 600 dpi is 6 pixels: a filled rectangle from 3 pixels above the line.
    TestDocument doc;
    doc.pen(0.75f, kRedRef).line(0.1f, 0.5f, 0.9f, 0.5f).line(0.5f, 0.1f, 0.5f, 0.2f);
    const QImage image = render(doc, 1, kDpi, kDpi);
    EXPECT_EQ(inkBounds(image, kWhite, QRect(0, 250, kDpi, 100)), QRect(60, 297, 480, 6));
    EXPECT_EQ(inkBounds(image, kWhite, QRect(0, 0, kDpi, 200)), QRect(297, 60, 6, 60));
    EXPECT_EQ(countColour(image, kRed), 480 * 6 + 60 * 6);
}

TEST_F(RenderPageTest, NarrowPenDrawsOrdinaryLine) {
    TestDocument doc;
    doc.pen(0.6f, kRedRef).line(0.1f, 0.5f, 0.9f, 0.5f);
    const QImage image = render(doc, 1, kDpi, kDpi);
    const QRect column = inkBounds(image, kWhite, QRect(300, 0, 1, kDpi));
    EXPECT_EQ(column.height(), 5);
    EXPECT_NEAR(column.center().y(), 300, 1);
}

TEST_F(RenderPageTest, PenOfWidthZeroHidesLinesOutlinesAndFrames) {
    TestDocument doc;
    doc.pen(0).fill(2, 0).line(0.1f, 0.5f, 0.9f, 0.5f);
    doc.box(RecordCode::Rectangle, 0.1f, 0.1f, 0.4f, 0.4f);
    doc.box(RecordCode::ClipRectangle, 0.5f, 0.5f, 0.9f, 0.9f).record(190);
    const QImage image = render(doc, 1, 240, 240);
    EXPECT_EQ(countColour(image, kWhite), 240 * 240);
}

TEST_F(RenderPageTest, HatchGapsFollowTheBackground) {
    const struct {
        std::int32_t background;
        QRgb gap;
    } cases[] = {{1, kGreen}, {kBlueRef, kBlue}, {0, qRgb(0, 0, 0)}};
    for (const auto& c : cases) {
        TestDocument doc;
        doc.pen(0).fill(4, kRedRef, c.background);
        doc.box(RecordCode::Rectangle, 0.1f, 0.1f, 0.9f, 0.9f);
        const QImage image = render(doc, 1, kDpi, kDpi, kGreen);
        const QRect inside(100, 100, 400, 400);
        const int red = countColour(image, kRed, inside);
        const int gap = countColour(image, c.gap, inside);
        EXPECT_GT(red, 0) << c.background;
        EXPECT_GT(gap, red) << c.background;
        EXPECT_EQ(red + gap, 400 * 400) << c.background;
    }
}

TEST_F(RenderPageTest, ClipHoldsDrawingAndFramesItsShape) {
    const struct {
        float pen;
        bool framed;
    } cases[] = {{2, true}, {0, false}};
    for (const auto& c : cases) {
        TestDocument doc;
        doc.pen(c.pen, kBlueRef).fill(2, 0);
        doc.box(RecordCode::ClipRectangle, 0.25f, 0.25f, 0.75f, 0.75f);
        doc.pen(0).fill(1, kRedRef).box(RecordCode::Rectangle, 0, 0, 1, 1).record(190);
        const QImage image = render(doc, 1, kDpi, kDpi);
        EXPECT_EQ(image.pixel(50, 50), kWhite);
        EXPECT_EQ(image.pixel(300, 300), kRed);
        EXPECT_EQ(image.pixel(150, 300), c.framed ? kBlue : kRed) << c.pen;
        EXPECT_EQ(image.pixel(145, 300), c.framed ? kBlue : kWhite) << c.pen;
        EXPECT_EQ(image.pixel(120, 300), kWhite) << c.pen;
    }
}

TEST_F(RenderPageTest, NewClipFramesTheOldShapeFirst) {
    TestDocument doc;
    doc.pen(2, kBlueRef).fill(2, 0);
    doc.box(RecordCode::ClipEllipse, 0.1f, 0.1f, 0.4f, 0.4f);
    doc.box(RecordCode::ClipRectangle, 0.5f, 0.5f, 0.9f, 0.9f);
    doc.pen(0).fill(1, kRedRef).box(RecordCode::Rectangle, 0, 0, 1, 1).record(190);
    const QImage image = render(doc, 1, kDpi, kDpi);
    EXPECT_EQ(image.pixel(60, 150), kBlue);   // the first frame, drawn unclipped
    EXPECT_EQ(image.pixel(150, 150), kWhite); // the first shape no longer clips
    EXPECT_EQ(image.pixel(420, 420), kRed);   // the second does
    EXPECT_EQ(image.pixel(560, 420), kWhite);
}

TEST_F(RenderPageTest, BadRecordTypeShowsMessageAndKeepsWhatCameBefore) {
    for (std::int16_t bad : {std::int16_t(5), std::int16_t(250)}) {
        host::ScriptedDialogs seen;
        TestDocument doc;
        doc.pen(0).fill(1, kRedRef).box(RecordCode::Rectangle, 0.1f, 0.1f, 0.4f, 0.4f);
        doc.record(bad).fill(1, kBlueRef).box(RecordCode::Rectangle, 0.6f, 0.6f, 0.9f, 0.9f);
        const QImage image = render(doc, 1, 120, 120);
        ASSERT_EQ(seen.messages.size(), 1u) << bad;
        EXPECT_EQ(seen.messages[0].title.toStdString(), kUnknownDocumentMessage.title);
        EXPECT_EQ(seen.messages[0].text.toStdString(), kUnknownDocumentMessage.text);
        EXPECT_EQ(seen.messages[0].icon, host::MsgIcon::Exclamation);
        EXPECT_GT(countColour(image, kRed), 0) << bad;
        EXPECT_EQ(countColour(image, kBlue), 0) << bad;
    }
}

TEST_F(RenderPageTest, MissingDocumentShowsMessageAndDrawsNothing) {
    const QImage image = renderPath((tempFolder().dir() / "gone.doc").string(), 1, 50, 50, kGreen);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title.toStdString(), kDocumentMissingMessage.title);
    EXPECT_EQ(dialogs.messages[0].text.toStdString(), kDocumentMissingMessage.text);
    EXPECT_EQ(countColour(image, kGreen), 50 * 50);
}

// Rewrites bytes of a finished file in place.
void patch(const std::string& path, std::int64_t position, std::string_view bytes) {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(position - 1);
    f.write(bytes.data(), std::streamsize(bytes.size()));
}

TEST_F(RenderPageTest, DamagedFilesAreUnknownDocuments) {
    // Position 404 holds the first record of page 1.
    const struct {
        const char* what;
        std::int16_t code;
        std::string patchBytes; // at 406, right after the code
    } cases[] = {
        {"polygon count beyond the file", 50, std::string("\xFF\x7F", 2)},
        {"negative polygon count", 50, std::string("\x00\x80", 2)},
        {"text longer than the file", 92, std::string(8, '\0') + "\x01\x00" + "\xFF\x7F"},
        {"picture longer than the file", 80, std::string(16, '\0') + "\xFF\xFF\xFF\x7F"},
        {"negative picture length", 80, std::string(16, '\0') + "\x00\x00\x00\x80"},
    };
    for (const auto& c : cases) {
        host::ScriptedDialogs seen;
        TestDocument doc;
        // Room for the damaged record, written over it below.
        for (int i = 0; i < 7; ++i)
            doc.record(12, {0.0f, 0.0f});
        const std::string path = doc.path();
        char code[2] = {char(c.code & 0xFF), char(c.code >> 8)};
        patch(path, 404, std::string_view(code, 2));
        patch(path, 406, c.patchBytes);
        render(doc, 1, 60, 60);
        ASSERT_EQ(seen.messages.size(), 1u) << c.what;
        EXPECT_EQ(seen.messages[0].title.toStdString(), kUnknownDocumentMessage.title) << c.what;
    }
}

TEST_F(RenderPageTest, TruncatedAndCorruptedFilesNeverHang) {
    TestDocument doc;
    doc.pen(1, kRedRef).fill(5, kBlueRef, 0).font("\xAF", 12, "b");
    doc.record(41, {0.1f, 0.1f, 0.9f, 0.9f, 0.2f, 0.2f});
    doc.text(0.2f, 0.5f, "Page ##").record(190).line(0, 0, 1, 1);
    const std::string good = doc.path();
    std::ifstream in(good, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    const std::string damaged = (tempFolder().dir() / "render-test-damaged.doc").string();
    for (std::size_t n = kHeaderSize; n < bytes.size(); n += 7) {
        for (const bool cut : {true, false}) {
            std::string copy = bytes;
            if (cut)
                copy.resize(n);
            else
                copy[n] = char(~copy[n]);
            std::ofstream(damaged, std::ios::binary | std::ios::trunc) << copy;
            renderPath(damaged, 1, 40, 40);
        }
    }
    std::filesystem::remove(damaged);
    EXPECT_FALSE(dialogs.messages.empty());
}

TEST(MapToDevice, InchesBecomePrinterPixels) {
    RendererState s;
    s.printer.logPixelsX = s.printer.logPixelsY = 300;
    s.x1 = 1;
    s.y1 = 2;
    s.x3 = 0.5f;
    s.y3 = 1e30f; // a damaged value is held inside the device's range
    s.polygon = {{1, 2}, {0.1f, 0.2f}};
    MapToDevice(s);
    EXPECT_EQ(s.x1, 300);
    EXPECT_EQ(s.y1, 600);
    EXPECT_EQ(s.x3, 150);
    EXPECT_LT(s.y3, 1e7f);
    EXPECT_EQ(s.devicePolygon, (std::vector<DevicePoint>{{300, 600}, {30, 60}}));
}

// A 30 x 15 picture at 100 dpi: 0.3 x 0.15 inch.
std::filesystem::path writeRasterPicture() {
    QImage picture(30, 15, QImage::Format_RGB32);
    picture.fill(kRed);
    picture.setDotsPerMeterX(3937);
    picture.setDotsPerMeterY(3937);
    const auto path = uniquePath("render-test-picture", ".png");
    picture.save(QString::fromStdString(path.string()), "PNG");
    return path;
}

TEST_F(RenderPageTest, RasterPictureAtItsNaturalSizeBetweenTwoRecordings) {
    const auto picture = writeRasterPicture();
    TestDocument doc;
    doc.pen(0).fill(1, kBlueRef).box(RecordCode::Rectangle, 0, 0, 0.2f, 0.2f);
    doc.picture(0.1f, 0.1f, 0, 0, picture);
    doc.pen(0).fill(1, 0x00FF00).box(RecordCode::Rectangle, 0.35f, 0.2f, 0.5f, 0.4f);
    const QImage image = render(doc, 1, kDpi, kDpi);
    // Its edges: 180 x 90 printer pixels from (60, 60).
    const struct {
        int x, y;
        QRgb colour;
    } probes[] = {{60, 130, kRed},   {59, 130, kWhite},  {150, 60, kRed},
                  {150, 59, kWhite}, {239, 100, kRed},   {240, 100, kWhite},
                  {150, 149, kRed},  {150, 150, kWhite}, {30, 30, kBlue}, // under the picture
                  {100, 100, kRed},    // the picture over the first recording
                  {220, 130, kGreen}}; // the second recording over the picture
    for (const auto& p : probes)
        EXPECT_EQ(image.pixel(p.x, p.y), p.colour) << p.x << "," << p.y;

    // A preview a quarter of the size shows it at the same place.
    const QImage small = render(doc, 1, kDpi / 4, kDpi / 4);
    EXPECT_EQ(small.pixel(40, 30), kRed);
    EXPECT_EQ(small.pixel(20, 20), kRed);
    EXPECT_EQ(small.pixel(40, 40), kWhite);
    std::filesystem::remove(picture);
}

TEST_F(RenderPageTest, RasterPictureWithOnlyAWidthKeepsItsProportions) {
    const auto picture = writeRasterPicture();
    TestDocument doc;
    doc.picture(0.1f, 0.1f, 0.7f, 0, picture);
    EXPECT_EQ(inkBounds(render(doc, 1, kDpi, kDpi)), QRect(60, 60, 360, 180));
    std::filesystem::remove(picture);
}

TEST_F(RenderPageTest, EnhancedMetafileIsPlayedIntoItsBox) {
    const auto emf = uniquePath("render-test-picture", ".emf");
    {
        gdi::DeviceCaps caps;
        caps.logPixelsX = caps.logPixelsY = 100;
        caps.physicalWidth = caps.physicalHeight = 100;
        gdi::Dc reference(caps);
        const gdi::RECT frame{0, 0, 2540, 2540};
        auto recording = gdi::CreateEnhMetaFileA(&reference, emf.string(), &frame, "");
        ASSERT_TRUE(recording);
        gdi::SelectObject(*recording, gdi::CreatePen(gdi::PS_NULL, 1, 0));
        gdi::SelectObject(*recording, gdi::CreateSolidBrush(kRedRef));
        gdi::Rectangle(*recording, 0, 0, 101, 101);
        gdi::HENHMETAFILE mf = gdi::CloseEnhMetaFile(std::move(recording));
        ASSERT_TRUE(mf);
    }
    TestDocument doc;
    doc.picture(0.25f, 0.25f, 0.75f, 0.75f, emf);
    const QImage image = render(doc, 1, kDpi, kDpi);
    const QRect ink = inkBounds(image);
    EXPECT_NEAR(ink.left(), 150, 2);
    EXPECT_NEAR(ink.right(), 449, 2);
    EXPECT_EQ(image.pixel(300, 300), kRed);
    EXPECT_EQ(image.pixel(100, 100), kWhite);
    std::filesystem::remove(emf);
}

} // namespace
} // namespace docuvel
