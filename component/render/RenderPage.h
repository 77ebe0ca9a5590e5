#pragma once
// Replays one page of a finished document file onto a device context. The records go first into
// a disk-based recording at the printer's resolution, which is then played stretched over the
// target, so that the printer (1:1) and a preview surface of any size show the same page.

#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <optional>
#include <string>

namespace docuvel {

// Sizes in target pixels default to the printer's physical sheet. Failures are shown to the user
// through the host's message box; nothing is returned.
void RenderPage(gdi::Dc& targetDC, const std::string& documentPath, std::int16_t pageNumber,
                std::optional<std::int32_t> targetWidth = std::nullopt,
                std::optional<std::int32_t> targetHeight = std::nullopt);

// The preview surface that receives raster pictures when the target is not the printer. Set by
// the preview immediately before each RenderPage, which forgets it when the page is done; when
// none is set, the target itself serves.
void setPictureSurface(gdi::Dc* surface);
gdi::Dc* pictureSurface();

} // namespace docuvel
