#include "platform/gdi/EmfPlayer.h"

#include "platform/gdi/EmfFormat.h"
#include "platform/gdi/FontFace.h"
#include "platform/text/cp1252.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace gdi {
namespace {

using emf::Reader;
using emf::Record;

// A rectangle given to a call: left, top, right, bottom with right and bottom exclusive.
QRect readCallRect(const Reader& r, std::size_t off) {
    const int l = r.i32(off), t = r.i32(off + 4), rt = r.i32(off + 8), b = r.i32(off + 12);
    return QRect(QPoint(std::min(l, rt), std::min(t, b)),
                 QPoint(std::max(l, rt) - 1, std::max(t, b) - 1));
}

std::vector<QPoint> readPoints(const Reader& r, std::size_t off, std::size_t count, bool small) {
    std::vector<QPoint> pts;
    const std::size_t each = small ? 4 : 8;
    if (!r.has(off, count * each))
        return pts;
    pts.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t p = off + i * each;
        pts.emplace_back(small ? r.i16(p) : r.i32(p), small ? r.i16(p + 2) : r.i32(p + 4));
    }
    return pts;
}

QTransform readXform(const Reader& r, std::size_t off) {
    return QTransform(r.f32(off), r.f32(off + 4), r.f32(off + 8), r.f32(off + 12), r.f32(off + 16),
                      r.f32(off + 20));
}

// A device-independent bitmap (BITMAPINFO and bits) as an image; null when not understood.
QImage readDib(const Reader& r, std::size_t offBmi, std::size_t cbBmi, std::size_t offBits,
               std::size_t cbBits) {
    if (cbBmi < 40 || !r.has(offBmi, cbBmi) || !r.has(offBits, cbBits))
        return {};
    const int width = r.i32(offBmi + 4);
    const int rawHeight = r.i32(offBmi + 8);
    const int bits = r.u16(offBmi + 14);
    const std::uint32_t compression = r.u32(offBmi + 16);
    const std::uint32_t headerSize = r.u32(offBmi);
    std::uint32_t colors = r.u32(offBmi + 32);
    const int height = std::abs(rawHeight);
    if (width <= 0 || height <= 0 || width > 30000 || height > 30000)
        return {};
    if (compression != 0 && compression != 3) // BI_RGB, BI_BITFIELDS
        return {};
    if (bits <= 8 && colors == 0)
        colors = 1u << bits;
    std::vector<QRgb> palette;
    const std::size_t palOff = offBmi + headerSize + (compression == 3 ? 12 : 0);
    for (std::uint32_t i = 0; i < colors && bits <= 8 && r.has(palOff + i * 4, 4); ++i) {
        const std::uint32_t q = r.u32(palOff + i * 4);
        palette.push_back(qRgb((q >> 16) & 0xFF, (q >> 8) & 0xFF, q & 0xFF));
    }
    const std::size_t stride = ((std::size_t(width) * bits + 31) / 32) * 4;
    if (cbBits < stride * std::size_t(height))
        return {};
    QImage img(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const int srcRow = rawHeight > 0 ? height - 1 - y : y;
        const auto* row = reinterpret_cast<const unsigned char*>(r.at(offBits + srcRow * stride));
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            switch (bits) {
            case 32:
                out[x] = qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
                break;
            case 24:
                out[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
                break;
            case 16: {
                const unsigned v = row[x * 2] | (row[x * 2 + 1] << 8);
                out[x] = qRgb(((v >> 10) & 31) * 255 / 31, ((v >> 5) & 31) * 255 / 31,
                              (v & 31) * 255 / 31);
                break;
            }
            case 8:
            case 4:
            case 1: {
                const std::size_t bit = std::size_t(x) * bits;
                const unsigned byte = row[bit / 8];
                const unsigned index = (byte >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                out[x] = index < palette.size() ? palette[index] : qRgb(0, 0, 0);
                break;
            }
            default:
                return {};
            }
        }
    }
    return img;
}

HPEN penFromStyle(std::uint32_t style, int width, COLORREF color, bool extended) {
    auto pen = std::make_shared<Pen>();
    const std::uint32_t base = style & emf::kPenStyleMask;
    pen->style = base <= 4               ? PenStyle(base)
                 : base == emf::kPenNull ? PenStyle::Null
                                         : PenStyle::Solid;
    pen->width = std::max(0, width);
    pen->color = color & 0xFFFFFF;
    if (extended) {
        pen->cosmetic = !(style & emf::kPenGeometric);
        const std::uint32_t cap = style & emf::kEndCapMask;
        pen->cap = cap == emf::kEndCapSquare ? LineCap::Square
                   : cap == emf::kEndCapFlat ? LineCap::Flat
                                             : LineCap::Round;
        const std::uint32_t join = style & emf::kJoinMask;
        pen->join = join == emf::kJoinBevel   ? LineJoin::Bevel
                    : join == emf::kJoinMiter ? LineJoin::Miter
                                              : LineJoin::Round;
    }
    return pen;
}

} // namespace

