#include "platform/host/printer/Printer.h"

#include "platform/host/printer/PageSpool.h"
#include "platform/host/printer/PrinterErrors.h"

#include <QPageLayout>
#include <QPageSize>

#include <cups/cups.h>

#include <cmath>
#include <cstdlib>
#include <optional>

namespace host {
namespace {

PrinterSources sourcesFromEnvironment() {
    const QByteArray v = qgetenv("AMPLETON_PRINTERS").toLower();
    if (v == "cups")
        return PrinterSources::CupsOnly;
    if (v == "pdf")
        return PrinterSources::PdfOnly;
    if (v == "none")
        return PrinterSources::None;
    return PrinterSources::All;
}

PrinterSources& sources() {
    static PrinterSources s = sourcesFromEnvironment();
    return s;
}

// Counts changes of the sources, so the current printer is checked again only after one.
int sourcesChanges = 0;

bool cupsOffered() {
    return sources() == PrinterSources::All || sources() == PrinterSources::CupsOnly;
}
bool pdfOffered() {
    return sources() == PrinterSources::All || sources() == PrinterSources::PdfOnly;
}

QStringList cupsQueues() {
    QStringList names;
    cups_dest_t* dests = nullptr;
    const int n = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    for (int i = 0; i < n; ++i)
        if (!dests[i].instance)
            names << QString::fromUtf8(dests[i].name);
    cupsFreeDests(n, dests);
    return names;
}

std::unique_ptr<PrintDevice> deviceNamed(const QString& name) {
    if (name == QLatin1String(kPdfPrinterName))
        return pdfOffered() ? makePdfFileDevice() : nullptr;
    if (!cupsOffered() || !cupsQueues().contains(name))
        return nullptr;
    return makeCupsDevice(name);
}

// The printer that is current at start: CUPS's default queue, else the built-in PDF printer,
// else the first queue.
std::unique_ptr<PrintDevice> defaultDevice() {
    if (cupsOffered()) {
        if (cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr)) {
            const QString name = QString::fromUtf8(dest->name);
            cupsFreeDests(1, dest);
            if (auto device = makeCupsDevice(name))
                return device;
        }
    }
    if (pdfOffered())
        return makePdfFileDevice();
    for (const QString& name : installedPrinters())
        if (auto device = deviceNamed(name))
            return device;
    return nullptr;
}

int pixels(double points, int dpi) {
    return int(std::nearbyint(points / 72.0 * dpi));
}

} // namespace

void setPrinterSources(PrinterSources s) {
    sources() = s;
    ++sourcesChanges;
}
PrinterSources printerSources() {
    return sources();
}

QStringList installedPrinters() {
    QStringList names;
    if (cupsOffered())
        names = cupsQueues();
    if (pdfOffered())
        names << QString::fromLatin1(kPdfPrinterName);
    return names;
}

struct Printer::Impl {
    std::unique_ptr<PrintDevice> device;
    bool chosen = false; // the start printer is found on first use
    int sourcesSeen = 0;
    Orientation orientation = Orientation::Portrait;
    int copies = 1;
    bool collate = false;
    Media media;
    QString outputFile;
    QString title = QStringLiteral("Document");

    std::unique_ptr<PageSpool> spool;
    int page = 0;
    bool pagePending = false;

    PrintDevice* current() {
        if (!chosen) {
            chosen = true;
            sourcesSeen = sourcesChanges;
            use(defaultDevice());
        }
        // A printer switched off since it was chosen is no longer there.
        if (sourcesSeen != sourcesChanges) {
            sourcesSeen = sourcesChanges;
            if (!device || !installedPrinters().contains(device->deviceName()))
                use(defaultDevice());
        }
        return device.get();
    }

    void use(std::unique_ptr<PrintDevice> d) {
        device = std::move(d);
        orientation = Orientation::Portrait;
        copies = 1;
        collate = false;
        media = device ? device->defaultMedia() : Media{};
    }

    QPageLayout layout() const {
        const QMarginsF& m = media.marginsPt;
        const QMarginsF oriented = orientation == Orientation::Portrait
                                       ? m
                                       : QMarginsF(m.bottom(), m.left(), m.top(), m.right());
        return QPageLayout(
            QPageSize(media.sizePt, QPageSize::Point, QString(), QPageSize::ExactMatch),
            orientation == Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
            oriented, QPageLayout::Point);
    }

    void beginPendingPage() {
        if (spool && pagePending) {
            spool->beginPage(layout());
            pagePending = false;
        }
    }
};

Printer::Printer() : d_(std::make_unique<Impl>()) {}
Printer::~Printer() = default;

QString Printer::deviceName() const {
    PrintDevice* device = d_->current();
    return device ? device->deviceName() : QString();
}

