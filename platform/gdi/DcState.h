#pragma once
// Inside a device context: the graphics state, and the surface that turns calls into pixels
// (painter) or into records (metafile recorder).

#include "platform/gdi/Gdi.h"

#include <QByteArray>
#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QRegion>
#include <QString>
#include <QTransform>

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gdi {

class Region {
public:
    explicit Region(QRegion r) : region(std::move(r)) {}
    QRegion region;
};

// Text alignment bits (TA_*): where the reference point of a text lies in its cell.
enum : unsigned {
    TA_LEFT = 0,
    TA_RIGHT = 2,
    TA_CENTER = 6,
    TA_TOP = 0,
    TA_BOTTOM = 8,
    TA_BASELINE = 24,
    TA_HORIZONTAL_MASK = 6,
    TA_VERTICAL_MASK = 24,
};

// ExtTextOut options.
enum : unsigned { ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4 };

// What SaveDC/RestoreDC keep, and what a playback restores afterwards.
struct GraphicsState {
    HPEN pen;
    HBRUSH brush;
    HFONT font;
    BkMode bkMode = BkMode::Opaque;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = 0;
    PolyFillMode polyFill = PolyFillMode::Alternate;
    unsigned textAlign = TA_LEFT | TA_TOP;
    QPoint pos;                  // current position, logical
    std::optional<QRegion> clip; // reference device units (before `base`)
    QTransform world;            // logical -> reference device
};

// One line of text: the glyphs of `text` placed from the reference point by `dx`.
struct TextRun {
    QPoint ref; // logical; its meaning follows the text alignment
    QString text;
    std::vector<int> dx;  // advance after each character, logical units
    unsigned options = 0; // ETO_OPAQUE, ETO_CLIPPED
    QRect rect;           // logical; the clip and opaque rectangle
};

class Surface {
public:
    virtual ~Surface() = default;
    virtual void moveTo(Dc::State&, QPoint) {}
    virtual void lineTo(Dc::State&, QPoint from, QPoint to) = 0;
    virtual void polyline(Dc::State&, std::span<const QPoint> points) = 0;
    virtual void rectangle(Dc::State&, const QRect& ltrb) = 0; // right/bottom exclusive edges
    virtual void roundRect(Dc::State&, const QRect& ltrb, QSize corner) = 0;
    virtual void ellipse(Dc::State&, const QRect& ltrb) = 0;
    virtual void polygon(Dc::State&, std::span<const QPoint> points) = 0;
    // A path built of figures in logical units, filled with the brush and/or stroked with the pen.
    virtual void path(Dc::State&, const QPainterPath& path, bool fill, bool stroke) = 0;
    // Fills the region with the brush: logical units, or device units of the surface.
    virtual void paintRegion(Dc::State&, const QRegion& region, bool deviceUnits) = 0;
    virtual void text(Dc::State&, const TextRun& run) = 0;
    virtual void image(Dc::State&, const QRectF& dest, const QImage& image) = 0;
    // The device the surface paints on, for flood fills read straight from its pixels.
    virtual const QImage* pixels() const { return nullptr; }
    // Size of the device in device pixels.
    virtual QSize deviceSize() const = 0;
    // Metafile records of everything drawn so far from byte `offset` on (without the header);
    // `end` receives the offset after them. Feeds the raster replay behind flood fills.
    virtual QByteArray recordedSince(std::size_t offset, std::size_t& end) = 0;
    // Forgets what was drawn before a new page of the device.
    virtual void newPage() {}
};

class Shadow;

struct Dc::State {
    DeviceCaps caps;
    GraphicsState gs;
    QTransform base;                  // reference device -> device of the surface
    std::optional<QRegion> outerClip; // device units: the clip in force when a playback began
    double logicalDpiX = 96;          // resolution of the logical unit, for hatch spacing
    double logicalDpiY = 96;
    unsigned clipSerial = 1; // bumped whenever the effective clip changes
    std::unique_ptr<Surface> surface;
    std::string recordingPath;      // the file of a recording context
    std::unique_ptr<Shadow> shadow; // raster of what was drawn, for flood fills on vector devices

    // Path being built between BeginPath and EndPath.
    bool inPath = false;
    QPainterPath path;

    QTransform toDevice() const { return gs.world * base; }
    // The clip in device units of the surface, or none.
    std::optional<QRegion> effectiveClip() const;
    void clipChanged() { ++clipSerial; }

    State();
    ~State();
};

// Used by the metafile player to drive a context beyond the named calls.
namespace internal {
void setWorld(Dc& dc, const QTransform& world);
void beginPath(Dc& dc);
void endPath(Dc& dc);
void closeFigure(Dc& dc);
void polyBezierTo(Dc& dc, std::span<const QPoint> points);
void polylineTo(Dc& dc, std::span<const QPoint> points);
void polyline(Dc& dc, std::span<const QPoint> points);
void polyBezier(Dc& dc, std::span<const QPoint> points);
void polyPolygon(Dc& dc, std::span<const QPoint> points, std::span<const int> counts);
void fillPath(Dc& dc, bool fill, bool stroke);
void abortPath(Dc& dc);
void intersectClipRect(Dc& dc, const QRect& logical);
void excludeClipRect(Dc& dc, const QRect& logical);
void selectClipRegion(Dc& dc, const std::optional<QRegion>& deviceRegion, int mode);
void extTextOut(Dc& dc, const TextRun& run);
void setTextAlign(Dc& dc, unsigned align);
HRGN makeRegion(QRegion region);
// The state of a fresh context: stock black pen, white brush, default font.
GraphicsState defaultGraphicsState();
} // namespace internal

} // namespace gdi
