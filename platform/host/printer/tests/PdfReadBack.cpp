#include "platform/host/printer/tests/PdfReadBack.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

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

    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)")re");
    const QStringList boxes = run("pdftotext", {"-bbox", path, "-"}).split("<page ");
    for (std::size_t i = 0; i < pages.size() && int(i) + 1 < boxes.size(); ++i) {
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (auto it = word.globalMatch(boxes[int(i) + 1]); it.hasNext();) {
            const auto m = it.next();
            x0 = std::min(x0, m.captured(1).toDouble());
            y0 = std::min(y0, m.captured(2).toDouble());
            x1 = std::max(x1, m.captured(3).toDouble());
            y1 = std::max(y1, m.captured(4).toDouble());
        }
        if (x1 >= x0) {
            pages[i].textWidthPt = x1 - x0;
            pages[i].textHeightPt = y1 - y0;
        }
    }
    return pages;
}

QImage rasterize(const QString& path, int page, int dpi) {
    const QString n = QString::number(page);
    QProcess p;
    p.start("pdftoppm", {"-f", n, "-l", n, "-r", QString::number(dpi), "-gray", path});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QImage image;
    image.loadFromData(p.readAllStandardOutput(), "PGM");
    return image;
}

} // namespace printertest
