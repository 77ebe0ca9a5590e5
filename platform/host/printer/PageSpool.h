#pragma once
// The document being printed: pages painted into a PDF spool file at the printer's resolution.
// The spool file is private to the process (owner-only) and removed with the spool.

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <memory>

namespace host {

class PageSpool {
public:
    // Raises PrinterFailure when the spool file cannot be created.
    PageSpool(int dotsPerInch, const QString& title);
    ~PageSpool();
    PageSpool(const PageSpool&) = delete;
    PageSpool& operator=(const PageSpool&) = delete;

    // Begins the next page (the first one included) with this layout.
    void beginPage(const QPageLayout& layout);
    int pagesBegun() const { return pages_; }

    QPdfWriter* device() { return writer_.get(); }
    QPainter* painter() { return &painter_; }

    // Completes the file; returns its path. The file goes with the spool.
    QString finish();

private:
    QTemporaryFile file_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    int dpi_;
    int pages_ = 0;
};

} // namespace host