void EmfPlayer::play(const char* data, std::size_t size) {
    std::size_t at = 0;
    while (at + 8 <= size) {
        Reader head(data + at, size - at);
        const std::uint32_t type = head.u32(0);
        const std::uint32_t n = head.u32(4);
        if (n < 8 || n % 4 || n > size - at)
            return;
        if (!record(type, data + at, n))
            return;
        at += n;
    }
}

void EmfPlayer::put(std::uint32_t handle, Object object) {
    if (handle == 0 || handle > 0xFFFF)
        return;
    if (objects_.size() <= handle)
        objects_.resize(handle + 1);
    objects_[handle] = std::move(object);
}

void EmfPlayer::select(std::uint32_t handle) {
    if (handle & emf::kStock) {
        switch (handle & ~emf::kStock) {
        case emf::kWhiteBrush:
            SelectObject(dc_, GetStockObject<HBRUSH>(WHITE_BRUSH));
            break;
        case 1: // light grey, grey, dark grey
        case 2:
        case 3: {
            const int level = 255 - int(handle & ~emf::kStock) * 64;
            SelectObject(dc_, CreateSolidBrush(RGB(level, level, level)));
            break;
        }
        case emf::kBlackBrush:
            SelectObject(dc_, GetStockObject<HBRUSH>(BLACK_BRUSH));
            break;
        case emf::kNullBrush:
            SelectObject(dc_, GetStockObject<HBRUSH>(NULL_BRUSH));
            break;
        case emf::kWhitePen:
            SelectObject(dc_, GetStockObject<HPEN>(WHITE_PEN));
            break;
        case emf::kBlackPen:
            SelectObject(dc_, GetStockObject<HPEN>(BLACK_PEN));
            break;
        case emf::kNullPen:
            SelectObject(dc_, GetStockObject<HPEN>(NULL_PEN));
            break;
        default:
            break; // fonts and palettes: the context's own stay
        }
        return;
    }
    if (handle >= objects_.size())
        return;
    std::visit(
        [&](const auto& o) {
            if constexpr (!std::is_same_v<std::decay_t<decltype(o)>, std::monostate>)
                SelectObject(dc_, o);
        },
        objects_[handle]);
}

