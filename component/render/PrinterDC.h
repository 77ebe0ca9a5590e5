#pragma once
// The device context of the application's printer while a document is open on it: what the
// print job and dvrender hand to RenderPage, which then plays the page 1:1 in printer pixels and
// paints raster pictures on the printer itself.

#include "platform/gdi/Gdi.h"

#include <memory>

namespace docuvel {

class PrinterDC {
public:
    // Opens the printer's document and page when none is ("print an empty text"), and wraps
    // the page's painter. Raises the printer's error when no document can be opened.
    PrinterDC();
    ~PrinterDC();
    PrinterDC(const PrinterDC&) = delete;
    PrinterDC& operator=(const PrinterDC&) = delete;

    gdi::Dc& dc() { return *dc_; }

private:
    std::unique_ptr<gdi::Dc> dc_;
};

// True when dc is the printer's device context of a PrinterDC alive now.
bool isPrinterDC(const gdi::Dc* dc);

// The application's printer metrics, which a page recording is made at whatever the target.
gdi::DeviceCaps printerDeviceCaps();

} // namespace docuvel
