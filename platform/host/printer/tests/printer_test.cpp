#include "platform/host/printer/Printer.h"

#include "platform/com/Error.h"
#include "platform/gdi/Gdi.h"
#include "platform/host/ScriptedDialogs.h"
#include "platform/host/TestApplication.h"
#include "platform/host/printer/PrinterErrors.h"
#include "platform/host/printer/tests/PdfReadBack.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace host {
namespace {

using printertest::readPdf;

int errorOf(const std::function<void()>& f) {
    const auto e = com::guardCall(f);
    return e ? e->number : 0;
}

// The built-in PDF printer, writing into a folder of the test's own; its spool files go to a
// folder of their own too, so that a test can see that none is left.
class PdfPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkdir("spool"));
        qputenv("TMPDIR", spoolDir().toLocal8Bit());
        setPrinterSources(PrinterSources::All);
        ASSERT_TRUE(printer().select(kPdfPrinterName));
        printer().setOutputFile(output());
    }
    void TearDown() override {
        printer().killDoc();
        printer().setOutputFile({});
    }

    QString output() const { return dir_.filePath("out.pdf"); }
    QString spoolDir() const { return dir_.filePath("spool"); }
    bool spoolEmpty() const {
        return QDir(spoolDir()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    static void write(const QString& text) {
        printer().printEmptyText();
        QPainter* p = printer().painter();
        ASSERT_NE(p, nullptr);
        p->setFont(QFont("Liberation Sans", 24));
        p->drawText(QPointF(600, 600), text);
    }

    QTemporaryDir dir_;
};

TEST_F(PdfPrinterTest, TwoPagesReachTheFileWithTheirPaperAndOrientation) {
    Printer& prn = printer();
    EXPECT_EQ(prn.deviceName(), kPdfPrinterName);
    EXPECT_TRUE(installedPrinters().contains(kPdfPrinterName));
    EXPECT_EQ(prn.page(), 0);
    EXPECT_EQ(prn.painter(), nullptr);

    prn.setPaperSize(int(PaperCode::Letter));
    prn.setOrientation(Orientation::Portrait);
    write("alpha");
    EXPECT_TRUE(prn.documentOpen());
    EXPECT_EQ(prn.page(), 1);
    EXPECT_EQ(prn.paintDevice()->logicalDpiX(), 600);
    EXPECT_EQ(prn.paintDevice()->width(), 5100);
    prn.newPage();
    // Set before the page begins, as the print job does: the second page is landscape legal.
    prn.setPaperSize(int(PaperCode::Legal));
    prn.setOrientation(2);
    write("beta");
    EXPECT_EQ(prn.page(), 2);
    EXPECT_EQ(prn.paintDevice()->width(), 8400);
    prn.newPage(); // ended, but nothing drawn: no third page
    prn.endDoc();
    EXPECT_FALSE(prn.documentOpen());

    const auto pages = readPdf(output());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NEAR(pages[0].widthPt, 612, 0.5);
    EXPECT_NEAR(pages[0].heightPt, 792, 0.5);
    EXPECT_FALSE(pages[0].landscape());
    EXPECT_EQ(pages[0].text, "alpha");
    EXPECT_TRUE(pages[1].landscape());
    EXPECT_NEAR(std::max(pages[1].widthPt, pages[1].heightPt), 1008, 0.5);
    EXPECT_EQ(pages[1].text, "beta");
    EXPECT_TRUE(spoolEmpty());
}

// The page's pixels are the printer's device pixels, counted from the printable corner.
TEST_F(PdfPrinterTest, DrawingLandsInDevicePixels) {
    printer().printEmptyText();
    printer().painter()->fillRect(0, 0, 600, 600, Qt::black); // one inch
    printer().endDoc();
    const QImage page = printertest::rasterize(output(), 1, 50);
    ASSERT_EQ(page.size(), QSize(425, 550));
    EXPECT_LT(qGray(page.pixel(1, 1)), 64);
    EXPECT_LT(qGray(page.pixel(48, 48)), 64);
    EXPECT_GT(qGray(page.pixel(52, 52)), 192);
    EXPECT_GT(qGray(page.pixel(52, 2)), 192);
}

// The graphics layer draws on the printer's pages through a device context over its painter.
TEST_F(PdfPrinterTest, DeviceContextOverThePrinterPages) {
    for (const char* text : {"Hello", "World"}) {
        if (printer().documentOpen())
            printer().newPage();
        printer().printEmptyText();
        gdi::Dc dc(*printer().painter(), printer().deviceCaps());
        EXPECT_EQ(gdi::GetDeviceCaps(dc, gdi::DeviceCap::LogPixelsX), 600);
        gdi::HFONT font =
            gdi::CreateFontA(-200, 0, 0, 0, 400, false, false, false, 0, 0, 0, 0, 0, "Arial");
        gdi::SelectObject(dc, font);
        gdi::TextOutA(dc, 600, 600, text);
    }
    printer().endDoc();
    const auto pages = readPdf(output());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].text, "Hello");
    EXPECT_EQ(pages[1].text, "World");
}

TEST_F(PdfPrinterTest, KilledDocumentLeavesNothing) {
    write("never");
    printer().newPage();
    write("printed");
    printer().killDoc();
    EXPECT_FALSE(printer().documentOpen());
    EXPECT_EQ(printer().painter(), nullptr);
    printer().endDoc(); // nothing open: nothing happens
    EXPECT_FALSE(QFile::exists(output()));
    EXPECT_TRUE(spoolEmpty());
}

