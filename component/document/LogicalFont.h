#pragma once
// The one rule that turns a font setting into a logical font for a device of a given vertical
// resolution; used for measuring and by the text playback.

#include "platform/gdi/Gdi.h"

#include <string_view>

namespace docuvel {

// The LOGFONT fields for face (0xAE, 0xAF or a cp1252 name), size in points and style code.
gdi::LogFont logicalFont(std::string_view face, float size, std::string_view styleCode, int dpiY);

gdi::HFONT createLogicalFont(std::string_view face, float size, std::string_view styleCode,
                             int dpiY);

} // namespace docuvel
