#include "platform/gdi/PainterSurface.h"

#include "platform/gdi/EmfRecorder.h"
#include "platform/gdi/FontFace.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <optional>

namespace gdi {
namespace {

QColor toQColor(COLORREF c) {
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QPen toQPen(const Pen& pen) {
    if (pen.style == PenStyle::Null)
        return QPen(Qt::NoPen);
    Qt::PenStyle style = Qt::SolidLine;
    switch (pen.style) {
    case PenStyle::Dash:
        style = Qt::DashLine;
        break;
    case PenStyle::Dot:
        style = Qt::DotLine;
        break;
    case PenStyle::DashDot:
        style = Qt::DashDotLine;
        break;
    case PenStyle::DashDotDot:
        style = Qt::DashDotDotLine;
        break;
    default:
        break;
    }
    if (pen.cosmetic || pen.width <= 1) {
        // One device pixel; like the platform's thin lines it stops short of the end point.
        QPen q(toQColor(pen.color), 0, style, Qt::FlatCap, Qt::MiterJoin);
        q.setCosmetic(true);
        return q;
    }
    const Qt::PenCapStyle cap = pen.cap == LineCap::Flat     ? Qt::FlatCap
                                : pen.cap == LineCap::Square ? Qt::SquareCap
                                                             : Qt::RoundCap;
    const Qt::PenJoinStyle join = pen.join == LineJoin::Bevel   ? Qt::BevelJoin
                                  : pen.join == LineJoin::Miter ? Qt::MiterJoin
                                                                : Qt::RoundJoin;
    return QPen(toQColor(pen.color), pen.width, style, cap, join);
}

// Curves through whole coordinates land a pixel short at their right and bottom extremes; a
// quarter-pixel shift makes an ellipse cover the same pixels as a rectangle of its box.
QRectF curveBox(const QRect& r) {
    return QRectF(r.left() + 0.25, r.top() + 0.25, r.width() - 1, r.height() - 1);
}

// Qt's aliased rasterizer samples at whole coordinates, which are the platform's pixel centres:
// an outline through (0, 0) runs through the middle of pixel 0.
QPainterPath outlineRect(const QRect& r) {
    QPainterPath path;
    path.addRect(QRectF(r.left(), r.top(), r.width(), r.height()));
    return path;
}

// The hatch lines covering `bounds`: period and line width in the units of `bounds`.
QPainterPath hatchLines(HatchStyle style, const QRectF& bounds, double period, double width) {
    QPainterPath lines;
    lines.setFillRule(Qt::WindingFill);
    const double top = bounds.top() - 1, bottom = bounds.bottom() + 1;
    const double left = bounds.left() - 1, right = bounds.right() + 1;
    // Stripes start half a pixel early so that they cover whole sample points; the backward
    // diagonal is phased like the platform's (x + y = 7 in an 8-pixel cell).
    const double h = 0.5;
    const auto vertical = [&] {
        for (double x = std::floor(left / period) * period; x < right; x += period)
            lines.addRect(QRectF(x - h, top, width, bottom - top));
    };
    const auto horizontal = [&] {
        for (double y = std::floor(top / period) * period; y < bottom; y += period)
            lines.addRect(QRectF(left, y - h, right - left, width));
    };
    const auto forward = [&] { // x - y = c
        for (double c = std::floor((left - bottom) / period) * period; c < right - top; c += period)
            lines.addPolygon(QPolygonF(
                {QPointF(top + c - h, top), QPointF(top + c - h + width, top),
                 QPointF(bottom + c - h + width, bottom), QPointF(bottom + c - h, bottom)}));
    };
    const auto backward = [&] { // x + y = c
        for (double c = std::floor((left + top) / period) * period; c < right + bottom; c += period)
            lines.addPolygon(QPolygonF(
                {QPointF(c - top - h, top), QPointF(c - top - h + width, top),
                 QPointF(c - bottom - h + width, bottom), QPointF(c - bottom - h, bottom)}));
    };
    switch (style) {
    case HatchStyle::Horizontal:
        horizontal();
        break;
    case HatchStyle::Vertical:
        vertical();
        break;
    case HatchStyle::FDiagonal:
        forward();
        break;
    case HatchStyle::BDiagonal:
        backward();
        break;
    case HatchStyle::Cross:
        horizontal();
        vertical();
        break;
    case HatchStyle::DiagCross:
        forward();
        backward();
        break;
    }
    return lines;
}

class PainterSurface final : public Surface {
public:
    explicit PainterSurface(QPaintDevice& device) : own_(std::in_place, &device), p_(&*own_) {
        init(device);
    }
    explicit PainterSurface(QPainter& painter) : p_(&painter) {
        p_->save();
        saved_ = true;
        init(*painter.device());
    }
    ~PainterSurface() override {
        if (saved_)
            p_->restore();
    }

    void lineTo(Dc::State& s, QPoint from, QPoint to) override {
        if (log_)
            log_->lineTo(s, from, to);
        sync(s);
        p_->setPen(toQPen(*s.gs.pen));
        p_->drawLine(from, to);
    }

    void moveTo(Dc::State& s, QPoint to) override {
        if (log_)
            log_->moveTo(s, to);
    }

    void polyline(Dc::State& s, std::span<const QPoint> points) override {
        if (log_)
            log_->polyline(s, points);
        sync(s);
        p_->setPen(toQPen(*s.gs.pen));
        QPolygonF poly;
        poly.reserve(qsizetype(points.size()));
        for (const QPoint& pt : points)
            poly.append(QPointF(pt));
        p_->drawPolyline(poly);
    }

    void rectangle(Dc::State& s, const QRect& r) override {
        if (log_)
            log_->rectangle(s, r);
        shape(s, outlineRect(r.adjusted(0, 0, -1, -1)));
    }

    void roundRect(Dc::State& s, const QRect& r, QSize corner) override {
        if (log_)
            log_->roundRect(s, r, corner);
        QPainterPath path;
        path.addRoundedRect(curveBox(r), corner.width() / 2.0, corner.height() / 2.0);
        shape(s, path);
    }

    void ellipse(Dc::State& s, const QRect& r) override {
        if (log_)
            log_->ellipse(s, r);
        QPainterPath path;
        path.addEllipse(curveBox(r));
        shape(s, path);
    }

    void polygon(Dc::State& s, std::span<const QPoint> points) override {
        if (log_)
            log_->polygon(s, points);
        QPolygonF poly;
        poly.reserve(qsizetype(points.size()));
        for (const QPoint& pt : points)
            poly.append(QPointF(pt));
        QPainterPath path;
        path.setFillRule(s.gs.polyFill == PolyFillMode::Winding ? Qt::WindingFill
                                                                : Qt::OddEvenFill);
        path.addPolygon(poly);
        path.closeSubpath();
        shape(s, path);
    }

    void path(Dc::State& s, const QPainterPath& path, bool fill, bool stroke) override {
        if (log_)
            log_->path(s, path, fill, stroke);
        sync(s);
        // Paths come from other programs' drawings (outlined text, curves), which are meant
        // to be smoothed; the platform's own shapes stay aliased.
        p_->setRenderHint(QPainter::Antialiasing, true);
        if (fill)
            fillBrush(s, path, 1.0);
        if (stroke && s.gs.pen->style != PenStyle::Null) {
            p_->setPen(toQPen(*s.gs.pen));
            p_->setBrush(Qt::NoBrush);
            p_->drawPath(path);
        }
        p_->setRenderHint(QPainter::Antialiasing, false);
    }

    void paintRegion(Dc::State& s, const QRegion& region, bool deviceUnits) override {
        if (log_)
            log_->paintRegion(s, region, deviceUnits);
        sync(s);
        double scale = 1.0;
        if (deviceUnits) {
            scale = std::sqrt(std::abs(s.toDevice().determinant()));
            p_->setWorldTransform(initial_);
        }
        // Clipping to the region keeps its pixels exact; the brush fills its bounding box.
        p_->save();
        p_->setClipRegion(region, Qt::IntersectClip);
        QPainterPath box;
        box.addRect(QRectF(region.boundingRect()).adjusted(-1, -1, 1, 1));
        fillBrush(s, box, scale);
        p_->restore();
    }

    void text(Dc::State& s, const TextRun& run) override {
        if (log_)
            log_->text(s, run);
        sync(s);
        const FontFace& face = *s.gs.font->face;
        const TEXTMETRICA& m = face.metrics;
        int total = 0;
        for (int d : run.dx)
            total += d;
        double x0 = 0, y0 = 0;
        switch (s.gs.textAlign & TA_HORIZONTAL_MASK) {
        case TA_RIGHT:
            x0 = -total;
            break;
        case TA_CENTER:
            x0 = -total / 2.0;
            break;
        default:
            break;
        }
        switch (s.gs.textAlign & TA_VERTICAL_MASK) {
        case TA_BASELINE:
            y0 = -m.tmAscent;
            break;
        case TA_BOTTOM:
            y0 = -m.tmHeight;
            break;
        default:
            break;
        }
        p_->save();
        if (run.options & ETO_OPAQUE)
            p_->fillRect(QRectF(run.rect), toQColor(s.gs.bkColor));
        if (run.options & ETO_CLIPPED)
            p_->setClipRect(QRectF(run.rect), Qt::IntersectClip);
        p_->translate(run.ref);
        if (face.angle != 0)
            p_->rotate(-face.angle);
        if (s.gs.bkMode == BkMode::Opaque && total > 0)
            p_->fillRect(QRectF(x0, y0, total, m.tmHeight), toQColor(s.gs.bkColor));
        const QColor color = toQColor(s.gs.textColor);
        const double baseline = y0 + m.tmAscent;
        if (!run.text.isEmpty() && face.raw.isValid()) {
            const std::vector<quint32> g = face.glyphs(run.text);
            const QList<quint32> glyphs(g.begin(), g.end());
            QList<QPointF> positions;
            positions.reserve(glyphs.size());
            double x = x0;
            for (qsizetype i = 0; i < glyphs.size(); ++i) {
                positions.append(QPointF(x / face.xScale, baseline));
                x += i < qsizetype(run.dx.size()) ? run.dx[std::size_t(i)] : 0;
            }
            QGlyphRun glyphRun;
            glyphRun.setRawFont(face.raw);
            glyphRun.setGlyphIndexes(glyphs);
            glyphRun.setPositions(positions);
            if (face.xScale != 1.0)
                p_->scale(face.xScale, 1.0);
            p_->setPen(color);
            p_->drawGlyphRun(QPointF(0, 0), glyphRun);
            if (face.xScale != 1.0)
                p_->scale(1.0 / face.xScale, 1.0);
        }
        if (m.tmUnderlined)
            p_->fillRect(QRectF(x0, baseline + face.underlinePosition, total,
                                std::round(face.underlineThickness)),
                         color);
        if (m.tmStruckOut)
            p_->fillRect(QRectF(x0, baseline - face.strikeOutPosition, total,
                                std::round(face.strikeOutThickness)),
                         color);
        p_->restore();
    }

    void image(Dc::State& s, const QRectF& dest, const QImage& image) override {
        if (log_)
            log_->image(s, dest, image);
        sync(s);
        p_->setRenderHint(QPainter::SmoothPixmapTransform, true);
        p_->drawImage(dest, image);
    }

    const QImage* pixels() const override { return image_; }
    QSize deviceSize() const override { return size_; }

    void newPage() override {
        if (log_)
            log_ = makeMemoryRecorder(size_);
    }

    QByteArray recordedSince(std::size_t offset, std::size_t& end) override {
        if (!log_) {
            end = offset;
            return {};
        }
        return log_->recordedSince(offset, end);
    }

private:
    void init(QPaintDevice& device) {
        size_ = QSize(device.width(), device.height());
        initial_ = p_->worldTransform();
        initialClipping_ = p_->hasClipping();
        if (initialClipping_)
            initialClip_ = p_->clipPath();
        p_->setRenderHint(QPainter::Antialiasing, false);
        p_->setRenderHint(QPainter::TextAntialiasing, true);
        if (device.devType() == QInternal::Image && initial_.isIdentity())
            image_ = static_cast<QImage*>(&device);
        else
            log_ = makeMemoryRecorder(size_);
    }

    void sync(Dc::State& s) {
        if (appliedClip_ != s.clipSerial) {
            p_->setWorldTransform(initial_);
            const auto clip = s.effectiveClip();
            // Qt 6.4 ignores a shaped region set right after setClipping(false), so a new clip
            // replaces the old one directly and clipping is switched off only when none is left.
            if (initialClipping_) {
                p_->setClipPath(initialClip_);
                if (clip)
                    p_->setClipRegion(*clip, Qt::IntersectClip);
            } else if (clip) {
                p_->setClipRegion(*clip, Qt::ReplaceClip);
            } else {
                p_->setClipping(false);
            }
            appliedClip_ = s.clipSerial;
        }
        p_->setWorldTransform(s.toDevice() * initial_);
    }

    void shape(Dc::State& s, const QPainterPath& outline) {
        sync(s);
        fillBrush(s, outline, 1.0);
        if (s.gs.pen->style != PenStyle::Null) {
            p_->setPen(toQPen(*s.gs.pen));
            p_->setBrush(Qt::NoBrush);
            p_->drawPath(outline);
        }
    }

    // Fills with the selected brush; `scale` is the size of a logical unit in the path's units.
    void fillBrush(Dc::State& s, const QPainterPath& area, double scale) {
        const Brush& brush = *s.gs.brush;
        switch (brush.style) {
        case BrushStyle::Null:
            return;
        case BrushStyle::Solid:
            p_->fillPath(area, toQColor(brush.color));
            return;
        case BrushStyle::Hatched:
            break;
        }
        if (s.gs.bkMode == BkMode::Opaque)
            p_->fillPath(area, toQColor(s.gs.bkColor));
        const double period = std::max(2.0, std::round(s.logicalDpiX / 12.0)) * scale;
        const double width = std::max(1.0, std::round(s.logicalDpiX / 96.0)) * scale;
        p_->save();
        p_->setClipPath(area, Qt::IntersectClip);
        p_->fillPath(hatchLines(brush.hatch, area.boundingRect(), period, width),
                     toQColor(brush.color));
        p_->restore();
    }

    std::optional<QPainter> own_;
    QPainter* p_;
    bool saved_ = false;
    QImage* image_ = nullptr;
    QSize size_;
    QTransform initial_;
    bool initialClipping_ = false;
    QPainterPath initialClip_;
    unsigned appliedClip_ = 0;
    std::unique_ptr<Surface> log_;
};

} // namespace

std::unique_ptr<Surface> makePainterSurface(QPaintDevice& device) {
    return std::make_unique<PainterSurface>(device);
}

std::unique_ptr<Surface> makePainterSurface(QPainter& painter) {
    return std::make_unique<PainterSurface>(painter);
}

} // namespace gdi
