// The built-in printer: the job's pages become a PDF file at 600 dpi, written whole or not at all.

#include "platform/host/Dialogs.h"
#include "platform/host/printer/PrintDevice.h"
#include "platform/host/printer/Printer.h"
#include "platform/host/printer/PrinterErrors.h"

#include <QFile>
#include <QSaveFile>

namespace host {
namespace {

Media mediaOf(const Paper& p) {
    return Media{int(p.code), QSizeF(p.widthPt, p.heightPt), QMarginsF(), QString(p.pwgName)};
}

class PdfFileDevice final : public PrintDevice {
public:
    QString deviceName() const override { return QString::fromLatin1(kPdfPrinterName); }
    int dotsPerInch() const override { return kPdfPrinterDpi; }
    // A file holds one copy; more would be the same pages again.
    int maxCopies() const override { return 1; }
    Media defaultMedia() const override { return mediaOf(*paperByCode(int(PaperCode::Letter))); }
    std::optional<Media> media(int code) const override {
        const Paper* p = paperByCode(code);
        return p ? std::optional(mediaOf(*p)) : std::nullopt;
    }

    std::vector<int> paperCodes() const override {
        std::vector<int> codes;
        for (const Paper& p : paperSizes())
            codes.push_back(int(p.code));
        return codes;
    }

    void submit(const QString& spoolPdf, const JobSettings& job) override {
        QString target = job.outputFile;
        if (target.isEmpty()) {
            FileDialogRequest request;
            request.kind = FileDialogKind::Save;
            request.title = QStringLiteral("Print to PDF File");
            request.filter = QStringLiteral("PDF Files (*.pdf)|*.pdf");
            request.defaultExt = QStringLiteral("pdf");
            request.promptOverwrite = true;
            const auto chosen = fileDialog(nullptr, request);
            if (!chosen)
                return; // the user chose not to print
            target = *chosen;
        }
        QFile spool(spoolPdf);
        if (!spool.open(QIODevice::ReadOnly))
            raisePrinterError(PrinterError::PrinterFailure, "cannot read the spool file");
        // Written beside the target and renamed over it, so a failure leaves the old file.
        QSaveFile out(target);
        if (!out.open(QIODevice::WriteOnly) || out.write(spool.readAll()) != spool.size() ||
            !out.commit())
            raisePrinterError(PrinterError::PrinterFailure, "cannot write " + target.toStdString() +
                                                                ": " +
                                                                out.errorString().toStdString());
    }
};

} // namespace

std::unique_ptr<PrintDevice> makePdfFileDevice() {
    return std::make_unique<PdfFileDevice>();
}

} // namespace host
