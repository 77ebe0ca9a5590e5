#include "tools/dvrender/Dvrender.h"

#include "component/document/DocumentFile.h"
#include "component/render/PrinterDC.h"
#include "component/render/RenderPage.h"
#include "component/render/Utilities.h"
#include "platform/com/Error.h"
#include "platform/gdi/Gdi.h"
#include "platform/host/Dialogs.h"
#include "platform/host/printer/Printer.h"

#include <QFileInfo>
#include <QImage>

#include <cmath>
#include <cstdio>

namespace dvrender {
namespace {

constexpr char kUsage[] = "usage: dvrender DOC -o OUT.pdf\n"
                          "       dvrender DOC --page N --width PX -o OUT.png\n"
                          "       dvrender DOC --printer NAME [--page N]\n";

// Wider or taller surfaces are not what a preview of a page needs, and would not fit in memory.
constexpr int kMaxSide = 16384;

void printError(const QString& text) {
    std::fprintf(stderr, "dvrender: %s\n", qPrintable(text));
}

// Messages of the renderer go to standard error; nobody is there to answer a window.
class StderrDialogs : public host::DialogResponder {
public:
    StderrDialogs() : previous_(host::dialogResponder()) { host::setDialogResponder(this); }
    ~StderrDialogs() override { host::setDialogResponder(previous_); }
    StderrDialogs(const StderrDialogs&) = delete;
    StderrDialogs& operator=(const StderrDialogs&) = delete;

    host::MsgAnswer messageBox(const host::MessageBoxRequest& request) override {
        QString text = request.text;
        text.replace("\r\r", " ").replace('\r', ' ');
        printError(request.title + " " + text);
        ++shown;
        return host::MsgAnswer::Ok;
    }
    std::optional<QString> fileDialog(const host::FileDialogRequest&) override { return {}; }
    std::optional<QString> folderDialog(const host::FolderDialogRequest&) override { return {}; }

