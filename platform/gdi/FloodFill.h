#pragma once
// Flood fills computed on pixels: of the device itself, or of a raster replay of what was drawn.

#include "platform/gdi/DcState.h"

#include <utility>
#include <vector>

namespace gdi {

class EmfPlayer;

// A raster replay of the records of a context, kept up to date lazily.
class Shadow {
public:
    Shadow(QSize size, const Dc::State& owner);
    ~Shadow();
    QImage image;
    std::unique_ptr<Dc> dc;
    std::unique_ptr<EmfPlayer> player;
    std::size_t played = 0;
};

// The pixels reached from `seed` without crossing pixels of the border colour, as a region;
// empty when the seed is outside the image or is itself of the border colour.
QRegion floodRegion(const QImage& image, QPoint seed, COLORREF borderColor);

// A region from the pixel spans (first, last) of consecutive rows starting at `top`; the spans
// of a row may come in any order and may touch.
QRegion regionFromRows(int top, std::vector<std::vector<std::pair<int, int>>>& rows);

// A raster of everything drawn on the context so far, at its device resolution.
const QImage& shadowPixels(Dc::State& state);

} // namespace gdi
