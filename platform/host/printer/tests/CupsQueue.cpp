#include "platform/host/printer/tests/CupsQueue.h"

#include "platform/host/printer/Printer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <cups/cups.h>

namespace printertest {
namespace {

QString environment(const char* name, const char* fallback) {
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? QString::fromLatin1(fallback) : v;
}

} // namespace

QString cupsPdfQueue() {
    return environment("AMPLETON_CUPS_PDF_QUEUE", "AmpletonPDF");
}

QString cupsPdfOutput() {
    return environment("AMPLETON_CUPS_PDF_OUT", "/var/spool/cups-pdf/ampleton");
}

std::vector<JobState> jobsTitled(const QString& title) {
    cups_job_t* jobs = nullptr;
    const QByteArray queue = cupsPdfQueue().toUtf8();
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

std::optional<QString> printedFile(const QString& title) {
    const QDir output(cupsPdfOutput());
    const QString pattern = "*" + QFileInfo(title).completeBaseName() + "*.pdf";
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        const auto job = findJob(title);
        if (job && job->state >= IPP_JSTATE_STOPPED) {
            if (job->state != IPP_JSTATE_COMPLETED)
                return std::nullopt;
            const QStringList files = output.entryList({pattern}, QDir::Files);
            if (!files.isEmpty())
                return output.filePath(files.first());
        }
        QThread::msleep(100);
    }
    return std::nullopt;
}

std::optional<std::string> missingQueue(const QString& queue) {
    host::setPrinterSources(host::PrinterSources::All);
    if (host::installedPrinters().contains(queue))
        return std::nullopt;
    return "no CUPS queue " + queue.toStdString() +
           " (cupsd not reachable or the queue not set up by .ci/cups-pdf-queue)";
}

} // namespace printertest
