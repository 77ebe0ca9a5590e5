// Printing through a real CUPS queue: the PDF queue that .ci/cups-pdf-queue sets up.

#include "platform/host/printer/Printer.h"

#include "platform/com/Error.h"
#include "platform/host/TestApplication.h"
#include "platform/host/printer/PrinterErrors.h"
#include "platform/host/printer/tests/CupsQueue.h"
#include "platform/host/printer/tests/PdfReadBack.h"

#include <QDir>
#include <QPainter>
#include <QThread>
#include <QUuid>
#include <cups/cups.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace host {
namespace {

using printertest::PdfPage;
using printertest::readPdf;

const QString kQueue = printertest::cupsPdfQueue();
const QString kOutput = printertest::cupsPdfOutput();
// A queue of a laser printer whose sheets have unprintable edges; it is never printed to.
const QString kMarginsQueue = "AmpletonMargins";

using printertest::findJob;
using printertest::jobCopies;
using printertest::jobsTitled;
using printertest::printedFile;

class CupsPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        REQUIRE_CUPS_QUEUE(kQueue);
        ASSERT_TRUE(printer().select(kQueue));
        // cups-pdf names its file after the job's title; a unique title finds it.
        title_ = "ampleton-" + QUuid::createUuid().toString(QUuid::Id128).left(12);
        printer().setDocumentTitle(title_);
    }
    void TearDown() override { printer().killDoc(); }

    static void printTwoPages() {
        for (const char* text : {"first", "second"}) {
            if (printer().documentOpen())
                printer().newPage();
            printer().printEmptyText();
            QPainter* p = printer().painter();
            ASSERT_NE(p, nullptr);
            p->setFont(QFont("Liberation Sans", 24));
            p->drawText(QPointF(300, 300), text);
        }
    }

    static QStringList texts(const std::vector<PdfPage>& pages) {
        QStringList t;
        for (const auto& p : pages)
            t << p.text;
        return t;
    }

    QString title_;
};

TEST_F(CupsPrinterTest, QueueReportsItsResolutionAndPaper) {
    printer().setPaperSize(int(PaperCode::Letter));
    const gdi::DeviceCaps caps = printer().deviceCaps();
    EXPECT_EQ(caps.logPixelsX, 300); // the queue's DefaultResolution
    EXPECT_EQ(caps, (gdi::DeviceCaps{300, 300, 2550, 3300, 0, 0}));
    EXPECT_TRUE(printer().canMakeCopies());
    const std::vector<int> papers = printer().paperSizes();
    EXPECT_NE(std::find(papers.begin(), papers.end(), int(PaperCode::Legal)), papers.end());
    EXPECT_EQ(std::find(papers.begin(), papers.end(), int(PaperCode::Statement)), papers.end());
    // The queue has no statement sheet: the paper stays.
    EXPECT_THROW(printer().setPaperSize(int(PaperCode::Statement)), com::Error);
    EXPECT_EQ(printer().paperSize(), int(PaperCode::Letter));
}

TEST_F(CupsPrinterTest, CollatedCopiesArriveAsRepeatedPages) {
    printer().setPaperSize(int(PaperCode::Legal));
    printer().setCopies(2);
    printer().setCollate(true);
    printTwoPages();
    printer().endDoc();

    const auto file = printedFile(title_);
    ASSERT_TRUE(file) << "no output for " << title_.toStdString();
    EXPECT_EQ(jobsTitled(title_).size(), 1u); // one job, sent once, complete
    const auto pages = readPdf(*file);
    const QStringList t = texts(pages);
    ASSERT_EQ(t.size(), 4);
    EXPECT_FALSE(t[0].isEmpty());
    EXPECT_NE(t[0], t[1]);
    EXPECT_EQ(t[2], t[0]);
    EXPECT_EQ(t[3], t[1]);
    for (const auto& p : pages) {
        EXPECT_NEAR(p.widthPt, 612, 1);
        EXPECT_NEAR(p.heightPt, 1008, 1);
        EXPECT_FALSE(p.landscape());
    }
}

TEST_F(CupsPrinterTest, UncollatedCopiesTravelWithTheJobAndLandscapeStaysLandscape) {
    printer().setPaperSize(int(PaperCode::Letter));
    printer().setOrientation(Orientation::Landscape);
    printer().setCopies(2);
    printTwoPages();
    printer().endDoc();

    const auto file = printedFile(title_);
    ASSERT_TRUE(file) << "no output for " << title_.toStdString();
    const auto pages = readPdf(*file);
    // cups-pdf makes one file of the pages; the copy count stays on the job.
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[0].text, pages[1].text);
    for (const auto& p : pages) {
        EXPECT_NEAR(std::min(p.widthPt, p.heightPt), 612, 1);
        EXPECT_NEAR(std::max(p.widthPt, p.heightPt), 792, 1);
        EXPECT_TRUE(p.landscape());
    }
    EXPECT_EQ(jobCopies(findJob(title_)->id), 2);
}

TEST_F(CupsPrinterTest, DrawingLandsInDevicePixels) {
    printer().setPaperSize(int(PaperCode::Letter));
    printer().printEmptyText();
    printer().painter()->fillRect(0, 0, 300, 300, Qt::black); // one inch at 300 dpi
    printer().endDoc();
    const auto file = printedFile(title_);
    ASSERT_TRUE(file) << "no output for " << title_.toStdString();
    const QImage page = printertest::rasterize(*file, 1, 50);
    ASSERT_EQ(page.size(), QSize(425, 550));
    EXPECT_LT(qGray(page.pixel(1, 1)), 64);
    EXPECT_LT(qGray(page.pixel(48, 48)), 64);
    EXPECT_GT(qGray(page.pixel(52, 52)), 192);
}

TEST_F(CupsPrinterTest, KilledJobSendsNothing) {
    printTwoPages();
    printer().killDoc();
    printer().endDoc(); // nothing open any more
    // A job that was sent would be listed at once; give a stray one time to show anyway.
    QThread::msleep(500);
    EXPECT_FALSE(findJob(title_));
    EXPECT_TRUE(QDir(kOutput).entryList({"*" + title_ + "*"}, QDir::Files).isEmpty());
}

TEST(CupsPrinterMargins, OffsetsComeFromThePageLayout) {
    testApplication();
    REQUIRE_CUPS_QUEUE(kMarginsQueue);
    ASSERT_TRUE(printer().select(kMarginsQueue));
    printer().setPaperSize(int(PaperCode::Letter));
    // Letter's printable area is 18 pt in from the sides and 12 pt from top and bottom.
    EXPECT_EQ(printer().deviceCaps(), (gdi::DeviceCaps{300, 300, 2550, 3300, 75, 50}));
    printer().setOrientation(Orientation::Landscape);
    EXPECT_EQ(printer().deviceCaps(), (gdi::DeviceCaps{300, 300, 3300, 2550, 50, 75}));

    // The page's origin is the printable corner: the device is the printable area.
    printer().printEmptyText();
    EXPECT_EQ(printer().paintDevice()->width(), 3300 - 2 * 50);
    EXPECT_EQ(printer().paintDevice()->height(), 2550 - 2 * 75);
    printer().killDoc();
}

} // namespace
} // namespace host
