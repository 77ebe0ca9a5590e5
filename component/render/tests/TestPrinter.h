#pragma once
// The tests render against the built-in PDF printer: 600 dpi on every machine.

#include "platform/host/printer/Printer.h"

#include <gtest/gtest.h>

namespace docuvel::test {

inline void useTestPrinter() {
    ASSERT_TRUE(host::printer().select(host::kPdfPrinterName));
    ASSERT_EQ(host::printer().deviceCaps().logPixelsX, host::kPdfPrinterDpi);
}

} // namespace docuvel::test
