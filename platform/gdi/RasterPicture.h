#pragma once
// Raster pictures for the picture holder: whatever Qt's image reader reads, measured in inches.

#include <QImage>

#include <optional>
#include <string>

namespace gdi {

struct RasterPicture {
    QImage image;
    double widthInches = 0; // natural size from the picture's own resolution, else 96 dpi
    double heightInches = 0;
};

// Empty when the file cannot be read as a picture.
std::optional<RasterPicture> LoadRasterPicture(const std::string& path);

} // namespace gdi
