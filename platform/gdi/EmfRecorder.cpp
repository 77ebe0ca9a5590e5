#include "platform/gdi/EmfRecorder.h"

#include "platform/gdi/EmfFormat.h"
#include "platform/gdi/FontFace.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

#include <cmath>
#include <optional>

namespace gdi {
namespace {

using emf::Record;
using emf::Writer;

class EmfRecorder final : public Surface {
public:
    EmfRecorder(QSize deviceSize, std::FILE* file, std::optional<RecordingFrame> frame)
        : size_(deviceSize), file_(file), frame_(std::move(frame)) {
        if (file_)
            writeHeader(); // placeholder, patched at the end
    }
    ~EmfRecorder() override {
        if (file_)
            std::fclose(file_);
    }

    void lineTo(Dc::State& s, QPoint from, QPoint to) override {
        syncDrawing(s, true, false);
        if (!pos_ || *pos_ != from)
            point(Record::MoveToEx, from);
        point(Record::LineTo, to);
        pos_ = to;
        extend(s, QRectF(from, to).normalized());
    }

    void polyline(Dc::State& s, std::span<const QPoint> points) override {
        syncDrawing(s, true, false);
        poly(Record::Polyline, points);
    }

    void rectangle(Dc::State& s, const QRect& r) override {
        syncDrawing(s, true, true);
        Writer w(Record::Rectangle);
        w.ltrb(r);
        write(w);
        extend(s, r);
    }

    void roundRect(Dc::State& s, const QRect& r, QSize corner) override {
        syncDrawing(s, true, true);
        Writer w(Record::RoundRect);
        w.ltrb(r);
        w.i32(corner.width());
        w.i32(corner.height());
        write(w);
        extend(s, r);
    }

    void ellipse(Dc::State& s, const QRect& r) override {
        syncDrawing(s, true, true);
        Writer w(Record::Ellipse);
        w.ltrb(r);
        write(w);
        extend(s, r);
    }

    void polygon(Dc::State& s, std::span<const QPoint> points) override {
        syncDrawing(s, true, true);
        syncPolyFill(s.gs.polyFill);
        poly(Record::Polygon, points);
    }

    void path(Dc::State& s, const QPainterPath& path, bool fill, bool stroke) override {
        syncDrawing(s, stroke, fill);
        syncPolyFill(path.fillRule() == Qt::WindingFill ? PolyFillMode::Winding
                                                        : PolyFillMode::Alternate);
        write(Writer(Record::BeginPath));
        std::vector<QPoint> curve;
        const auto flushCurve = [&] {
            if (!curve.empty())
                poly(Record::PolyBezierTo, curve);
            curve.clear();
        };
        QPointF start;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            const QPoint p(int(std::lround(e.x)), int(std::lround(e.y)));
            if (e.isMoveTo()) {
                flushCurve();
                point(Record::MoveToEx, p);
                start = QPointF(e.x, e.y);
            } else if (e.isLineTo()) {
                flushCurve();
                const bool closes =
                    QPointF(e.x, e.y) == start &&
                    (i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo());
                if (closes)
                    write(Writer(Record::CloseFigure));
                else
                    point(Record::LineTo, p);
            } else {
                curve.push_back(p);
            }
        }
        flushCurve();
        write(Writer(Record::EndPath));
        Writer w(fill && stroke ? Record::StrokeAndFillPath
                 : fill         ? Record::FillPath
                                : Record::StrokePath);
        w.rect((path.boundingRect().toAlignedRect()));
        write(w);
        pos_.reset();
        extend(s, path.boundingRect());
    }

    void paintRegion(Dc::State& s, const QRegion& region, bool deviceUnits) override {
        syncDrawing(s, false, true, deviceUnits);
        Writer w(Record::PaintRgn);
        w.rect((region.boundingRect()));
        w.u32(emf::regionSize(region));
        emf::writeRegion(w, region);
        write(w);
        if (deviceUnits)
            bounds_ |= region.boundingRect();
        else
            extend(s, region.boundingRect());
    }

