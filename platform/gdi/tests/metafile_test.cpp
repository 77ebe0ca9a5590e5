#include "Canvas.h"

#include "platform/gdi/RasterPicture.h"

#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

using namespace gdi;
using gdi::test::Canvas;
using gdi::test::capsAt;
using gdi::test::inkAgreement;
using gdi::test::mismatch;

namespace {

constexpr int kWidth = 240, kHeight = 180; // the scene at 96 dpi

// A page of everything a recording must keep, drawn at k times 96 dpi.
void drawScene(Dc& dc, int k) {
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, CreatePen(PS_SOLID, 2 * k, RGB(0, 0, 128)));
    SelectObject(dc, CreateSolidBrush(RGB(255, 200, 0)));
    Rectangle(dc, 10 * k, 10 * k, 70 * k, 50 * k);
    SelectObject(dc, CreateHatchBrush(HS_DIAGCROSS, RGB(200, 0, 0)));
    Ellipse(dc, 80 * k, 10 * k, 150 * k, 50 * k);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(220, 255, 220));
    SelectObject(dc, CreateHatchBrush(HS_HORIZONTAL, RGB(0, 120, 0)));
    RoundRect(dc, 160 * k, 10 * k, 230 * k, 50 * k, 16 * k, 16 * k);
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, CreatePen(PS_SOLID, 1, 0));
    SelectObject(dc, CreateSolidBrush(RGB(100, 100, 255)));
    const POINT tri[] = {{10 * k, 110 * k}, {40 * k, 60 * k}, {70 * k, 110 * k}};
    Polygon(dc, tri);
    SelectObject(dc, CreatePen(PS_SOLID, 6 * k, RGB(128, 0, 128)));
    MoveToEx(dc, 80 * k, 60 * k);
    LineTo(dc, 150 * k, 100 * k);
    // A ring filled outward from its centre.
    SelectObject(dc, CreatePen(PS_SOLID, k, RGB(255, 0, 0)));
    SelectObject(dc, GetStockObject<HBRUSH>(NULL_BRUSH));
    Ellipse(dc, 160 * k, 60 * k, 230 * k, 110 * k);
    SelectObject(dc, CreateSolidBrush(RGB(0, 200, 200)));
    FloodFill(dc, 195 * k, 85 * k, RGB(255, 0, 0));
    // A clipped region and text.
    SelectClipRgn(dc, CreateEllipticRgn(10 * k, 120 * k, 90 * k, 175 * k));
    SelectObject(dc, CreateSolidBrush(RGB(255, 150, 150)));
    PaintRgn(dc, CreateRectRgn(0, 115 * k, 100 * k, 180 * k));
    SelectClipRgn(dc, {});
    SelectObject(dc,
                 CreateFontA(-14 * k, 0, 0, 0, 700, false, true, false, 1, 0, 0, 2, 0, "Arial"));
    SetTextColor(dc, RGB(0, 0, 160));
    TextOutA(dc, 100 * k, 115 * k, "Service 200 A");
    SelectObject(dc,
                 CreateFontA(-11 * k, 0, 0, 0, 400, false, false, false, 1, 0, 0, 2, 0, "\xAE"));
    SetTextColor(dc, 0);
    RECT box{100 * k, 135 * k, 230 * k, 175 * k};
    DrawTextA(dc, "Net computed load in volt-amperes, wrapped into the box", &box,
              DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(
        dc, CreateFontA(-10 * k, 0, 900, 900, 400, false, false, false, 1, 0, 0, 2, 0, "Arial"));
    TextOutA(dc, 92 * k, 175 * k, "Up");
}

QImage direct(int k) {
    Canvas canvas(kWidth * k, kHeight * k, 96 * k);
    drawScene(*canvas.dc, k);
    return canvas.done();
}

struct Recording {
    QTemporaryDir dir;
    std::string path() const { return dir.filePath("page.emf").toStdString(); }
};

HENHMETAFILE record(const std::string& path, int k) {
    const Dc printer(capsAt(96 * k, kWidth * k, kHeight * k));
    const RECT frame{0, 0, kWidth * 2540 / 96, kHeight * 2540 / 96};
    std::unique_ptr<Dc> rec = CreateEnhMetaFileA(&printer, path, &frame, "");
    EXPECT_TRUE(rec);
    drawScene(*rec, k);
    return CloseEnhMetaFile(std::move(rec));
}

QImage play(const HENHMETAFILE& mf, int width, int height) {
    Canvas canvas(width, height);
    EXPECT_TRUE(PlayEnhMetaFile(*canvas.dc, mf, RECT{0, 0, width, height}));
    return canvas.done();
}

