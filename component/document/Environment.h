#pragma once
// The current printer as the document object sees it: whether there is one, and its resolution
// for measuring.

#include "platform/gdi/DeviceCaps.h"

#include <string>

namespace docuvel {

// Empty when no printer is installed.
std::string printerDeviceName();
gdi::DeviceCaps printerCaps();

} // namespace docuvel