    void text(Dc::State& s, const TextRun& run) override {
        syncDrawing(s, false, false);
        syncFont(s);
        syncText(s);
        const auto n = std::uint32_t(run.text.size());
        const std::uint32_t offString = 76;
        const std::uint32_t offDx = offString + ((n * 2 + 3) & ~3u);
        int total = 0;
        for (int d : run.dx)
            total += d;
        const int height = s.gs.font->face->metrics.tmHeight;
        const QRect cell(run.ref, QSize(std::max(1, total), std::max(1, height)));
        Writer w(Record::ExtTextOutW);
        w.rect((s.toDevice().mapRect(QRectF(cell)).toAlignedRect()));
        w.u32(1); // GM_COMPATIBLE
        w.f32(0);
        w.f32(0);
        w.i32(run.ref.x());
        w.i32(run.ref.y());
        w.u32(n);
        w.u32(offString);
        w.u32(run.options);
        w.ltrb(run.rect);
        w.u32(offDx);
        w.raw(run.text.utf16(), n * 2);
        w.pad();
        for (std::uint32_t i = 0; i < n; ++i)
            w.i32(i < run.dx.size() ? run.dx[i] : 0);
        write(w);
        extend(s, cell.adjusted(-height, -height, height, height));
    }

    void image(Dc::State& s, const QRectF& dest, const QImage& image) override {
        syncDrawing(s, false, false);
        QImage rgb(image.size(), QImage::Format_RGB32);
        rgb.fill(Qt::white);
        {
            QPainter p(&rgb);
            p.drawImage(0, 0, image);
        }
        const QRect d = dest.toRect();
        const auto w32 = std::uint32_t(rgb.width()), h32 = std::uint32_t(rgb.height());
        Writer w(Record::StretchDiBits);
        w.rect(d);
        w.i32(d.left());
        w.i32(d.top());
        w.i32(0);
        w.i32(0);
        w.i32(rgb.width());
        w.i32(rgb.height());
        w.u32(80);  // offBmiSrc
        w.u32(40);  // cbBmiSrc
        w.u32(120); // offBitsSrc
        w.u32(w32 * h32 * 4);
        w.u32(0); // DIB_RGB_COLORS
        w.u32(emf::kSrcCopy);
        w.i32(d.width());
        w.i32(d.height());
        // BITMAPINFOHEADER, top-down 32 bits per pixel
        w.u32(40);
        w.i32(rgb.width());
        w.i32(-rgb.height());
        w.u16(1);
        w.u16(32);
        w.u32(0);
        w.u32(w32 * h32 * 4);
        w.i32(0);
        w.i32(0);
        w.u32(0);
        w.u32(0);
        for (int y = 0; y < rgb.height(); ++y)
            w.raw(rgb.constScanLine(y), w32 * 4);
        write(w);
        extend(s, dest);
    }

    QSize deviceSize() const override { return size_; }

    QByteArray recordedSince(std::size_t offset, std::size_t& end) override {
        if (!file_) {
            end = std::size_t(memory_.size());
            return memory_.mid(qsizetype(offset));
        }
        std::fflush(file_);
        end = recordBytes_;
        QByteArray out;
        if (offset >= recordBytes_)
            return out;
        out.resize(qsizetype(recordBytes_ - offset));
        const long at = long(headerBytes_ + offset);
        const long keep = std::ftell(file_);
        if (std::fseek(file_, at, SEEK_SET) != 0 ||
            std::fread(out.data(), 1, std::size_t(out.size()), file_) != std::size_t(out.size()))
            out.clear();
        std::fseek(file_, keep, SEEK_SET);
        return out;
    }

