#include "component/render/RenderGeometry.h"

#include <cstdlib>
#include <limits>

namespace docuvel {

std::int32_t toInt32(double v) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(v))
        return 0;
    const double r = roundHalfEven(v);
    return r <= lo   ? std::numeric_limits<std::int32_t>::min()
           : r >= hi ? std::numeric_limits<std::int32_t>::max()
                     : std::int32_t(r);
}

std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0)
        return -1;
    const std::int64_t p = std::int64_t(a) * b;
    const std::int64_t q = std::llabs(p) / std::llabs(std::int64_t(c));
    const std::int64_t r = std::llabs(p) % std::llabs(std::int64_t(c));
    std::int64_t m = q + (2 * r >= std::llabs(std::int64_t(c)) ? 1 : 0);
    if ((p < 0) != (c < 0))
        m = -m;
    if (m > std::numeric_limits<std::int32_t>::max() ||
        m < std::numeric_limits<std::int32_t>::min())
        return -1;
    return std::int32_t(m);
}

std::int32_t penWidthInPixels(float points, int dotsPerInchX) {
    const std::int32_t hundredths = toInt32(double(points) * 100);
    return toInt32(mulDiv(hundredths, dotsPerInchX, 72) / 100.0);
}

bool wideLineRectangle(float x1, float y1, float x2, float y2, std::int32_t width,
                       DeviceRect& out) {
    if (width <= 5)
        return false;
    const std::int32_t half = width / 2;
    if (x1 == x2) {
        const std::int32_t left = toInt32(x1) - half;
        out = {left, toInt32(y1), left + width, toInt32(y2)};
        return true;
    }
    if (y1 == y2) {
        const std::int32_t top = toInt32(y1) - half;
        out = {toInt32(x1), top, toInt32(x2), top + width};
        return true;
    }
    return false;
}

DeviceRect recordingFrame(bool targetIsPrinter, std::int32_t physicalWidth,
                          std::int32_t physicalHeight, int dpiX, int dpiY, float pageWidth,
                          float pageHeight) {
    if (targetIsPrinter && dpiX > 0 && dpiY > 0)
        return {0, 0, toInt32(double(physicalWidth) / dpiX * 25.4 * 100),
                toInt32(double(physicalHeight) / dpiY * 25.4 * 100)};
    return {0, 0, toInt32(double(pageWidth) * 25.4 * 100),
            toInt32(double(pageHeight) * 25.4 * 100)};
}

float cellTop(float y, std::int16_t baseLine, const TextCell& cell) {
    switch (BaseLine(baseLine)) {
    case BaseLine::Ascent:
        return y;
    case BaseLine::Top:
        return y - float(cell.internalLeading);
    case BaseLine::Middle:
        return y - float(cell.internalLeading) - float(cell.height - cell.internalLeading) / 2;
    case BaseLine::Base:
        return y - float(cell.ascent);
    case BaseLine::Descent:
        return y - float(cell.height);
    }
    return y;
}

DeviceRect textRectangle(float x, float top, std::int32_t cx, std::int32_t cy,
                         std::int32_t maxWidth, std::int16_t alignment) {
    double left = x;
    double right = x;
    switch (TextAlignment(alignment)) {
    case TextAlignment::Centre:
        left = maxWidth > 0 ? x - maxWidth / 2.0 : x - cx / 2.0;
        right = maxWidth > 0 ? x + maxWidth / 2.0 : x + cx / 2.0;
        break;
    case TextAlignment::Right:
        left = maxWidth > 0 ? double(x) - maxWidth : double(x) - cx;
        break;
    case TextAlignment::Left:
    default:
        right = maxWidth > 0 ? double(x) + maxWidth : double(x) + 2.0 * cx;
        break;
    }
    return {toInt32(left), toInt32(top), toInt32(right), toInt32(double(top) + cy)};
}

void rotatedTextStart(float& x, float& y, std::int16_t angle, std::int16_t alignment,
                      std::int32_t cx) {
    const auto a = TextAlignment(alignment);
    if (a != TextAlignment::Centre && a != TextAlignment::Right)
        return;
    const float shift = a == TextAlignment::Centre ? float(cx) / 2 : float(cx);
    switch (angle) {
    case 90:
        y += shift;
        break;
    case 180:
        x += shift;
        break;
    case 270:
        y -= shift;
        break;
    default:
        break;
    }
}

} // namespace docuvel