TEST(Metafile, PlayedOneToOneMatchesDrawingDirectly) {
    Recording r;
    HENHMETAFILE mf = record(r.path(), 1);
    ASSERT_TRUE(mf);
    const QImage played = play(mf, kWidth, kHeight);
    if (qEnvironmentVariableIsSet("GDI_TEST_IMAGES")) {
        played.save(qEnvironmentVariable("GDI_TEST_IMAGES") + "/scene-played.png");
        direct(1).save(qEnvironmentVariable("GDI_TEST_IMAGES") + "/scene-direct.png");
        play(record(r.dir.filePath("q.emf").toStdString(), 4), kWidth, kHeight)
            .save(qEnvironmentVariable("GDI_TEST_IMAGES") + "/scene-quarter.png");
    }
    EXPECT_LT(mismatch(played, direct(1)), 0.002);
}

TEST(Metafile, PlayedAtAQuarterMatchesDrawingAtAQuarter) {
    Recording r;
    HENHMETAFILE mf = record(r.path(), 4);
    ASSERT_TRUE(mf);
    const QImage played = play(mf, kWidth, kHeight);
    EXPECT_GT(inkAgreement(played, direct(1), 1), 0.97);
}

TEST(Metafile, ReopenedFilePlaysTheSame) {
    Recording r;
    HENHMETAFILE mf = record(r.path(), 1);
    HENHMETAFILE again = GetEnhMetaFileA(r.path());
    ASSERT_TRUE(again);
    EXPECT_EQ(mismatch(play(mf, kWidth, kHeight), play(again, kWidth, kHeight), 0), 0.0);
    EXPECT_TRUE(DeleteEnhMetaFile(again));
    EXPECT_FALSE(again);
}

TEST(Metafile, RecordingOverALongerFileReplacesIt) {
    Recording r;
    {
        QFile old(QString::fromStdString(r.path()));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(1 << 20, 'x'));
    }
    const Dc printer(capsAt(96, kWidth, kHeight));
    std::unique_ptr<Dc> rec = CreateEnhMetaFileA(&printer, r.path(), nullptr, "");
    ASSERT_TRUE(rec);
    Rectangle(*rec, 10, 10, 50, 40);
    HENHMETAFILE mf = CloseEnhMetaFile(std::move(rec));
    ASSERT_TRUE(mf);
    const auto size = QFileInfo(QString::fromStdString(r.path())).size();
    EXPECT_LT(size, 4096);
    HENHMETAFILE again = GetEnhMetaFileA(r.path());
    ASSERT_TRUE(again);
    EXPECT_GE(GetEnhMetaFileHeader(again).records, 3u);
}