    int shown = 0;

private:
    host::DialogResponder* previous_;
};

std::optional<int> positiveNumber(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n > 0 ? std::optional<int>(n) : std::nullopt;
}

int renderPng(const Options& o, const docuvel::DocumentHeader& header, StderrDialogs& dialogs) {
    if (!(header.pageWidth > 0) || !(header.pageHeight > 0)) {
        printError("the document's page size is not usable");
        return 2;
    }
    const int width = *o.width;
    const double height = std::nearbyint(double(width) * header.pageHeight / header.pageWidth);
    if (width > kMaxSide || height < 1 || height > kMaxSide) {
        printError(QString("a page of %1 x %2 pixels is beyond %3 pixels a side")
                       .arg(width)
                       .arg(height)
                       .arg(kMaxSide));
        return 2;
    }
    QImage image(width, int(height), QImage::Format_RGB32);
    if (image.isNull()) {
        printError("not enough memory for the image");
        return 1;
    }
    image.fill(Qt::white);
    {
        // The surface's own resolution: one page width over its pixels.
        gdi::DeviceCaps caps;
        caps.logPixelsX = std::max(1, int(std::lround(width / header.pageWidth)));
        caps.logPixelsY = std::max(1, int(std::lround(height / header.pageHeight)));
        caps.physicalWidth = width;
        caps.physicalHeight = int(height);
        gdi::Dc dc(image, caps);
        docuvel::setPictureSurface(&dc);
        docuvel::RenderPage(dc, o.document.toStdString(), std::int16_t(o.page.value_or(1)), width,
                            int(height));
        docuvel::setPictureSurface(nullptr);
    }
    if (dialogs.shown > 0)
        return 1;
    if (!image.save(o.output, "PNG")) {
        printError("cannot write " + o.output);
        return 1;
    }
    return 0;
}

// Every page, or the one asked for, onto the printer: the built-in PDF printer writing the
// output file, or the printer named.
int printPages(const Options& o, const docuvel::DocumentHeader& header, StderrDialogs& dialogs) {
    host::Printer& printer = host::printer();
    const QString name = o.printer.isEmpty() ? QString(host::kPdfPrinterName) : o.printer;
    if (!printer.select(name)) {
        printError("no printer named \"" + name +
                   "\"; installed: " + host::installedPrinters().join(", "));
        return 2;
    }
    if (o.printer.isEmpty())
        printer.setOutputFile(QFileInfo(o.output).absoluteFilePath());
    printer.setDocumentTitle(QFileInfo(o.document).fileName());
    docuvel::SelectPrinterPaper(header.pageWidth, header.pageHeight);
    const auto orientation = header.pageWidth > header.pageHeight ? host::Orientation::Landscape
                                                                  : host::Orientation::Portrait;
    const int first = o.page.value_or(1);
    const int last = o.page.value_or(header.pageCount);
    try {
        for (int page = first; page <= last; ++page) {
            if (page > first)
                printer.newPage();
            printer.setOrientation(orientation);
            docuvel::PrinterDC dc;
            docuvel::RenderPage(dc.dc(), o.document.toStdString(), std::int16_t(page));
        }
        printer.endDoc();
    } catch (const com::Error& e) {
        printer.killDoc();
        printError(QString::fromStdString(e.description()));
        return 1;
    }
    return dialogs.shown > 0 ? 1 : 0;
}

} // namespace

std::variant<Options, QString> parse(const QStringList& args) {
    Options o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "-o" || a == "--output") {
            if (!hasValue)
                return QString("-o needs a file name");
            o.output = args[++i];
        } else if (a == "--printer") {
            if (!hasValue)
                return QString("--printer needs a printer name");
            o.printer = args[++i];
        } else if (a == "--page" || a == "--width") {
            if (!hasValue)
                return a + " needs a number";
            const std::optional<int> n = positiveNumber(args[++i]);
            if (!n)
                return a + " needs a whole number above 0, not " + args[i];
            (a == "--page" ? o.page : o.width) = n;
        } else if (a.startsWith('-') && a.size() > 1) {
            return "unknown option " + a;
        } else if (o.document.isEmpty()) {
            o.document = a;
        } else {
            return "more than one document: " + a;
        }
    }
    if (o.document.isEmpty())
        return QString("no document given");
    if (o.output.isEmpty() == o.printer.isEmpty())
        return QString("give either -o OUT or --printer NAME");
    const QString suffix = QFileInfo(o.output).suffix().toLower();
    if (!o.output.isEmpty() && suffix != "pdf" && suffix != "png")
        return "the output must end in .pdf or .png: " + o.output;
    if (suffix == "png" && (!o.width || !o.page))
        return QString("a PNG needs --page N and --width PX");
    if (suffix != "png" && o.width)
        return QString("--width applies to PNG output only");
    return o;
}

int run(const QStringList& args) {
    const auto parsed = parse(args);
    if (const QString* error = std::get_if<QString>(&parsed)) {
        printError(*error);
        std::fputs(kUsage, stderr);
        return 2;
    }
    const Options& o = std::get<Options>(parsed);
    const std::string path = o.document.toStdString();
    if (const auto fault = docuvel::checkDocumentFile(path)) {
        printError(*fault == docuvel::OpenFault::Missing ? "no such file: " + o.document
                                                         : "not a document file: " + o.document);
        return 2;
    }
    docuvel::DocumentHeader header;
    try {
        header = docuvel::DocumentReader(path).header();
    } catch (const docuvel::DocumentIoError&) {
        printError("not a document file: " + o.document);
        return 2;
    }
    if (o.page && *o.page > header.pageCount) {
        printError(QString("the document has %1 page(s)").arg(header.pageCount));
        return 2;
    }
    StderrDialogs dialogs;
    if (QFileInfo(o.output).suffix().toLower() == "png")
        return renderPng(o, header, dialogs);
    return printPages(o, header, dialogs);
}

} // namespace dvrender
