#pragma once
// Small white images with a device context on them, and ways to look at their pixels.

#include "platform/gdi/Gdi.h"

#include <QImage>

#include <memory>
#include <string>

namespace gdi::test {

inline DeviceCaps capsAt(int dpi, int width = 0, int height = 0) {
    DeviceCaps c;
    c.logPixelsX = c.logPixelsY = dpi;
    c.physicalWidth = width;
    c.physicalHeight = height;
    return c;
}

struct Canvas {
    explicit Canvas(int width, int height, int dpi = 96)
        : image(width, height, QImage::Format_RGB32) {
        image.fill(Qt::white);
        dc = std::make_unique<Dc>(image, capsAt(dpi, width, height));
    }
    // Ends the painting so the image can be read freely.
    QImage done() {
        dc.reset();
        return image;
    }
    QImage image;
    std::unique_ptr<Dc> dc;
};

inline COLORREF pixel(const QImage& img, int x, int y) {
    const QRgb p = img.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

// Bounding box of the pixels that are not white (inclusive corners); null when none.
inline QRect inkBounds(const QImage& img) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                r |= QRect(x, y, 1, 1);
    return r;
}

inline int countColor(const QImage& img, COLORREF color) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += pixel(img, x, y) == color;
    return n;
}

// Share of pixels whose colours differ by more than `tolerance` in some channel.
inline double mismatch(const QImage& a, const QImage& b, int tolerance = 48) {
    if (a.size() != b.size())
        return 1.0;
    long bad = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > tolerance ||
                std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                std::abs(qBlue(p) - qBlue(q)) > tolerance)
                ++bad;
        }
    return double(bad) / (a.width() * a.height());
}

// Share of the ink (pixels far from white) of each image that finds a pixel of a close colour
// in the other within `radius` pixels; the smaller share of the two. 0 when one image is blank,
// near 1 when the two differ only by anti-aliasing and small shifts.
inline double inkAgreement(const QImage& a, const QImage& b, int radius = 2) {
    const auto near = [](QRgb p, QRgb q, int tolerance) {
        return std::abs(qRed(p) - qRed(q)) <= tolerance &&
               std::abs(qGreen(p) - qGreen(q)) <= tolerance &&
               std::abs(qBlue(p) - qBlue(q)) <= tolerance;
    };
    const auto share = [&](const QImage& from, const QImage& to) {
        long ink = 0, found = 0;
        for (int y = 0; y < from.height(); ++y)
            for (int x = 0; x < from.width(); ++x) {
                const QRgb p = from.pixel(x, y);
                if (near(p, qRgb(255, 255, 255), 64))
                    continue;
                ++ink;
                bool hit = false;
                for (int dy = -radius; dy <= radius && !hit; ++dy)
                    for (int dx = -radius; dx <= radius && !hit; ++dx) {
                        const int u = x + dx, v = y + dy;
                        hit = u >= 0 && v >= 0 && u < to.width() && v < to.height() &&
                              near(p, to.pixel(u, v), 80);
                    }
                found += hit;
            }
        return ink == 0 ? 1.0 : double(found) / ink;
    };
    return std::min(share(a, b), share(b, a));
}

// Rows of '#' (ink) and '.' (white), for small pictures compared as text.
inline std::string ascii(const QImage& img, QRect area) {
    std::string s;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            s += (img.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF ? '.' : '#';
        s += '\n';
    }
    return s;
}

} // namespace gdi::test