void EmfPlayer::applyTransform() {
    const Mapping& m = mapping_;
    QTransform page;
    const double dpiX = dc_.state().logicalDpiX, dpiY = dc_.state().logicalDpiY;
    // Units per inch of the fixed mapping modes; their y axis points up.
    double unitsPerInch = 0;
    switch (m.mode) {
    case 2: // MM_LOMETRIC
        unitsPerInch = 254;
        break;
    case 3: // MM_HIMETRIC
        unitsPerInch = 2540;
        break;
    case 4: // MM_LOENGLISH
        unitsPerInch = 100;
        break;
    case 5: // MM_HIENGLISH
        unitsPerInch = 1000;
        break;
    case 6: // MM_TWIPS
        unitsPerInch = 1440;
        break;
    default:
        break;
    }
    double sx = 1, sy = 1;
    if (unitsPerInch > 0) {
        sx = dpiX / unitsPerInch;
        sy = -dpiY / unitsPerInch;
    } else if (m.mode == 7 || m.mode == 8) { // MM_ISOTROPIC, MM_ANISOTROPIC
        sx = m.windowExt.width() ? double(m.viewportExt.width()) / m.windowExt.width() : 1;
        sy = m.windowExt.height() ? double(m.viewportExt.height()) / m.windowExt.height() : 1;
        if (m.mode == 7) {
            const double s = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(s, sx);
            sy = std::copysign(s, sy);
        }
    }
    if (unitsPerInch > 0 || m.mode == 7 || m.mode == 8 || m.mode == 1)
        page = QTransform::fromTranslate(-m.windowOrg.x(), -m.windowOrg.y()) *
               QTransform::fromScale(sx, sy) *
               QTransform::fromTranslate(m.viewportOrg.x(), m.viewportOrg.y());
    internal::setWorld(dc_, m.world * page);
}

