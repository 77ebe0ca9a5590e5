#include "component/render/tests/RenderTestSupport.h"
#include "platform/host/printer/tests/CupsQueue.h"
#include "platform/host/printer/tests/PdfReadBack.h"
#include "tools/dvrender/Dvrender.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QUuid>

#include <filesystem>
#include <fstream>

namespace docuvel {
namespace {

using test::TestDocument;

struct ToolRun {
    int exitCode = -1;
    QString err;
};

ToolRun dvrender(const QStringList& args) {
    QProcess p;
    p.start(DVRENDER_EXE, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

class DvrenderTest : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove(out, ec);
    }
    std::filesystem::path out = test::uniquePath("dvrender-out", ".png");
};

TEST(DvrenderOptions, RejectsIncompleteRequests) {
    const struct {
        QStringList args;
        const char* reason;
    } cases[] = {
        {{}, "no document"},
        {{"a.doc"}, "either -o"},
        {{"a.doc", "-o", "x.pdf", "--printer", "P"}, "either -o"},
        {{"a.doc", "-o", "x.png", "--width", "100"}, "--page N and --width"},
        {{"a.doc", "-o", "x.png", "--page", "0", "--width", "100"}, "above 0"},
        {{"a.doc", "-o", "x.pdf", "--width", "100"}, "PNG output only"},
        {{"a.doc", "-o", "x.txt"}, ".pdf or .png"},
        {{"a.doc", "b.doc", "-o", "x.pdf"}, "more than one"},
        {{"a.doc", "--zoom", "2"}, "unknown option"},
        {{"a.doc", "-o"}, "needs a file"},
    };
    for (const auto& c : cases) {
        const auto parsed = dvrender::parse(c.args);
        ASSERT_TRUE(std::holds_alternative<QString>(parsed)) << c.reason;
        EXPECT_TRUE(std::get<QString>(parsed).contains(c.reason))
            << std::get<QString>(parsed).toStdString();
    }
    const auto ok = dvrender::parse({"a.doc", "--page", "3", "--width", "640", "-o", "p.PNG"});
    ASSERT_TRUE(std::holds_alternative<dvrender::Options>(ok));
    EXPECT_EQ(std::get<dvrender::Options>(ok).page, 3);
    EXPECT_EQ(std::get<dvrender::Options>(ok).width, 640);
}

TEST_F(DvrenderTest, PngOfOnePageAtTheGivenWidth) {
    TestDocument doc(2, 1);
    doc.newPage().pen(0).fill(1, 0x0000FF).box(RecordCode::Rectangle, 1, 0, 2, 0.5f);
    const ToolRun r = dvrender({QString::fromStdString(doc.path()), "--page", "2", "--width", "200",
                                "-o", QString::fromStdString(out.string())});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage image(QString::fromStdString(out.string()));
    ASSERT_EQ(image.size(), QSize(200, 100));
    EXPECT_EQ(image.pixel(150, 25), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(50, 25), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(150, 75), qRgb(255, 255, 255));
}

TEST_F(DvrenderTest, DamagedDocumentFailsWithTheMessage) {
    TestDocument doc;
    doc.record(250);
    const ToolRun r = dvrender({QString::fromStdString(doc.path()), "--page", "1", "--width", "50",
                                "-o", QString::fromStdString(out.string())});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Unknown Document Error!")) << r.err.toStdString();
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(DvrenderTest, NotADocumentOrNoSuchPage) {
    TestDocument doc;
    const std::string notDocument = test::uniquePath("dvrender-not", ".doc").string();
    std::ofstream(notDocument) << std::string(500, 'x');
    const struct {
        QStringList args;
        const char* says;
    } cases[] = {
        {{QString::fromStdString(notDocument), "-o", "x.pdf"}, "not a document"},
        {{"/nonexistent/none.doc", "-o", "x.pdf"}, "no such file"},
        {{QString::fromStdString(doc.path()), "--page", "2", "--width", "9", "-o", "x.png"},
         "1 page"},
        {{QString::fromStdString(doc.path()), "--page", "1", "--width", "20000", "-o", "x.png"},
         "beyond"},
    };
    for (const auto& c : cases) {
        const ToolRun r = dvrender(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.says;
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
    }
    std::filesystem::remove(notDocument);
}

// Colours read back from a PDF rendering may be off by a unit.
bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 3 && std::abs(qGreen(a) - qGreen(b)) <= 3 &&
           std::abs(qBlue(a) - qBlue(b)) <= 3;
}

QString runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST_F(DvrenderTest, PdfOfEveryPageThroughTheBuiltInPrinter) {
    // A raster picture of 2 x 1 inch is painted on the printer between two recordings.
    const auto picturePath = test::uniquePath("dvrender-picture", ".png");
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(qRgb(0, 255, 0));
    picture.setDotsPerMeterX(3937);
    picture.setDotsPerMeterY(3937);
    ASSERT_TRUE(picture.save(QString::fromStdString(picturePath.string())));
    TestDocument doc(11, 8.5f);
    doc.pen(0).fill(1, 0x0000FF).box(RecordCode::Rectangle, 0, 0, 5.5f, 8.5f);
    doc.picture(6, 1, 0, 0, picturePath);
    doc.newPage().pen(0).fill(1, 0xFF0000).box(RecordCode::Rectangle, 5.5f, 0, 11, 8.5f);
    const auto pdf = test::uniquePath("dvrender-out", ".pdf");
    const ToolRun r =
        dvrender({QString::fromStdString(doc.path()), "-o", QString::fromStdString(pdf.string())});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString info = runTool("pdfinfo", {QString::fromStdString(pdf.string())});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\b"))) << info.toStdString();
    EXPECT_TRUE(info.contains("792 x 612")) << info.toStdString(); // landscape letter

    // The first page is red on its left half, the second blue on its right half.
    const QString stem = QString::fromStdString(test::uniquePath("dvrender-page", "").string());
    runTool("pdftoppm", {"-r", "10", "-png", QString::fromStdString(pdf.string()), stem});
    const QImage one(stem + "-1.png"), two(stem + "-2.png");
    ASSERT_FALSE(one.isNull());
    ASSERT_FALSE(two.isNull());
    EXPECT_TRUE(near(one.pixel(20, 40), qRgb(255, 0, 0))) << "one 20,40";
    EXPECT_TRUE(near(one.pixel(90, 40), qRgb(255, 255, 255))) << "one 90,40";
    EXPECT_TRUE(near(one.pixel(70, 15), qRgb(0, 255, 0))) << "one 70,15";
    EXPECT_TRUE(near(one.pixel(85, 15), qRgb(255, 255, 255))) << "one 85,15";
    EXPECT_TRUE(near(two.pixel(90, 40), qRgb(0, 0, 255))) << "two 90,40";
    EXPECT_TRUE(near(two.pixel(20, 40), qRgb(255, 255, 255))) << "two 20,40";
    for (const auto& f : {pdf.string(), picturePath.string(), (stem + "-1.png").toStdString(),
                          (stem + "-2.png").toStdString()})
        std::filesystem::remove(f);
}

TEST_F(DvrenderTest, PrintsThroughACupsQueue) {
    REQUIRE_CUPS_QUEUE(printertest::cupsPdfQueue());
    TestDocument doc(8.5f, 11);
    doc.pen(0).fill(1, 0xFF0000).box(RecordCode::Rectangle, 1, 1, 4, 3);
    doc.newPage().pen(0).fill(1, 0x00FF00).box(RecordCode::Rectangle, 4, 5, 7, 9);
    // The job is titled after the document's file name, which finds what cups-pdf wrote.
    const auto named =
        std::filesystem::temp_directory_path() /
        ("dvrender-" + QUuid::createUuid().toString(QUuid::Id128).toStdString() + ".doc");
    std::filesystem::copy_file(doc.path(), named);
    const QString title = QString::fromStdString(named.filename().string());
    const ToolRun r = dvrender({QString::fromStdString(named.string()), "--printer",
                                printertest::cupsPdfQueue(), "--page", "2"});
    std::filesystem::remove(named);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const auto printed = printertest::printedFile(title);
    ASSERT_TRUE(printed) << "no completed job titled " << title.toStdString();
    EXPECT_EQ(printertest::readPdf(*printed).size(), 1u);
    // Page 2 only: the green box from 4 to 7 inches across and 5 to 9 down, at 10 dpi.
    const QImage page = printertest::rasterize(*printed, 1, 10);
    ASSERT_FALSE(page.isNull());
    EXPECT_LT(qGreen(page.pixel(55, 70)), 255); // grey of green is below white
    EXPECT_GT(qGreen(page.pixel(55, 70)), 60);
    EXPECT_EQ(qGreen(page.pixel(20, 20)), 255); // no red box from page 1
    EXPECT_EQ(qGreen(page.pixel(55, 30)), 255);
    std::filesystem::remove(printed->toStdString());
}

} // namespace
} // namespace docuvel
