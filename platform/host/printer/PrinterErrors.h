#pragma once
// Errors the printer object raises (com::Error), with the host's numbers and texts.

#include <cstdint>
#include <string_view>

namespace host {

enum class PrinterError : std::int32_t {
    InvalidPropertyValue = 380, // a copy count, paper or orientation the printer cannot take
    PrinterFailure = 482,       // the job could not be made or sent
    NoPrinter = 484,            // there is no current printer
};

std::string_view printerErrorText(PrinterError e);
// Raises `e`; a non-empty detail follows the text after ": ".
[[noreturn]] void raisePrinterError(PrinterError e, std::string_view detail = {});

} // namespace host
