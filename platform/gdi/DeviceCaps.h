#pragma once
// What GetDeviceCaps answers for a device: its resolution and, for a printer, the physical page
// and the offset of the printable area, all in device pixels.

namespace gdi {

struct DeviceCaps {
    int logPixelsX = 96;     // LOGPIXELSX: pixels per logical inch
    int logPixelsY = 96;     // LOGPIXELSY
    int physicalWidth = 0;   // PHYSICALWIDTH: the whole sheet
    int physicalHeight = 0;  // PHYSICALHEIGHT
    int physicalOffsetX = 0; // PHYSICALOFFSETX: from the sheet's edge to the printable area
    int physicalOffsetY = 0; // PHYSICALOFFSETY

    friend bool operator==(const DeviceCaps&, const DeviceCaps&) = default;
};

} // namespace gdi
