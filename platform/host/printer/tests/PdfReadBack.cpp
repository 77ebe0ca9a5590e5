#include "platform/host/printer/tests/PdfReadBack.h"

#include <QProcess>
#include <QRegularExpression>

namespace printertest {
namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

std::vector<PdfPage> readPdf(const QString& path) {
    const QString info = run("pdfinfo", {"-f", "1", "-l", "100000", path});
    std::vector<PdfPage> pages;
    static const QRegularExpression size(R"(^Page\s+(\d+) size:\s+([\d.]+) x ([\d.]+) pts)",
                                         QRegularExpression::MultilineOption);
    static const QRegularExpression rot(R"(^Page\s+(\d+) rot:\s+(\d+))",
                                        QRegularExpression::MultilineOption);
    for (auto it = size.globalMatch(info); it.hasNext();) {
        const auto m = it.next();
        pages.push_back({m.captured(2).toDouble(), m.captured(3).toDouble(), 0, {}});
    }
    for (auto it = rot.globalMatch(info); it.hasNext();) {
        const auto m = it.next();
        const int n = m.captured(1).toInt();
        if (n >= 1 && n <= int(pages.size()))
            pages[n - 1].rotation = m.captured(2).toInt();
    }
    const QStringList texts = run("pdftotext", {path, "-"}).split('\f');
    for (std::size_t i = 0; i < pages.size() && int(i) < texts.size(); ++i)
        pages[i].text = texts[int(i)].simplified();
    return pages;
}

} // namespace printertest
