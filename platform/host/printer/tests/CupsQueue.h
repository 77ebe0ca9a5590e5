#pragma once
// The CUPS PDF queue that .ci/cups-pdf-queue sets up (cups-pdf, writing its output into a known
// folder), as tests that print through it see it. Without a reachable cupsd and that queue such
// tests are skipped, unless AMPLETON_REQUIRE_CUPS is set (CI), where they must run.

#include <QString>
#include <cups/ipp.h>

#include <optional>
#include <vector>

namespace printertest {

QString cupsPdfQueue();  // AMPLETON_CUPS_PDF_QUEUE, else "AmpletonPDF"
QString cupsPdfOutput(); // AMPLETON_CUPS_PDF_OUT, else "/var/spool/cups-pdf/ampleton"

struct JobState {
    int id = 0;
    ipp_jstate_t state = IPP_JSTATE_PENDING;
};

// The jobs of this title on the PDF queue, finished or not.
std::vector<JobState> jobsTitled(const QString& title);
std::optional<JobState> findJob(const QString& title);

// The job's "copies" attribute as the queue keeps it.
int jobCopies(int id);

// The PDF cups-pdf wrote for the job of this title, once the job has completed (within a minute).
// cups-pdf names its file after the title without its extension.
std::optional<QString> printedFile(const QString& title);

// Why the queue cannot be printed to, or nothing when it can.
std::optional<std::string> missingQueue(const QString& queue);

} // namespace printertest

// Skips (or fails, where CUPS is required) the test when the queue is not there.
#define REQUIRE_CUPS_QUEUE(queue)                                                                  \
    do {                                                                                           \
        if (const auto why = printertest::missingQueue(queue)) {                                   \
            if (qEnvironmentVariableIsSet("AMPLETON_REQUIRE_CUPS"))                                \
                FAIL() << *why;                                                                    \
            GTEST_SKIP() << *why;                                                                  \
        }                                                                                          \
    } while (false)
