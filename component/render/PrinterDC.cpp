#include "component/render/PrinterDC.h"

#include "platform/host/printer/Printer.h"

namespace docuvel {
namespace {

const gdi::Dc* gPrinterDC = nullptr;

} // namespace

PrinterDC::PrinterDC() {
    host::Printer& printer = host::printer();
    printer.printEmptyText();
    dc_ = std::make_unique<gdi::Dc>(*printer.painter(), printer.deviceCaps());
    gPrinterDC = dc_.get();
}

PrinterDC::~PrinterDC() {
    if (gPrinterDC == dc_.get())
        gPrinterDC = nullptr;
}

bool isPrinterDC(const gdi::Dc* dc) {
    return dc && dc == gPrinterDC;
}

gdi::DeviceCaps printerDeviceCaps() {
    return host::printer().deviceCaps();
}

} // namespace docuvel
