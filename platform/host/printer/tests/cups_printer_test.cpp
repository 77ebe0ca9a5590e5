// Printing through a real CUPS queue: the PDF queue that .ci/cups-pdf-queue sets up (cups-pdf,
// writing its output into a known folder). Without a reachable cupsd and that queue the tests are
// skipped, unless AMPLETON_REQUIRE_CUPS is set (CI), where they must run.

#include "platform/host/printer/Printer.h"

#include "platform/com/Error.h"
#include "platform/host/TestApplication.h"
#include "platform/host/printer/PrinterErrors.h"
#include "platform/host/printer/tests/PdfReadBack.h"

#include <QDir>
#include <QElapsedTimer>
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

QString environment(const char* name, const char* fallback) {
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? QString::fromLatin1(fallback) : v;
}

const QString kQueue = environment("AMPLETON_CUPS_PDF_QUEUE", "AmpletonPDF");
const QString kOutput = environment("AMPLETON_CUPS_PDF_OUT", "/var/spool/cups-pdf/ampleton");
// A queue of a laser printer whose sheets have unprintable edges; it is never printed to.
const QString kMarginsQueue = "AmpletonMargins";

struct JobState {
    int id = 0;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
};

// The jobs of this title on the queue, finished or not.
std::vector<JobState> jobsTitled(const QString& title) {
    cups_job_t* jobs = nullptr;
    const QByteArray queue = kQueue.toUtf8();
    const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 0, CUPS_WHICHJOBS_ALL);
    std::vector<JobState> found;
    for (int i = 0; i < n; ++i)
        if (title == QString::fromUtf8(jobs[i].title))
            found.push_back(JobState{jobs[i].id, jobs[i].state});
    cupsFreeJobs(n, jobs);
    return found;
}

std::optional<JobState> findJob(const QString& title) {
    const auto jobs = jobsTitled(title);
    return jobs.empty() ? std::nullopt : std::optional(jobs.back());
}

// The job's "copies" attribute as the queue keeps it.
int jobCopies(int id) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    int copies = 0;
    if (ipp_attribute_t* a = ippFindAttribute(response, "copies", IPP_TAG_INTEGER))
        copies = ippGetInteger(a, 0);
    ippDelete(response);
    return copies;
}

// The PDF cups-pdf wrote for the job of this title, once the job has completed.
std::optional<QString> printedFile(const QString& title) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        const auto job = findJob(title);
        if (job && job->state >= IPP_JSTATE_STOPPED) {
            if (job->state != IPP_JSTATE_COMPLETED)
                return std::nullopt;
            const QStringList files = QDir(kOutput).entryList({"*" + title + "*.pdf"}, QDir::Files);
            if (!files.isEmpty())
                return QDir(kOutput).filePath(files.first());
        }
        QThread::msleep(100);
    }
    return std::nullopt;
}

// Skips (or fails, where CUPS is required) the test when the queue is not there.
#define REQUIRE_QUEUE(queue)                                                                       \
    do {                                                                                           \
        setPrinterSources(PrinterSources::All);                                                    \
        if (!installedPrinters().contains(queue)) {                                                \
            const std::string why = "no CUPS queue " + (queue).toStdString() +                     \
                                    " (cupsd not reachable or the queue not set up by "            \
                                    ".ci/cups-pdf-queue)";                                         \
            if (qEnvironmentVariableIsSet("AMPLETON_REQUIRE_CUPS"))                                \
                FAIL() << why;                                                                     \
            GTEST_SKIP() << why;                                                                   \
        }                                                                                          \
    } while (false)

class CupsPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        testApplication();
        REQUIRE_QUEUE(kQueue);
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
    REQUIRE_QUEUE(kMarginsQueue);
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
