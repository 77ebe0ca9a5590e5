#include "platform/host/printer/PrinterErrors.h"

#include "platform/com/Error.h"

#include <string>

namespace host {

std::string_view printerErrorText(PrinterError e) {
    switch (e) {
    case PrinterError::InvalidPropertyValue:
        return "Invalid property value";
    case PrinterError::PrinterFailure:
        return "Printer error";
    case PrinterError::NoPrinter:
        return "Problem getting printer information from the system. Make sure the printer is "
               "set up correctly.";
    }
    return "Printer error";
}

void raisePrinterError(PrinterError e, std::string_view detail) {
    std::string text(printerErrorText(e));
    if (!detail.empty())
        text.append(": ").append(detail);
    com::raise(std::int32_t(e), std::move(text));
}

} // namespace host
