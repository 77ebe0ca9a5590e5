#include "platform/gdi/RasterPicture.h"

#include <QImageReader>

namespace gdi {

std::optional<RasterPicture> LoadRasterPicture(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    // Qt gives a picture without its own resolution the default one; such a picture counts
    // 96 pixels to the inch.
    const int defaultDpm = QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX();
    const auto dpi = [&](int dpm) {
        return dpm <= 0 || dpm == defaultDpm ? 96.0 : dpm * 0.0254;
    };
    RasterPicture picture;
    picture.widthInches = image.width() / dpi(image.dotsPerMeterX());
    picture.heightInches = image.height() / dpi(image.dotsPerMeterY());
    picture.image = std::move(image);
    return picture;
}

} // namespace gdi