bool EmfPlayer::record(std::uint32_t type, const char* p, std::size_t n) {
    const Reader r(p, n);
    auto& s = dc_.state();
    switch (Record(type)) {
    case Record::Header:
        break;
    case Record::Eof:
        return false;
    case Record::PolyBezier:
    case Record::Polygon:
    case Record::Polyline:
    case Record::PolyBezierTo:
    case Record::PolylineTo:
    case Record::PolyBezier16:
    case Record::Polygon16:
    case Record::Polyline16:
    case Record::PolyBezierTo16:
    case Record::PolylineTo16: {
        const bool small = type >= std::uint32_t(Record::PolyBezier16);
        const std::vector<QPoint> pts = readPoints(r, 28, r.u32(24), small);
        const Record kind = small ? Record(type - 83) : Record(type);
        switch (kind) {
        case Record::PolyBezier:
            internal::polyBezier(dc_, pts);
            break;
        case Record::Polygon: {
            std::vector<POINT> gp;
            for (const QPoint& q : pts)
                gp.push_back(POINT{q.x(), q.y()});
            Polygon(dc_, gp);
            break;
        }
        case Record::Polyline:
            internal::polyline(dc_, pts);
            break;
        case Record::PolyBezierTo:
            internal::polyBezierTo(dc_, pts);
            break;
        default:
            internal::polylineTo(dc_, pts);
            break;
        }
        break;
    }
    case Record::PolyPolyline:
    case Record::PolyPolygon:
    case Record::PolyPolyline16:
    case Record::PolyPolygon16: {
        const bool small = type >= std::uint32_t(Record::PolyPolyline16);
        const std::uint32_t polys = r.u32(24), total = r.u32(28);
        if (polys > 0xFFFF || !r.has(32, polys * 4))
            break;
        std::vector<int> counts(polys);
        for (std::uint32_t i = 0; i < polys; ++i)
            counts[i] = int(r.u32(32 + i * 4));
        const std::vector<QPoint> pts = readPoints(r, 32 + polys * 4, total, small);
        const bool polygon = type == std::uint32_t(Record::PolyPolygon) ||
                             type == std::uint32_t(Record::PolyPolygon16);
        if (polygon) {
            internal::polyPolygon(dc_, pts, counts);
        } else {
            std::size_t at = 0;
            for (int c : counts) {
                if (c < 0 || at + std::size_t(c) > pts.size())
                    break;
                internal::polyline(dc_, std::span(pts).subspan(at, std::size_t(c)));
                at += std::size_t(c);
            }
        }
        break;
    }
    case Record::SetWindowExtEx:
        mapping_.windowExt = QSize(r.i32(8), r.i32(12));
        applyTransform();
        break;
    case Record::SetWindowOrgEx:
        mapping_.windowOrg = QPoint(r.i32(8), r.i32(12));
        applyTransform();
        break;
    case Record::SetViewportExtEx:
        mapping_.viewportExt = QSize(r.i32(8), r.i32(12));
        applyTransform();
        break;
    case Record::SetViewportOrgEx:
        mapping_.viewportOrg = QPoint(r.i32(8), r.i32(12));
        applyTransform();
        break;
    case Record::ScaleViewportExtEx:
    case Record::ScaleWindowExtEx: {
        QSize& ext = type == std::uint32_t(Record::ScaleViewportExtEx) ? mapping_.viewportExt
                                                                       : mapping_.windowExt;
        const int xd = r.i32(12), yd = r.i32(20);
        if (xd && yd)
            ext = QSize(ext.width() * r.i32(8) / xd, ext.height() * r.i32(16) / yd);
        applyTransform();
        break;
    }
    case Record::SetMapMode:
        mapping_.mode = int(r.u32(8));
        applyTransform();
        break;
    case Record::SetBkMode:
        SetBkMode(dc_, r.u32(8) == 1 ? BkMode::Transparent : BkMode::Opaque);
        break;
    case Record::SetPolyFillMode:
        SetPolyFillMode(dc_, r.u32(8) == 2 ? PolyFillMode::Winding : PolyFillMode::Alternate);
        break;
    case Record::SetTextAlign:
        internal::setTextAlign(dc_, r.u32(8));
        break;
    case Record::SetTextColor:
        SetTextColor(dc_, r.u32(8));
        break;
    case Record::SetBkColor:
        SetBkColor(dc_, r.u32(8));
        break;
    case Record::MoveToEx:
        MoveToEx(dc_, r.i32(8), r.i32(12));
        break;
    case Record::LineTo:
        LineTo(dc_, r.i32(8), r.i32(12));
        break;
    case Record::ExcludeClipRect:
        internal::excludeClipRect(dc_, readCallRect(r, 8));
        break;
    case Record::IntersectClipRect:
        internal::intersectClipRect(dc_, readCallRect(r, 8));
        break;
    case Record::SaveDc:
        saved_.push_back(Saved{s.gs, mapping_});
        break;
    case Record::RestoreDc: {
        const int rel = r.i32(8);
        if (rel >= 0 || saved_.empty())
            break;
        const std::size_t pop = std::min<std::size_t>(saved_.size(), std::size_t(-rel));
        Saved back = saved_[saved_.size() - pop];
        saved_.resize(saved_.size() - pop);
        const bool clipDiffers = back.gs.clip != s.gs.clip;
        s.gs = back.gs;
        mapping_ = back.mapping;
        if (clipDiffers)
            s.clipChanged();
        applyTransform();
        break;
    }
    case Record::SetWorldTransform:
        mapping_.world = readXform(r, 8);
        applyTransform();
        break;
    case Record::ModifyWorldTransform: {
        const QTransform x = readXform(r, 8);
        switch (r.u32(32)) {
        case emf::kMwtIdentity:
            mapping_.world = QTransform();
            break;
        case emf::kMwtLeft:
            mapping_.world = x * mapping_.world;
            break;
        case emf::kMwtRight:
            mapping_.world = mapping_.world * x;
            break;
        case emf::kMwtSet:
            mapping_.world = x;
            break;
        default:
            break;
        }
        applyTransform();
        break;
    }
    case Record::SelectObject:
        select(r.u32(8));
        break;
    case Record::CreatePen:
        put(r.u32(8), penFromStyle(r.u32(12), r.i32(16), r.u32(24), false));
        break;
    case Record::ExtCreatePen: {
        HPEN pen = penFromStyle(r.u32(28), int(r.u32(32)), r.u32(40), true);
        if (r.u32(36) == emf::kBrushNull)
            pen = CreatePen(PenStyle::Null, 0, 0);
        put(r.u32(8), pen);
        break;
    }
    case Record::CreateBrushIndirect: {
        const std::uint32_t style = r.u32(12);
        const COLORREF color = r.u32(16);
        HBRUSH brush =
            style == emf::kBrushNull ? GetStockObject<HBRUSH>(NULL_BRUSH)
            : style == emf::kBrushHatched
                ? CreateHatchBrush(HatchStyle(std::min<std::uint32_t>(r.u32(20), 5)), color)
                : CreateSolidBrush(color);
        put(r.u32(8), brush);
        break;
    }
    case Record::DeleteObject: {
        const std::uint32_t h = r.u32(8);
        if (h < objects_.size())
            objects_[h] = std::monostate{};
        break;
    }
    case Record::Ellipse: {
        const QRect rc = readCallRect(r, 8);
        Ellipse(dc_, rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height());
        break;
    }
    case Record::Rectangle: {
        const QRect rc = readCallRect(r, 8);
        Rectangle(dc_, rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height());
        break;
    }
    case Record::RoundRect: {
        const QRect rc = readCallRect(r, 8);
        RoundRect(dc_, rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height(),
                  r.i32(24), r.i32(28));
        break;
    }
    case Record::ExtFloodFill:
        if (r.u32(20) == 0) // FLOODFILLBORDER
            FloodFill(dc_, r.i32(8), r.i32(12), r.u32(16));
        break;
    case Record::BeginPath:
        internal::beginPath(dc_);
        break;
    case Record::EndPath:
        internal::endPath(dc_);
        break;
    case Record::CloseFigure:
        internal::closeFigure(dc_);
        break;
    case Record::AbortPath:
        internal::abortPath(dc_);
        break;
    case Record::FillPath:
        internal::fillPath(dc_, true, false);
        break;
    case Record::StrokeAndFillPath:
        internal::fillPath(dc_, true, true);
        break;
    case Record::StrokePath:
        internal::fillPath(dc_, false, true);
        break;
    case Record::SelectClipPath: {
        QPainterPath path = std::exchange(s.path, QPainterPath());
        s.inPath = false;
        const QPolygon poly = s.gs.world.map(path).toFillPolygon().toPolygon();
        internal::selectClipRegion(dc_, QRegion(poly, Qt::OddEvenFill), int(r.u32(8)));
        break;
    }
    case Record::GdiComment:
        break; // EMF+ and private data: the plain records that follow draw the same
    case Record::FillRgn:
    case Record::PaintRgn: {
        const bool fill = type == std::uint32_t(Record::FillRgn);
        const std::size_t data = fill ? 32 : 28;
        const QRegion region = emf::readRegion(r, data, r.u32(24));
        HBRUSH keep;
        if (fill) {
            const std::uint32_t h = r.u32(28);
            if (h < objects_.size() && std::holds_alternative<HBRUSH>(objects_[h]))
                keep = SelectObject(dc_, std::get<HBRUSH>(objects_[h]));
        }
        PaintRgn(dc_, internal::makeRegion(region));
        if (keep)
            SelectObject(dc_, keep);
        break;
    }
    case Record::ExtSelectClipRgn: {
        const std::uint32_t size = r.u32(8);
        const int mode = int(r.u32(12));
        if (size == 0)
            internal::selectClipRegion(dc_, std::nullopt, mode);
        else
            internal::selectClipRegion(dc_, emf::readRegion(r, 16, size), mode);
        break;
    }
    case Record::BitBlt:
    case Record::StretchBlt: {
        const QRect dest(r.i32(24), r.i32(28), r.i32(32), r.i32(36));
        const std::uint32_t cbBmi = r.u32(88);
        if (cbBmi == 0) {
            // No source: a pattern fill of the destination with the brush.
            if (r.u32(40) == emf::kPatCopy) {
                HPEN keep = SelectObject(dc_, GetStockObject<HPEN>(NULL_PEN));
                Rectangle(dc_, dest.left(), dest.top(), dest.left() + dest.width() + 1,
                          dest.top() + dest.height() + 1);
                SelectObject(dc_, keep);
            }
            break;
        }
        QImage img = readDib(r, r.u32(84), cbBmi, r.u32(92), r.u32(96));
        if (img.isNull())
            break;
        const QRect src(r.i32(44), r.i32(48),
                        type == std::uint32_t(Record::StretchBlt) ? r.i32(100) : dest.width(),
                        type == std::uint32_t(Record::StretchBlt) ? r.i32(104) : dest.height());
        StretchImage(dc_, RECT{dest.left(), dest.top(), dest.right() + 1, dest.bottom() + 1},
                     img.copy(src));
        break;
    }
    case Record::StretchDiBits: {
        QImage img = readDib(r, r.u32(48), r.u32(52), r.u32(56), r.u32(60));
        if (img.isNull())
            break;
        const int xs = r.i32(32), cxs = r.i32(40), cys = r.i32(44);
        // Source rows count from the bottom of the bitmap.
        const int ys = img.height() - r.i32(36) - cys;
        const int x = r.i32(24), y = r.i32(28), cx = r.i32(72), cy = r.i32(76);
        if (cxs <= 0 || cys <= 0)
            break;
        QImage part = img.copy(QRect(xs, std::max(0, ys), cxs, cys));
        // A negative destination extent mirrors the picture.
        part = part.mirrored(cx < 0, cy < 0);
        StretchImage(dc_,
                     RECT{std::min(x, x + cx), std::min(y, y + cy), std::max(x, x + cx),
                          std::max(y, y + cy)},
                     part);
        break;
    }
    case Record::ExtCreateFontIndirectW: {
        if (!r.has(12, emf::kLogFontSize))
            break;
        LogFont lf;
        lf.height = r.i32(12);
        lf.width = r.i32(16);
        lf.escapement = r.i32(20);
        lf.orientation = r.i32(24);
        lf.weight = r.i32(28);
        lf.italic = r.u8(32);
        lf.underline = r.u8(33);
        lf.strikeOut = r.u8(34);
        QString face;
        for (int i = 0; i < 32; ++i) {
            const char16_t c = r.u16(40 + std::size_t(i) * 2);
            if (!c)
                break;
            face.append(QChar(c));
        }
        lf.faceName = cp1252::fromUtf8(face.toStdString());
        put(r.u32(8), CreateFontIndirect(lf));
        break;
    }
    case Record::ExtTextOutA:
    case Record::ExtTextOutW: {
        const bool wide = type == std::uint32_t(Record::ExtTextOutW);
        const std::uint32_t count = r.u32(44), offString = r.u32(48), options = r.u32(52),
                            offDx = r.u32(72);
        if (count > 0xFFFFF || !r.has(offString, count * (wide ? 2 : 1)))
            break;
        TextRun run;
        run.ref = QPoint(r.i32(36), r.i32(40));
        run.options = options & (ETO_OPAQUE | ETO_CLIPPED);
        run.rect = readCallRect(r, 56);
        for (std::uint32_t i = 0; i < count; ++i)
            run.text.append(
                wide ? QChar(char16_t(r.u16(offString + i * 2)))
                     : QChar(char16_t(static_cast<unsigned char>(*r.at(offString + i)))));
        const bool pairs = options & 0x2000; // ETO_PDY: x and y advance per character
        if (offDx && r.has(offDx, count * 4 * (pairs ? 2 : 1))) {
            run.dx.resize(count);
            for (std::uint32_t i = 0; i < count; ++i)
                run.dx[i] = r.i32(offDx + i * 4 * (pairs ? 2 : 1));
        } else {
            s.gs.font->face->advances(run.text, run.dx);
        }
        internal::extTextOut(dc_, run);
        break;
    }
    default:
        break; // records with no effect on what is drawn here (ROP2, stretch mode, ICM, ...)
    }
    return true;
}

} // namespace gdi