TEST(Metafile, FileIsAnEnhancedMetafileOthersCanRead) {
    Recording r;
    HENHMETAFILE mf = record(r.path(), 1);
    QFile file(QString::fromStdString(r.path()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto u32 = [&](qsizetype at) {
        std::uint32_t v = 0;
        std::memcpy(&v, bytes.constData() + at, 4);
        return v;
    };
    EXPECT_EQ(u32(0), 1u);               // header record
    EXPECT_EQ(bytes.mid(40, 4), " EMF"); // signature at 1-based positions 41 to 44
    EXPECT_EQ(u32(48), std::uint32_t(bytes.size()));
    // Walk the records: sizes add up and the last is the end record.
    qsizetype at = 0;
    std::uint32_t records = 0, last = 0;
    while (at < bytes.size()) {
        last = u32(at);
        const std::uint32_t size = u32(at + 4);
        ASSERT_GE(size, 8u);
        ASSERT_EQ(size % 4, 0u);
        at += size;
        ++records;
    }
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(last, 14u);
    EXPECT_EQ(u32(52), records);
    const EnhMetaHeader h = GetEnhMetaFileHeader(mf);
    EXPECT_EQ(h.frame, (RECT{0, 0, 6350, 4762}));
    EXPECT_EQ(h.device, (SIZE{kWidth, kHeight}));
}

TEST(Metafile, PlayingLeavesTheContextAsItWas) {
    Recording r;
    HENHMETAFILE mf = record(r.path(), 1);
    Canvas canvas(kWidth, kHeight);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    SelectObject(*canvas.dc, pen);
    SetBkMode(*canvas.dc, OPAQUE);
    SetTextColor(*canvas.dc, RGB(9, 9, 9));
    SelectClipRgn(*canvas.dc, CreateRectRgn(0, 0, kWidth / 2, kHeight));
    PlayEnhMetaFile(*canvas.dc, mf, RECT{0, 0, kWidth, kHeight});
    EXPECT_EQ(SelectObject(*canvas.dc, GetStockObject<HPEN>(BLACK_PEN)), pen);
    EXPECT_EQ(GetBkMode(*canvas.dc), OPAQUE);
    EXPECT_EQ(GetTextColor(*canvas.dc), RGB(9, 9, 9));
    // The clip in force when playing began still held during the playback.
    const QImage img = canvas.done();
    EXPECT_EQ(gdi::test::inkBounds(img.copy(kWidth / 2, 0, kWidth / 2, kHeight)), QRect());
}

TEST(Metafile, AMetafileInsideARecordingBecomesPartOfIt) {
    Recording inner;
    HENHMETAFILE picture = record(inner.path(), 1);
    Recording outer;
    const Dc printer(capsAt(192, 2 * kWidth, 2 * kHeight));
    std::unique_ptr<Dc> rec = CreateEnhMetaFileA(&printer, outer.path(), nullptr, "page");
    ASSERT_TRUE(rec);
    PlayEnhMetaFile(*rec, picture, RECT{0, 0, 2 * kWidth, 2 * kHeight});
    HENHMETAFILE page = CloseEnhMetaFile(std::move(rec));
    ASSERT_TRUE(page);
    EXPECT_GT(inkAgreement(play(page, kWidth, kHeight), play(picture, kWidth, kHeight), 1), 0.95);
}

TEST(Metafile, RejectsWhatIsNotAMetafile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("not.emf");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(200, 'x'));
    f.close();
    EXPECT_FALSE(GetEnhMetaFileA(path.toStdString()));
    EXPECT_FALSE(GetEnhMetaFileA(dir.filePath("missing.emf").toStdString()));
    EXPECT_FALSE(
        CreateEnhMetaFileA(nullptr, dir.filePath("no/such/dir.emf").toStdString(), nullptr, ""));
}

// ----- metafiles of other programs -----------------------------------------------------------

struct Foreign {
    const char* name;
    QRect frame;      // where the picture frame lies on the rendering beside it
    double agreement; // least share of ink found in the other picture
};

class ForeignMetafile : public testing::TestWithParam<Foreign> {};

TEST_P(ForeignMetafile, PlaysLikeTheRenderingBesideIt) {
    const Foreign& f = GetParam();
    const QString base = QStringLiteral(GDI_FIXTURES "/") + f.name;
    const QImage expected = QImage(base + ".png").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(expected.isNull());
    HENHMETAFILE mf = GetEnhMetaFileA((base + ".emf").toStdString());
    ASSERT_TRUE(mf);
    const QRect frame = f.frame.isNull() ? expected.rect() : f.frame;
    Canvas canvas(expected.width(), expected.height());
    PlayEnhMetaFile(*canvas.dc, mf,
                    RECT{frame.left(), frame.top(), frame.left() + frame.width(),
                         frame.top() + frame.height()});
    const QImage played = canvas.done();
    if (qEnvironmentVariableIsSet("GDI_TEST_IMAGES"))
        played.save(qEnvironmentVariable("GDI_TEST_IMAGES") + "/" + f.name + ".png");
    // Anti-aliasing and hinting differ; shapes, colours and places must not. What lies outside
    // the frame is clipped by the metafile itself.
    const QRect inside = frame.adjusted(3, 3, -3, -3);
    EXPECT_GT(inkAgreement(played.copy(inside), expected.copy(inside)), f.agreement);
}

// Inkscape's frame is the whole drawing. LibreOffice's frame leaves out the outer stroke, so its
// picture starts a few pixels into the drawing; it also keeps the raster picture's aspect ratio
// (as SVG asks), where the rendering beside it stretched the picture.
const Foreign kForeign[] = {
    {"shapes", {}, 0.95},
    {"curves", {}, 0.97},
    {"text", {}, 0.95},
    {"textlo", QRect(7, 8, 284, 104), 0.93},
    {"bitmap", QRect(7, 7, 187, 107), 0.8},
};

INSTANTIATE_TEST_SUITE_P(Gdi, ForeignMetafile, testing::ValuesIn(kForeign),
                         [](const auto& info) { return std::string(info.param.name); });

// ----- raster pictures -----------------------------------------------------------------------

TEST(RasterPicture, NaturalSizeComesFromTheResolution) {
    QTemporaryDir dir;
    QImage img(300, 150, QImage::Format_RGB32);
    img.fill(Qt::blue);
    img.setDotsPerMeterX(11811); // 300 dpi
    img.setDotsPerMeterY(11811);
    ASSERT_TRUE(img.save(dir.filePath("p.png")));
    const auto png = LoadRasterPicture(dir.filePath("p.png").toStdString());
    ASSERT_TRUE(png);
    EXPECT_NEAR(png->widthInches, 1.0, 0.01);
    EXPECT_NEAR(png->heightInches, 0.5, 0.01);
}

TEST(RasterPicture, WithoutAResolutionCountsNinetySixDpi) {
    QTemporaryDir dir;
    QImage img(192, 96, QImage::Format_RGB32);
    img.fill(Qt::red);
    img.setDotsPerMeterX(0);
    img.setDotsPerMeterY(0);
    for (const char* format : {"bmp", "gif", "jpg"}) {
        const QString path = dir.filePath(QStringLiteral("p.") + format);
        QImageWriter writer(path, format);
        if (!writer.canWrite())
            continue; // a reader-only format here
        ASSERT_TRUE(writer.write(img)) << format;
        const auto pic = LoadRasterPicture(path.toStdString());
        ASSERT_TRUE(pic) << format;
        EXPECT_NEAR(pic->widthInches, 2.0, 0.05) << format;
        EXPECT_NEAR(pic->heightInches, 1.0, 0.05) << format;
    }
    EXPECT_FALSE(LoadRasterPicture(dir.filePath("none.png").toStdString()));
}

} // namespace