    bool finish() {
        Writer eof(Record::Eof);
        eof.u32(0);  // palette entries
        eof.u32(16); // their offset
        eof.u32(20); // size of this record, repeated last
        write(eof);
        if (!file_)
            return true;
        std::fflush(file_);
        if (std::fseek(file_, 0, SEEK_SET) != 0)
            return false;
        writeHeader();
        return !failed_ && std::fflush(file_) == 0;
    }

private:
    void write(Writer& w) {
        const QByteArray& bytes = w.finish();
        ++records_;
        recordBytes_ += std::size_t(bytes.size());
        if (file_) {
            if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), file_) !=
                std::size_t(bytes.size()))
                failed_ = true;
        } else {
            memory_.append(bytes);
        }
    }
    void write(Writer&& w) { write(w); }

    void point(Record type, QPoint p) {
        Writer w(type);
        w.i32(p.x());
        w.i32(p.y());
        write(w);
    }

    void u32Record(Record type, std::uint32_t v) {
        Writer w(type);
        w.u32(v);
        write(w);
    }

    void poly(Record type, std::span<const QPoint> points) {
        QRect b;
        for (const QPoint& p : points)
            b |= QRect(p, QSize(1, 1));
        Writer w(type);
        w.rect(b.adjusted(0, 0, -1, -1));
        w.u32(std::uint32_t(points.size()));
        for (const QPoint& p : points) {
            w.i32(p.x());
            w.i32(p.y());
        }
        write(w);
        if (type == Record::PolyBezierTo || type == Record::Polyline)
            pos_.reset();
    }

    void extend(const Dc::State& s, const QRectF& logical) {
        const int pad = s.gs.pen ? s.gs.pen->width : 0;
        bounds_ |=
            s.toDevice().mapRect(logical).toAlignedRect().adjusted(-pad, -pad, pad + 1, pad + 1);
    }

    // Brings the recorded state up to the context's before a drawing record.
    void syncDrawing(Dc::State& s, bool pen, bool brush, bool deviceUnits = false) {
        syncTransform(deviceUnits ? QTransform() : s.toDevice());
        syncClip(s);
        if (pen)
            syncPen(s.gs.pen);
        if (brush) {
            syncBrush(s.gs.brush);
            syncBackground(s);
        }
    }

    void syncTransform(const QTransform& t) {
        if (t == world_)
            return;
        if (t.isIdentity()) {
            Writer w(Record::ModifyWorldTransform);
            for (float f : {1.f, 0.f, 0.f, 1.f, 0.f, 0.f})
                w.f32(f);
            w.u32(emf::kMwtIdentity);
            write(w);
        } else {
            Writer w(Record::SetWorldTransform);
            for (double f : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
                w.f32(float(f));
            write(w);
        }
        world_ = t;
    }

    void syncClip(const Dc::State& s) {
        if (s.clipSerial == clipSerial_)
            return;
        clipSerial_ = s.clipSerial;
        const std::optional<QRegion> clip = s.effectiveClip();
        if (clip == clip_)
            return;
        clip_ = clip;
        Writer w(Record::ExtSelectClipRgn);
        if (!clip) {
            w.u32(0);
            w.u32(emf::kRgnCopy);
        } else {
            w.u32(emf::regionSize(*clip));
            w.u32(emf::kRgnCopy);
            emf::writeRegion(w, *clip);
        }
        write(w);
    }

    void syncBackground(const Dc::State& s) {
        if (s.gs.bkMode != bkMode_) {
            bkMode_ = s.gs.bkMode;
            u32Record(Record::SetBkMode, std::uint32_t(bkMode_));
        }
        if (s.gs.bkColor != bkColor_) {
            bkColor_ = s.gs.bkColor;
            u32Record(Record::SetBkColor, bkColor_);
        }
    }

    void syncText(const Dc::State& s) {
        syncBackground(s);
        if (s.gs.textColor != textColor_) {
            textColor_ = s.gs.textColor;
            u32Record(Record::SetTextColor, textColor_);
        }
        if (s.gs.textAlign != textAlign_) {
            textAlign_ = s.gs.textAlign;
            u32Record(Record::SetTextAlign, textAlign_);
        }
    }

    void syncPolyFill(PolyFillMode mode) {
        if (mode != polyFill_) {
            polyFill_ = mode;
            u32Record(Record::SetPolyFillMode, std::uint32_t(mode));
        }
    }

    // A handle for a new object; the table stays small because an object's slot is freed as soon
    // as another object replaces it.
    std::uint32_t newHandle() {
        if (!free_.empty()) {
            const std::uint32_t h = free_.back();
            free_.pop_back();
            return h;
        }
        return nextHandle_++;
    }

    void release(std::optional<std::uint32_t>& handle) {
        if (handle) {
            u32Record(Record::DeleteObject, *handle);
            free_.push_back(*handle);
        }
        handle.reset();
    }

    void syncPen(const HPEN& pen) {
        if (pen == pen_)
            return;
        std::optional<std::uint32_t> old = penHandle_;
        pen_ = pen;
        penHandle_.reset();
        std::uint32_t select = 0;
        if (pen == GetStockObject<HPEN>(BLACK_PEN))
            select = emf::kStock | emf::kBlackPen;
        else if (pen == GetStockObject<HPEN>(NULL_PEN))
            select = emf::kStock | emf::kNullPen;
        else if (pen == GetStockObject<HPEN>(WHITE_PEN))
            select = emf::kStock | emf::kWhitePen;
        else {
            const std::uint32_t h = newHandle();
            const bool plain =
                pen->cap == LineCap::Round && pen->join == LineJoin::Round && !pen->cosmetic;
            if (plain) {
                Writer w(Record::CreatePen);
                w.u32(h);
                w.u32(std::uint32_t(pen->style));
                w.i32(pen->width);
                w.i32(0);
                w.u32(pen->color);
                write(w);
            } else {
                std::uint32_t style = std::uint32_t(pen->style);
                if (!pen->cosmetic)
                    style |= emf::kPenGeometric;
                style |= pen->cap == LineCap::Square ? std::uint32_t(emf::kEndCapSquare)
                         : pen->cap == LineCap::Flat ? std::uint32_t(emf::kEndCapFlat)
                                                     : 0u;
                style |= pen->join == LineJoin::Bevel   ? std::uint32_t(emf::kJoinBevel)
                         : pen->join == LineJoin::Miter ? std::uint32_t(emf::kJoinMiter)
                                                        : 0u;
                Writer w(Record::ExtCreatePen);
                w.u32(h);
                for (int i = 0; i < 4; ++i)
                    w.u32(0); // no pattern bitmap
                w.u32(style);
                w.u32(std::uint32_t(pen->width));
                w.u32(emf::kBrushSolid);
                w.u32(pen->color);
                w.u32(0);
                w.u32(0);
                write(w);
            }
            penHandle_ = h;
            select = h;
        }
        u32Record(Record::SelectObject, select);
        release(old);
    }

    void syncBrush(const HBRUSH& brush) {
        if (brush == brush_)
            return;
        std::optional<std::uint32_t> old = brushHandle_;
        brush_ = brush;
        brushHandle_.reset();
        std::uint32_t select = 0;
        if (brush == GetStockObject<HBRUSH>(WHITE_BRUSH))
            select = emf::kStock | emf::kWhiteBrush;
        else if (brush == GetStockObject<HBRUSH>(NULL_BRUSH))
            select = emf::kStock | emf::kNullBrush;
        else if (brush == GetStockObject<HBRUSH>(BLACK_BRUSH))
            select = emf::kStock | emf::kBlackBrush;
        else {
            const std::uint32_t h = newHandle();
            Writer w(Record::CreateBrushIndirect);
            w.u32(h);
            w.u32(std::uint32_t(brush->style));
            w.u32(brush->color);
            w.u32(std::uint32_t(brush->hatch));
            write(w);
            brushHandle_ = h;
            select = h;
        }
        u32Record(Record::SelectObject, select);
        release(old);
    }

    void syncFont(const Dc::State& s) {
        const HFONT& font = s.gs.font;
        if (font == font_)
            return;
        std::optional<std::uint32_t> old = fontHandle_;
        font_ = font;
        const LogFont& lf = font->logFont;
        const std::uint32_t h = newHandle();
        Writer w(Record::ExtCreateFontIndirectW);
        w.u32(h);
        w.i32(lf.height);
        w.i32(lf.width);
        w.i32(lf.escapement);
        w.i32(lf.orientation);
        w.i32(lf.weight);
        w.u8(lf.italic);
        w.u8(lf.underline);
        w.u8(lf.strikeOut);
        w.u8(DEFAULT_CHARSET);
        w.u8(0);
        w.u8(0);
        w.u8(PROOF_QUALITY);
        w.u8(0);
        QString face = FontFace::familyName(lf.faceName).left(31);
        std::array<char16_t, 32> name{};
        for (qsizetype i = 0; i < face.size(); ++i)
            name[std::size_t(i)] = face[i].unicode();
        w.raw(name.data(), 64);
        write(w);
        fontHandle_ = h;
        u32Record(Record::SelectObject, h);
        release(old);
    }

    void writeHeader() {
        const RecordingFrame& f = *frame_;
        QByteArray desc;
        if (!f.description.empty()) {
            const QString d = QString::fromStdString(f.description);
            desc.append(reinterpret_cast<const char*>(d.utf16()), d.size() * 2);
            desc.append(4, '\0'); // two terminating nulls
        }
        while (desc.size() % 4)
            desc.append('\0');
        Writer w(emf::Record::Header);
        const QRect b =
            bounds_.isEmpty() ? QRect(0, 0, 1, 1) : bounds_ & QRect(QPoint(0, 0), size_);
        w.rect(b.isEmpty() ? QRect(0, 0, 1, 1) : b);
        w.rect(f.frame);
        w.u32(emf::kSignature);
        w.u32(emf::kVersion);
        w.u32(std::uint32_t(emf::kHeaderSize + desc.size() + recordBytes_));
        w.u32(records_ + 1);
        w.u16(std::uint16_t(std::min<std::uint32_t>(nextHandle_, 0xFFFF)));
        w.u16(0);
        w.u32(desc.isEmpty() ? 0 : std::uint32_t(desc.size() / 2));
        w.u32(desc.isEmpty() ? 0 : emf::kHeaderSize);
        w.u32(0); // palette entries
        w.i32(f.device.width());
        w.i32(f.device.height());
        w.i32(int(std::lround(f.microns.width() / 1000)));
        w.i32(int(std::lround(f.microns.height() / 1000)));
        w.u32(0); // no pixel format
        w.u32(0);
        w.u32(0); // not OpenGL
        w.i32(int(std::lround(f.microns.width())));
        w.i32(int(std::lround(f.microns.height())));
        w.raw(desc.constData(), std::size_t(desc.size()));
        const QByteArray& bytes = w.finish();
        headerBytes_ = std::size_t(bytes.size());
        if (std::fwrite(bytes.constData(), 1, headerBytes_, file_) != headerBytes_)
            failed_ = true;
    }

    QSize size_;
    std::FILE* file_;
    std::optional<RecordingFrame> frame_;
    QByteArray memory_;
    std::size_t headerBytes_ = 0;
    std::size_t recordBytes_ = 0;
    std::uint32_t records_ = 0;
    bool failed_ = false;
    QRect bounds_;

    // The state as recorded so far; a fresh metafile starts at the device defaults.
    QTransform world_;
    unsigned clipSerial_ = 1;
    std::optional<QRegion> clip_;
    HPEN pen_ = GetStockObject<HPEN>(BLACK_PEN);
    HBRUSH brush_ = GetStockObject<HBRUSH>(WHITE_BRUSH);
    HFONT font_;
    std::optional<std::uint32_t> penHandle_, brushHandle_, fontHandle_;
    BkMode bkMode_ = BkMode::Opaque;
    COLORREF bkColor_ = RGB(255, 255, 255);
    COLORREF textColor_ = 0;
    unsigned textAlign_ = 0;
    PolyFillMode polyFill_ = PolyFillMode::Alternate;
    std::optional<QPoint> pos_ = QPoint(0, 0);
    std::uint32_t nextHandle_ = 1;
    std::vector<std::uint32_t> free_;
};

} // namespace

std::unique_ptr<Surface> makeMemoryRecorder(QSize deviceSize) {
    return std::make_unique<EmfRecorder>(deviceSize, nullptr, std::nullopt);
}

std::unique_ptr<Surface> makeFileRecorder(std::FILE* file, const RecordingFrame& frame) {
    const double dpmX =
        frame.microns.width() > 0 ? frame.device.width() / frame.microns.width() : 96 / 25400.0;
    const double dpmY =
        frame.microns.height() > 0 ? frame.device.height() / frame.microns.height() : 96 / 25400.0;
    const QSize size(int(std::ceil(frame.frame.right() * 10 * dpmX)),
                     int(std::ceil(frame.frame.bottom() * 10 * dpmY)));
    return std::make_unique<EmfRecorder>(size, file, frame);
}

bool finishFileRecorder(Surface& recorder) {
    return static_cast<EmfRecorder&>(recorder).finish();
}

} // namespace gdi
