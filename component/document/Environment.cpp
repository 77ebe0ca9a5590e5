#include "component/document/Environment.h"

#include "platform/host/printer/Printer.h"

namespace docuvel {

std::string printerDeviceName() {
    return host::printer().deviceName().toStdString();
}

gdi::DeviceCaps printerCaps() {
    return host::printer().deviceCaps();
}

} // namespace docuvel
