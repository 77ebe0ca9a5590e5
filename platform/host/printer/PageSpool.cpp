#include "platform/host/printer/PageSpool.h"

#include "platform/host/printer/PrinterErrors.h"

#include <QDir>

namespace host {

PageSpool::PageSpool(int dotsPerInch, const QString& title)
    : file_(QDir::temp().filePath(QStringLiteral("ampleton-print-XXXXXX.pdf"))), dpi_(dotsPerInch) {
    if (!file_.open())
        raisePrinterError(PrinterError::PrinterFailure,
                          "cannot create the spool file: " + file_.errorString().toStdString());
    writer_ = std::make_unique<QPdfWriter>(&file_);
    writer_->setResolution(dpi_);
    writer_->setTitle(title);
    writer_->setCreator(QStringLiteral("Ampleton"));
}

PageSpool::~PageSpool() {
    if (painter_.isActive())
        painter_.end();
}

void PageSpool::beginPage(const QPageLayout& layout) {
    // A layout set while painting applies from the next page on.
    writer_->setPageLayout(layout);
    if (pages_ == 0) {
        if (!painter_.begin(writer_.get()))
            raisePrinterError(PrinterError::PrinterFailure, "cannot paint the spool file");
    } else {
        writer_->newPage();
    }
    ++pages_;
}

QString PageSpool::finish() {
    if (painter_.isActive())
        painter_.end();
    writer_.reset();
    file_.flush();
    return file_.fileName();
}

} // namespace host
