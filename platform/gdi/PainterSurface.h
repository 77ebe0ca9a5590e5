#pragma once
// The surface that draws with QPainter.

#include "platform/gdi/DcState.h"

#include <memory>

class QPaintDevice;
class QPainter;

namespace gdi {

std::unique_ptr<Surface> makePainterSurface(QPaintDevice& device);
std::unique_ptr<Surface> makePainterSurface(QPainter& painter);

} // namespace gdi