bool Printer::select(const QString& name) {
    if (d_->spool)
        raisePrinterError(PrinterError::PrinterFailure, "a document is being printed");
    auto device = deviceNamed(name);
    if (!device)
        return false;
    d_->chosen = true;
    d_->sourcesSeen = sourcesChanges;
    d_->use(std::move(device));
    return true;
}

Orientation Printer::orientation() const {
    return d_->orientation;
}
void Printer::setOrientation(Orientation o) {
    d_->orientation = o;
}
void Printer::setOrientation(int o) {
    if (o != int(Orientation::Portrait) && o != int(Orientation::Landscape))
        raisePrinterError(PrinterError::InvalidPropertyValue);
    d_->orientation = Orientation(o);
}

int Printer::copies() const {
    return d_->copies;
}
void Printer::setCopies(int n) {
    PrintDevice* device = d_->current();
    if (n < 1 || !device || n > device->maxCopies())
        raisePrinterError(PrinterError::InvalidPropertyValue);
    d_->copies = n;
}
bool Printer::canMakeCopies() const {
    PrintDevice* device = d_->current();
    return device && device->maxCopies() > 1;
}
bool Printer::collate() const {
    return d_->collate;
}
void Printer::setCollate(bool c) {
    d_->collate = c;
}

int Printer::paperSize() const {
    d_->current();
    return d_->media.code;
}
void Printer::setPaperSize(int code) {
    PrintDevice* device = d_->current();
    const auto media = device ? device->media(code) : std::nullopt;
    if (!media)
        raisePrinterError(PrinterError::InvalidPropertyValue);
    d_->media = *media;
}

std::vector<int> Printer::paperSizes() const {
    PrintDevice* device = d_->current();
    return device ? device->paperCodes() : std::vector<int>();
}

gdi::DeviceCaps Printer::deviceCaps() const {
    PrintDevice* device = d_->current();
    const int dpi = device ? device->dotsPerInch() : kPdfPrinterDpi;
    const QSizeF& s = d_->media.sizePt;
    const QMarginsF& m = d_->media.marginsPt;
    gdi::DeviceCaps caps;
    caps.logPixelsX = caps.logPixelsY = dpi;
    if (d_->orientation == Orientation::Portrait) {
        caps.physicalWidth = pixels(s.width(), dpi);
        caps.physicalHeight = pixels(s.height(), dpi);
        caps.physicalOffsetX = pixels(m.left(), dpi);
        caps.physicalOffsetY = pixels(m.top(), dpi);
    } else {
        // Landscape turns the sheet a quarter counter-clockwise: its bottom edge becomes the left.
        caps.physicalWidth = pixels(s.height(), dpi);
        caps.physicalHeight = pixels(s.width(), dpi);
        caps.physicalOffsetX = pixels(m.bottom(), dpi);
        caps.physicalOffsetY = pixels(m.left(), dpi);
    }
    return caps;
}

void Printer::setOutputFile(const QString& path) {
    d_->outputFile = path;
}
QString Printer::outputFile() const {
    return d_->outputFile;
}
void Printer::setDocumentTitle(const QString& title) {
    d_->title = title;
}

void Printer::printEmptyText() {
    if (!d_->spool) {
        PrintDevice* device = d_->current();
        if (!device)
            raisePrinterError(PrinterError::NoPrinter);
        d_->spool = std::make_unique<PageSpool>(device->dotsPerInch(), d_->title);
        d_->page = 1;
        d_->pagePending = true;
    }
    d_->beginPendingPage();
}

void Printer::newPage() {
    printEmptyText();
    ++d_->page;
    d_->pagePending = true;
}

void Printer::killDoc() {
    d_->spool.reset();
    d_->page = 0;
    d_->pagePending = false;
}

void Printer::endDoc() {
    if (!d_->spool)
        return;
    auto spool = std::move(d_->spool);
    d_->page = 0;
    d_->pagePending = false;
    PrintDevice* device = d_->current();
    if (!device)
        raisePrinterError(PrinterError::NoPrinter);
    JobSettings job{d_->title, d_->copies, d_->collate, d_->orientation, d_->media, d_->outputFile};
    device->submit(spool->finish(), job);
}

bool Printer::documentOpen() const {
    return d_->spool != nullptr;
}
int Printer::page() const {
    return d_->page;
}

QPaintDevice* Printer::paintDevice() {
    d_->beginPendingPage();
    return d_->spool ? d_->spool->device() : nullptr;
}

QPainter* Printer::painter() {
    d_->beginPendingPage();
    return d_->spool ? d_->spool->painter() : nullptr;
}

Printer& printer() {
    static Printer current;
    return current;
}

} // namespace host
