// Device contexts, objects, state and the drawing calls: validation and state here, pixels or
// records in the surface.

#include "platform/gdi/DcState.h"
#include "platform/gdi/FloodFill.h"
#include "platform/gdi/FontFace.h"
#include "platform/gdi/PainterSurface.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace gdi {

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    const long long q = (p >= 0) == (c > 0) ? (std::llabs(p) + half) / std::llabs(c)
                                            : -((std::llabs(p) + half) / std::llabs(c));
    return int(q);
}

// ----- objects -------------------------------------------------------------------------------

HPEN CreatePen(PenStyle style, int width, COLORREF color) {
    auto pen = std::make_shared<Pen>();
    pen->style = style;
    pen->width = std::max(0, width);
    pen->color = color & 0xFFFFFF;
    return pen;
}

HBRUSH CreateSolidBrush(COLORREF color) {
    return std::make_shared<const Brush>(Brush{BrushStyle::Solid, color & 0xFFFFFF, {}});
}

HBRUSH CreateHatchBrush(HatchStyle hatch, COLORREF color) {
    return std::make_shared<const Brush>(Brush{BrushStyle::Hatched, color & 0xFFFFFF, hatch});
}

template <> HBRUSH GetStockObject<HBRUSH>(StockObject which) {
    static const HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    static const HBRUSH black = CreateSolidBrush(0);
    static const HBRUSH null = std::make_shared<const Brush>(Brush{BrushStyle::Null, 0, {}});
    switch (which) {
    case StockObject::BlackBrush:
        return black;
    case StockObject::NullBrush:
        return null;
    default:
        return white;
    }
}

template <> HPEN GetStockObject<HPEN>(StockObject which) {
    static const HPEN white = CreatePen(PenStyle::Solid, 0, RGB(255, 255, 255));
    static const HPEN black = CreatePen(PenStyle::Solid, 0, 0);
    static const HPEN null = CreatePen(PenStyle::Null, 0, 0);
    switch (which) {
    case StockObject::WhitePen:
        return white;
    case StockObject::NullPen:
        return null;
    default:
        return black;
    }
}

HFONT CreateFontIndirect(const LogFont& logFont) {
    auto font = std::make_shared<Font>();
    font->logFont = logFont;
    font->face = FontFace::resolve(logFont);
    return font;
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, bool italic,
                  bool underline, bool strikeOut, int, int, int, int, int,
                  std::string_view faceName) {
    LogFont lf;
    lf.height = height;
    lf.width = width;
    lf.escapement = escapement;
    lf.orientation = orientation;
    lf.weight = weight;
    lf.italic = italic;
    lf.underline = underline;
    lf.strikeOut = strikeOut;
    lf.faceName = std::string(faceName.substr(0, 31));
    return CreateFontIndirect(lf);
}

namespace {

const HFONT& defaultFont() {
    static const HFONT font =
        CreateFontA(-13, 0, 0, 0, 400, false, false, false, 1, 0, 0, 0, 0, "Arial");
    return font;
}

} // namespace

HPEN SelectObject(Dc& dc, HPEN pen) {
    if (!pen)
        return {};
    return std::exchange(dc.state().gs.pen, std::move(pen));
}

HBRUSH SelectObject(Dc& dc, HBRUSH brush) {
    if (!brush)
        return {};
    return std::exchange(dc.state().gs.brush, std::move(brush));
}

HFONT SelectObject(Dc& dc, HFONT font) {
    if (!font)
        return {};
    return std::exchange(dc.state().gs.font, std::move(font));
}

// ----- regions -------------------------------------------------------------------------------

