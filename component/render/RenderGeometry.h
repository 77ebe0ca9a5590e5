#pragma once
// The arithmetic of page playback: inches to printer pixels, pen widths, the square-ended wide
// line, the recording frame, and where a text record's box and start point fall. Pure functions,
// so that the numbers the printout depends on can be checked without a device.

#include <cmath>
#include <cstdint>

namespace docuvel {

struct DeviceRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

struct DevicePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

// Nearest whole number, halves to the even neighbour.
inline double roundHalfEven(double v) {
    return std::nearbyint(v);
}

// The same, as a 32-bit integer; values beyond its range are held at its ends rather than
// overflowing, so a damaged coordinate cannot wrap around.
std::int32_t toInt32(double v);

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
std::int32_t mulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// An inch coordinate in device pixels, rounded half to even and kept as a float.
inline float inchesToDevice(float inches, int dotsPerInch) {
    return float(roundHalfEven(double(inches) * dotsPerInch));
}

// Width of a pen record in device pixels: points to hundredths, scaled by MulDiv, then whole.
std::int32_t penWidthInPixels(float points, int dotsPerInchX);

// A type 10 line wider than five pixels that is vertical or horizontal is drawn as a filled
// rectangle so that its ends are square. Returns false when the line is drawn with the pen.
bool wideLineRectangle(float x1, float y1, float x2, float y2, std::int32_t width, DeviceRect& out);

// Picture frame of a page recording in 0.01 mm: the printer's sheet when the target is the
// printer, else the document's page.
DeviceRect recordingFrame(bool targetIsPrinter, std::int32_t physicalWidth,
                          std::int32_t physicalHeight, int dpiX, int dpiY, float pageWidth,
                          float pageHeight);

// Base-line options of text records.
enum class BaseLine : std::int16_t {
    Ascent = 1,
    Top = 2,
    Middle = 3,
    Base = 4,
    Descent = 5,
};

enum class TextAlignment : std::int16_t { Left = 1, Centre = 2, Right = 3 };

struct TextCell {
    std::int32_t height = 0;
    std::int32_t ascent = 0;
    std::int32_t internalLeading = 0;
};

// The top of the character cell for a text whose y marks the given line. Unknown options leave
// y as it is.
float cellTop(float y, std::int16_t baseLine, const TextCell& cell);

// The box a one-line text record is drawn into. cx already includes the five pixels of slack;
// maxWidth is in device pixels, 0 for none.
DeviceRect textRectangle(float x, float top, std::int32_t cx, std::int32_t cy,
                         std::int32_t maxWidth, std::int16_t alignment);

// Start of a rotated text: alignment moves it along the text only at 90, 180 and 270 degrees.
void rotatedTextStart(float& x, float& y, std::int16_t angle, std::int16_t alignment,
                      std::int32_t cx);

} // namespace docuvel