TEST_F(PdfPrinterTest, NewPageFirstLeavesAnEmptyFirstPage) {
    printer().newPage();
    EXPECT_EQ(printer().page(), 2);
    write("second");
    printer().endDoc();
    const auto pages = readPdf(output());
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].text, "");
    EXPECT_EQ(pages[1].text, "second");
}

struct CapsCase {
    PaperCode paper;
    Orientation orientation;
    int width, height; // device pixels at 600 dpi
};

TEST_F(PdfPrinterTest, DeviceCapsDescribeTheSheet) {
    const CapsCase cases[] = {
        {PaperCode::Letter, Orientation::Portrait, 5100, 6600},
        {PaperCode::Letter, Orientation::Landscape, 6600, 5100},
        {PaperCode::Legal, Orientation::Portrait, 5100, 8400},
        {PaperCode::Tabloid, Orientation::Portrait, 6600, 10200},
        {PaperCode::Statement, Orientation::Landscape, 5100, 3300},
        {PaperCode::Executive, Orientation::Portrait, 4350, 6300},
        {PaperCode::A4, Orientation::Portrait, 4961, 7016},
    };
    EXPECT_EQ(printer().paperSizes(), (std::vector<int>{1, 3, 5, 6, 7, 8, 9, 11}));
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.paper));
        printer().setPaperSize(int(c.paper));
        printer().setOrientation(c.orientation);
        EXPECT_EQ(printer().paperSize(), int(c.paper));
        EXPECT_EQ(printer().deviceCaps(), (gdi::DeviceCaps{600, 600, c.width, c.height, 0, 0}));
    }
}

TEST_F(PdfPrinterTest, RefusedSettingsRaiseAndKeepTheOldValue) {
    const int invalid = int(PrinterError::InvalidPropertyValue);
    printer().setPaperSize(int(PaperCode::Legal));
    EXPECT_EQ(errorOf([] { printer().setPaperSize(2); }), invalid);
    EXPECT_EQ(printer().paperSize(), int(PaperCode::Legal));
    // A file holds one copy: the printer makes no copies.
    EXPECT_FALSE(printer().canMakeCopies());
    EXPECT_EQ(errorOf([] { printer().setCopies(2); }), invalid);
    EXPECT_EQ(errorOf([] { printer().setCopies(0); }), invalid);
    EXPECT_EQ(errorOf([] { printer().setCopies(1); }), 0);
    EXPECT_EQ(printer().copies(), 1);
    EXPECT_EQ(errorOf([] { printer().setOrientation(3); }), invalid);
    EXPECT_EQ(printer().orientation(), Orientation::Portrait);
    const auto e = com::guardCall([] { printer().setCopies(5); });
    ASSERT_TRUE(e);
    EXPECT_EQ(e->description, "Invalid property value");
}

TEST_F(PdfPrinterTest, WithoutAFileNameTheSaveDialogAsks) {
    printer().setOutputFile({});
    ScriptedDialogs dialogs;
    const QString chosen = dir_.filePath("chosen.pdf");
    dialogs.fileAnswers = {chosen, std::nullopt};

    write("asked");
    printer().endDoc();
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].kind, FileDialogKind::Save);
    EXPECT_TRUE(dialogs.fileDialogs[0].promptOverwrite);
    EXPECT_EQ(readPdf(chosen).size(), 1u);

    write("cancelled"); // the user cancels the second time: nothing is written, no error
    EXPECT_EQ(errorOf([] { printer().endDoc(); }), 0);
    EXPECT_EQ(dialogs.fileDialogs.size(), 2u);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"chosen.pdf"});
    EXPECT_TRUE(spoolEmpty());
}

TEST_F(PdfPrinterTest, AFailedWriteRaisesAndKeepsTheOldFile) {
    QFile old(output());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    printer().setOutputFile(dir_.filePath("missing/folder/out.pdf"));
    write("lost");
    EXPECT_EQ(errorOf([] { printer().endDoc(); }), int(PrinterError::PrinterFailure));
    EXPECT_FALSE(printer().documentOpen());
    EXPECT_TRUE(spoolEmpty());
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
}

TEST_F(PdfPrinterTest, NoPrinterInstalled) {
    setPrinterSources(PrinterSources::None);
    EXPECT_TRUE(installedPrinters().isEmpty());
    EXPECT_EQ(printer().deviceName(), "");
    EXPECT_EQ(errorOf([] { printer().printEmptyText(); }), int(PrinterError::NoPrinter));
    EXPECT_FALSE(printer().select(kPdfPrinterName));

    setPrinterSources(PrinterSources::PdfOnly);
    EXPECT_EQ(installedPrinters(), QStringList{kPdfPrinterName});
    EXPECT_EQ(printer().deviceName(), kPdfPrinterName);
}

TEST_F(PdfPrinterTest, ThePrinterCannotChangeDuringADocument) {
    EXPECT_FALSE(printer().select("No Such Printer"));
    write("busy");
    EXPECT_EQ(errorOf([] { printer().select(kPdfPrinterName); }),
              int(PrinterError::PrinterFailure));
    EXPECT_TRUE(printer().documentOpen());
}

} // namespace
} // namespace host