namespace {

QRect normalized(int l, int t, int r, int b) {
    if (r < l)
        std::swap(l, r);
    if (b < t)
        std::swap(t, b);
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

QPolygon toPolygon(std::span<const POINT> points) {
    QPolygon poly(qsizetype(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        poly[qsizetype(i)] = QPoint(points[i].x, points[i].y);
    return poly;
}

std::vector<QPoint> toPoints(std::span<const POINT> points) {
    std::vector<QPoint> out(points.size());
    for (std::size_t i = 0; i < points.size(); ++i)
        out[i] = QPoint(points[i].x, points[i].y);
    return out;
}

} // namespace

HRGN internal::makeRegion(QRegion region) {
    return std::make_shared<const Region>(region);
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return internal::makeRegion(QRegion(normalized(left, top, right, bottom)));
}

namespace {

// The pixels of a rectangle with elliptic corners (corner sizes up to the whole box make an
// ellipse): each pixel whose centre lies inside the shape, symmetric about the box's centre.
QRegion roundedRegion(const QRect& box, double cornerWidth, double cornerHeight) {
    const double l = box.left(), r = box.left() + box.width();
    const double t = box.top(), b = box.top() + box.height();
    const double rx = std::min(cornerWidth, r - l) / 2, ry = std::min(cornerHeight, b - t) / 2;
    std::vector<std::vector<std::pair<int, int>>> rows(std::size_t(box.height()));
    for (int y = box.top(); y < box.top() + box.height(); ++y) {
        const double cy = y + 0.5;
        double inset = 0;
        const double dy = cy < t + ry ? (t + ry - cy) / ry : cy > b - ry ? (cy - (b - ry)) / ry : 0;
        if (ry > 0 && dy > 0) {
            if (dy > 1)
                continue;
            inset = rx * (1 - std::sqrt(1 - dy * dy));
        }
        const int x0 = int(std::ceil(l + inset - 0.5));
        const int x1 = int(std::floor(r - inset - 0.5));
        if (x1 >= x0)
            rows[std::size_t(y - box.top())].emplace_back(x0, x1);
    }
    return regionFromRows(box.top(), rows);
}

} // namespace

HRGN CreateEllipticRgn(int left, int top, int right, int bottom) {
    const QRect box = normalized(left, top, right, bottom);
    return internal::makeRegion(roundedRegion(box, box.width(), box.height()));
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
    return internal::makeRegion(roundedRegion(normalized(left, top, right, bottom),
                                              std::abs(cornerWidth), std::abs(cornerHeight)));
}

HRGN CreatePolygonRgn(std::span<const POINT> points, PolyFillMode mode) {
    return internal::makeRegion(QRegion(
        toPolygon(points), mode == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill));
}

bool PtInRegion(const HRGN& region, int x, int y) {
    return region && region->region.contains(QPoint(x, y));
}

bool PaintRgn(Dc& dc, const HRGN& region) {
    auto& s = dc.state();
    if (!s.surface || !region)
        return false;
    s.surface->paintRegion(s, region->region, false);
    return true;
}

bool SelectClipRgn(Dc& dc, const HRGN& region) {
    internal::selectClipRegion(dc, region ? std::optional<QRegion>(region->region) : std::nullopt,
                               5);
    return true;
}

// ----- state ---------------------------------------------------------------------------------

GraphicsState internal::defaultGraphicsState() {
    GraphicsState gs;
    gs.pen = GetStockObject<HPEN>(BLACK_PEN);
    gs.brush = GetStockObject<HBRUSH>(WHITE_BRUSH);
    gs.font = defaultFont();
    return gs;
}

Dc::State::State() : gs(internal::defaultGraphicsState()) {}

Dc::State::~State() = default;

std::optional<QRegion> Dc::State::effectiveClip() const {
    std::optional<QRegion> r;
    if (gs.clip)
        r = base.isIdentity() ? *gs.clip : base.map(*gs.clip);
    if (outerClip)
        r = r ? (*r & *outerClip) : *outerClip;
    return r;
}

Dc::Dc() : state_(std::make_unique<State>()) {}

Dc::Dc(QPaintDevice& device, const DeviceCaps& caps) : Dc() {
    state_->caps = caps;
    state_->logicalDpiX = caps.logPixelsX;
    state_->logicalDpiY = caps.logPixelsY;
    state_->surface = makePainterSurface(device);
}

Dc::Dc(QPainter& painter, const DeviceCaps& caps) : Dc() {
    state_->caps = caps;
    state_->logicalDpiX = caps.logPixelsX;
    state_->logicalDpiY = caps.logPixelsY;
    state_->surface = makePainterSurface(painter);
}

Dc::Dc(const DeviceCaps& caps) : Dc() {
    state_->caps = caps;
    state_->logicalDpiX = caps.logPixelsX;
    state_->logicalDpiY = caps.logPixelsY;
}

Dc::~Dc() = default;

const DeviceCaps& Dc::caps() const {
    return state_->caps;
}
bool Dc::canDraw() const {
    return bool(state_->surface);
}

void Dc::newPage() {
    state_->shadow.reset();
    if (state_->surface)
        state_->surface->newPage();
}

int GetDeviceCaps(const Dc& dc, DeviceCap index) {
    const DeviceCaps& c = dc.caps();
    switch (index) {
    case DeviceCap::LogPixelsX:
        return c.logPixelsX;
    case DeviceCap::LogPixelsY:
        return c.logPixelsY;
    case DeviceCap::PhysicalWidth:
        return c.physicalWidth;
    case DeviceCap::PhysicalHeight:
        return c.physicalHeight;
    case DeviceCap::PhysicalOffsetX:
        return c.physicalOffsetX;
    case DeviceCap::PhysicalOffsetY:
        return c.physicalOffsetY;
    }
    return 0;
}

BkMode SetBkMode(Dc& dc, BkMode mode) {
    return std::exchange(dc.state().gs.bkMode, mode);
}
BkMode GetBkMode(const Dc& dc) {
    return dc.state().gs.bkMode;
}
COLORREF SetBkColor(Dc& dc, COLORREF color) {
    return std::exchange(dc.state().gs.bkColor, color & 0xFFFFFF);
}
COLORREF GetBkColor(const Dc& dc) {
    return dc.state().gs.bkColor;
}
COLORREF SetTextColor(Dc& dc, COLORREF color) {
    return std::exchange(dc.state().gs.textColor, color & 0xFFFFFF);
}
COLORREF GetTextColor(const Dc& dc) {
    return dc.state().gs.textColor;
}
PolyFillMode SetPolyFillMode(Dc& dc, PolyFillMode mode) {
    return std::exchange(dc.state().gs.polyFill, mode);
}

// ----- drawing -------------------------------------------------------------------------------

bool MoveToEx(Dc& dc, int x, int y, POINT* previous) {
    auto& s = dc.state();
    if (previous)
        *previous = POINT{s.gs.pos.x(), s.gs.pos.y()};
    s.gs.pos = QPoint(x, y);
    if (s.inPath)
        s.path.moveTo(x, y);
    else if (s.surface)
        s.surface->moveTo(s, s.gs.pos);
    return true;
}

bool LineTo(Dc& dc, int x, int y) {
    auto& s = dc.state();
    const QPoint to(x, y);
    if (s.inPath) {
        if (s.path.elementCount() == 0)
            s.path.moveTo(s.gs.pos);
        s.path.lineTo(to);
        s.gs.pos = to;
        return true;
    }
    if (!s.surface)
        return false;
    s.surface->lineTo(s, s.gs.pos, to);
    s.gs.pos = to;
    return true;
}

bool Rectangle(Dc& dc, int left, int top, int right, int bottom) {
    auto& s = dc.state();
    if (s.inPath) {
        s.path.addRect(QRectF(normalized(left, top, right, bottom)));
        return true;
    }
    if (!s.surface)
        return false;
    s.surface->rectangle(s, normalized(left, top, right, bottom));
    return true;
}

bool RoundRect(Dc& dc, int left, int top, int right, int bottom, int cornerWidth,
               int cornerHeight) {
    auto& s = dc.state();
    if (!s.surface)
        return false;
    s.surface->roundRect(s, normalized(left, top, right, bottom),
                         QSize(std::abs(cornerWidth), std::abs(cornerHeight)));
    return true;
}

bool Ellipse(Dc& dc, int left, int top, int right, int bottom) {
    auto& s = dc.state();
    if (s.inPath) {
        s.path.addEllipse(QRectF(normalized(left, top, right, bottom)));
        return true;
    }
    if (!s.surface)
        return false;
    s.surface->ellipse(s, normalized(left, top, right, bottom));
    return true;
}

bool Polygon(Dc& dc, std::span<const POINT> points) {
    auto& s = dc.state();
    if (points.size() < 2)
        return false;
    const std::vector<QPoint> pts = toPoints(points);
    if (s.inPath) {
        s.path.addPolygon(QPolygonF(QPolygon(pts.begin(), pts.end())));
        s.path.closeSubpath();
        return true;
    }
    if (!s.surface)
        return false;
    s.surface->polygon(s, pts);
    return true;
}

bool FloodFill(Dc& dc, int x, int y, COLORREF borderColor) {
    auto& s = dc.state();
    if (!s.surface)
        return false;
    const QPointF device = s.toDevice().map(QPointF(x + 0.5, y + 0.5));
    const QImage* pixels = s.surface->pixels();
    if (!pixels)
        pixels = &shadowPixels(s);
    const QRegion region = floodRegion(
        *pixels, QPoint(int(std::floor(device.x())), int(std::floor(device.y()))), borderColor);
    if (region.isEmpty())
        return false;
    s.surface->paintRegion(s, region, true);
    return true;
}

bool StretchImage(Dc& dc, const RECT& dest, const QImage& image) {
    auto& s = dc.state();
    if (!s.surface || image.isNull())
        return false;
    s.surface->image(s, QRectF(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top),
                     image);
    return true;
}

// ----- used by the metafile player ---------------------------------------------------------

namespace internal {

void setWorld(Dc& dc, const QTransform& world) {
    dc.state().gs.world = world;
}

void beginPath(Dc& dc) {
    auto& s = dc.state();
    s.inPath = true;
    s.path = QPainterPath();
    s.path.setFillRule(Qt::OddEvenFill);
}

void endPath(Dc& dc) {
    dc.state().inPath = false;
}

void abortPath(Dc& dc) {
    auto& s = dc.state();
    s.inPath = false;
    s.path = QPainterPath();
}

void closeFigure(Dc& dc) {
    auto& s = dc.state();
    if (s.inPath) {
        s.path.closeSubpath();
        s.gs.pos = s.path.currentPosition().toPoint();
    }
}

void polyBezierTo(Dc& dc, std::span<const QPoint> points) {
    auto& s = dc.state();
    if (!s.inPath) {
        // Outside a path the curve is stroked as a path of its own.
        beginPath(dc);
        s.path.moveTo(s.gs.pos);
        polyBezierTo(dc, points);
        endPath(dc);
        fillPath(dc, false, true);
        return;
    }
    if (s.path.elementCount() == 0)
        s.path.moveTo(s.gs.pos);
    for (std::size_t i = 0; i + 2 < points.size(); i += 3)
        s.path.cubicTo(points[i], points[i + 1], points[i + 2]);
    if (points.size() >= 3)
        s.gs.pos = points[points.size() / 3 * 3 - 1];
}

void polyBezier(Dc& dc, std::span<const QPoint> points) {
    if (points.empty())
        return;
    auto& s = dc.state();
    const QPoint keep = s.gs.pos;
    const bool wasInPath = s.inPath;
    if (wasInPath) {
        s.path.moveTo(points[0]);
        s.gs.pos = points[0];
        polyBezierTo(dc, points.subspan(1));
        return;
    }
    s.gs.pos = points[0];
    polyBezierTo(dc, points.subspan(1));
    s.gs.pos = keep;
}

void polylineTo(Dc& dc, std::span<const QPoint> points) {
    auto& s = dc.state();
    if (s.inPath) {
        if (s.path.elementCount() == 0)
            s.path.moveTo(s.gs.pos);
        for (const QPoint& p : points)
            s.path.lineTo(p);
        if (!points.empty())
            s.gs.pos = points.back();
        return;
    }
    for (const QPoint& p : points)
        LineTo(dc, p.x(), p.y());
}

void polyline(Dc& dc, std::span<const QPoint> points) {
    auto& s = dc.state();
    if (points.empty())
        return;
    if (s.inPath) {
        s.path.moveTo(points[0]);
        for (const QPoint& p : points.subspan(1))
            s.path.lineTo(p);
        return;
    }
    if (s.surface)
        s.surface->polyline(s, points);
}

void polyPolygon(Dc& dc, std::span<const QPoint> points, std::span<const int> counts) {
    auto& s = dc.state();
    QPainterPath path;
    path.setFillRule(s.gs.polyFill == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    std::size_t at = 0;
    for (int n : counts) {
        if (n <= 0 || at + std::size_t(n) > points.size())
            break;
        path.addPolygon(QPolygonF(QPolygon(points.begin() + at, points.begin() + at + n)));
        path.closeSubpath();
        at += std::size_t(n);
    }
    if (s.inPath) {
        s.path.addPath(path);
        return;
    }
    if (s.surface)
        s.surface->path(s, path, true, true);
}

void fillPath(Dc& dc, bool fill, bool stroke) {
    auto& s = dc.state();
    s.inPath = false;
    QPainterPath path = std::exchange(s.path, QPainterPath());
    path.setFillRule(s.gs.polyFill == PolyFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    if (s.surface && !path.isEmpty())
        s.surface->path(s, path, fill, stroke);
}

void intersectClipRect(Dc& dc, const QRect& logical) {
    auto& s = dc.state();
    const QRegion r = s.gs.world.isIdentity() ? QRegion(logical) : s.gs.world.map(QRegion(logical));
    s.gs.clip = s.gs.clip ? (*s.gs.clip & r) : r;
    s.clipChanged();
}

void excludeClipRect(Dc& dc, const QRect& logical) {
    auto& s = dc.state();
    const QRegion r = s.gs.world.isIdentity() ? QRegion(logical) : s.gs.world.map(QRegion(logical));
    const QRegion all(QRect(-(1 << 28), -(1 << 28), 1 << 29, 1 << 29));
    s.gs.clip = (s.gs.clip ? *s.gs.clip : all) - r;
    s.clipChanged();
}

// Modes of ExtSelectClipRgn: 1 and, 2 or, 3 xor, 4 diff, 5 copy.
void selectClipRegion(Dc& dc, const std::optional<QRegion>& region, int mode) {
    auto& s = dc.state();
    if (mode == 5 || !region) {
        if (mode == 5 || !region)
            s.gs.clip = region;
    } else if (!s.gs.clip) {
        if (mode == 1 || mode == 2 || mode == 3)
            s.gs.clip = *region;
    } else {
        switch (mode) {
        case 1:
            s.gs.clip = *s.gs.clip & *region;
            break;
        case 2:
            s.gs.clip = *s.gs.clip | *region;
            break;
        case 3:
            s.gs.clip = *s.gs.clip ^ *region;
            break;
        case 4:
            s.gs.clip = *s.gs.clip - *region;
            break;
        default:
            break;
        }
    }
    s.clipChanged();
}

void setTextAlign(Dc& dc, unsigned align) {
    dc.state().gs.textAlign = align;
}

} // namespace internal

} // namespace gdi
