#pragma once
// The enhanced-metafile format: record types, constants and little-endian field access, shared by
// the recorder and the player.

#include <QByteArray>
#include <QRect>
#include <QRegion>

#include <cstdint>
#include <cstring>
#include <vector>

namespace gdi::emf {

enum class Record : std::uint32_t {
    Header = 1,
    PolyBezier = 2,
    Polygon = 3,
    Polyline = 4,
    PolyBezierTo = 5,
    PolylineTo = 6,
    PolyPolyline = 7,
    PolyPolygon = 8,
    SetWindowExtEx = 9,
    SetWindowOrgEx = 10,
    SetViewportExtEx = 11,
    SetViewportOrgEx = 12,
    Eof = 14,
    SetMapMode = 17,
    SetBkMode = 18,
    SetPolyFillMode = 19,
    SetTextAlign = 22,
    SetTextColor = 24,
    SetBkColor = 25,
    MoveToEx = 27,
    ExcludeClipRect = 29,
    IntersectClipRect = 30,
    ScaleViewportExtEx = 31,
    ScaleWindowExtEx = 32,
    SaveDc = 33,
    RestoreDc = 34,
    SetWorldTransform = 35,
    ModifyWorldTransform = 36,
    SelectObject = 37,
    CreatePen = 38,
    CreateBrushIndirect = 39,
    DeleteObject = 40,
    Ellipse = 42,
    Rectangle = 43,
    RoundRect = 44,
    ExtFloodFill = 53,
    LineTo = 54,
    BeginPath = 59,
    EndPath = 60,
    CloseFigure = 61,
    FillPath = 62,
    StrokeAndFillPath = 63,
    StrokePath = 64,
    SelectClipPath = 67,
    AbortPath = 68,
    GdiComment = 70,
    FillRgn = 71,
    PaintRgn = 74,
    ExtSelectClipRgn = 75,
    BitBlt = 76,
    StretchBlt = 77,
    StretchDiBits = 81,
    ExtCreateFontIndirectW = 82,
    ExtTextOutA = 83,
    ExtTextOutW = 84,
    PolyBezier16 = 85,
    Polygon16 = 86,
    Polyline16 = 87,
    PolyBezierTo16 = 88,
    PolylineTo16 = 89,
    PolyPolyline16 = 90,
    PolyPolygon16 = 91,
    ExtCreatePen = 95,
};

inline constexpr std::uint32_t kSignature = 0x464D4520; // " EMF"
inline constexpr std::uint32_t kVersion = 0x10000;
inline constexpr std::uint32_t kHeaderSize = 108; // with the micrometre extension
inline constexpr std::uint32_t kStock = 0x80000000;

// Stock object numbers (GetStockObject indices).
enum : std::uint32_t {
    kWhiteBrush = 0,
    kBlackBrush = 4,
    kNullBrush = 5,
    kWhitePen = 6,
    kBlackPen = 7,
    kNullPen = 8,
};

// Pen style bits of CREATEPEN and EXTCREATEPEN.
enum : std::uint32_t {
    kPenStyleMask = 0xF,
    kPenNull = 5,
    kEndCapSquare = 0x100,
    kEndCapFlat = 0x200,
    kEndCapMask = 0xF00,
    kJoinBevel = 0x1000,
    kJoinMiter = 0x2000,
    kJoinMask = 0xF000,
    kPenGeometric = 0x10000,
};

enum : std::uint32_t { kBrushSolid = 0, kBrushNull = 1, kBrushHatched = 2 };
enum : std::uint32_t { kRgnAnd = 1, kRgnOr = 2, kRgnXor = 3, kRgnDiff = 4, kRgnCopy = 5 };
enum : std::uint32_t { kMwtIdentity = 1, kMwtLeft = 2, kMwtRight = 3, kMwtSet = 4 };
enum : std::uint32_t { kSrcCopy = 0x00CC0020, kPatCopy = 0x00F00021 };
inline constexpr int kLogFontSize = 92; // LOGFONTW

// Appends little-endian fields to a record.
class Writer {
public:
    explicit Writer(Record type) {
        u32(std::uint32_t(type));
        u32(0); // size, patched by finish()
    }
    void u32(std::uint32_t v) { raw(&v, 4); }
    void i32(std::int32_t v) { raw(&v, 4); }
    void u16(std::uint16_t v) { raw(&v, 2); }
    void u8(std::uint8_t v) { raw(&v, 1); }
    void f32(float v) { raw(&v, 4); }
    void rect(const QRect& r) { // RECTL: right and bottom inclusive
        i32(r.left());
        i32(r.top());
        i32(r.right());
        i32(r.bottom());
    }
    void ltrb(const QRect& r) { // a rectangle of a call: right and bottom exclusive
        i32(r.left());
        i32(r.top());
        i32(r.left() + r.width());
        i32(r.top() + r.height());
    }
    void raw(const void* p, std::size_t n) {
        data.append(static_cast<const char*>(p), qsizetype(n));
    }
    void pad() {
        while (data.size() % 4)
            data.append('\0');
    }
    qsizetype size() const { return data.size(); }
    const QByteArray& finish() {
        pad();
        const std::uint32_t n = std::uint32_t(data.size());
        std::memcpy(data.data() + 4, &n, 4);
        return data;
    }
    QByteArray data;
};

// Reads fields of one record; reads past the end give 0 and clear `ok`.
class Reader {
public:
    Reader(const char* p, std::size_t n) : p_(p), n_(n) {}
    std::uint32_t u32(std::size_t off) const { return get<std::uint32_t>(off); }
    std::int32_t i32(std::size_t off) const { return get<std::int32_t>(off); }
    std::int16_t i16(std::size_t off) const { return get<std::int16_t>(off); }
    std::uint16_t u16(std::size_t off) const { return get<std::uint16_t>(off); }
    std::uint8_t u8(std::size_t off) const { return get<std::uint8_t>(off); }
    float f32(std::size_t off) const { return get<float>(off); }
    bool has(std::size_t off, std::size_t n) const { return off <= n_ && n <= n_ - off; }
    const char* at(std::size_t off) const { return p_ + off; }
    std::size_t size() const { return n_; }
    mutable bool ok = true;

private:
    template <class T> T get(std::size_t off) const {
        T v{};
        if (!has(off, sizeof(T))) {
            ok = false;
            return v;
        }
        std::memcpy(&v, p_ + off, sizeof(T));
        return v;
    }
    const char* p_;
    std::size_t n_;
};

// RGNDATA: a header of 32 bytes, then the rectangles (right and bottom exclusive).
inline void writeRegion(Writer& w, const QRegion& region) {
    const QRect b = region.boundingRect();
    w.u32(32);
    w.u32(1); // RDH_RECTANGLES
    w.u32(std::uint32_t(region.rectCount()));
    w.u32(std::uint32_t(region.rectCount() * 16));
    w.i32(b.left());
    w.i32(b.top());
    w.i32(b.left() + b.width());
    w.i32(b.top() + b.height());
    for (const QRect& r : region) {
        w.i32(r.left());
        w.i32(r.top());
        w.i32(r.left() + r.width());
        w.i32(r.top() + r.height());
    }
}

inline std::uint32_t regionSize(const QRegion& region) {
    return 32 + 16 * std::uint32_t(region.rectCount());
}

inline QRegion readRegion(const Reader& r, std::size_t off, std::size_t size) {
    if (size < 32 || !r.has(off, size))
        return {};
    const std::uint32_t headerSize = r.u32(off);
    const std::uint32_t count = r.u32(off + 8);
    std::vector<QRect> rects;
    const std::size_t first = off + headerSize;
    for (std::uint32_t i = 0; i < count && r.has(first + i * 16, 16); ++i) {
        const std::size_t p = first + i * 16;
        const int left = r.i32(p), top = r.i32(p + 4), right = r.i32(p + 8), bottom = r.i32(p + 12);
        if (right > left && bottom > top)
            rects.emplace_back(left, top, right - left, bottom - top);
    }
    // Regions of the platform are y-x banded; such lists are taken whole, others are merged.
    bool banded = true;
    for (std::size_t i = 1; i < rects.size() && banded; ++i) {
        const QRect& a = rects[i - 1];
        const QRect& b = rects[i];
        const bool sameBand =
            a.top() == b.top() && a.height() == b.height() && b.left() > a.right() + 1;
        banded = sameBand || b.top() > a.bottom();
    }
    QRegion region;
    if (banded) {
        region.setRects(rects.data(), int(rects.size()));
        return region;
    }
    for (const QRect& rc : rects)
        region += rc;
    return region;
}

} // namespace gdi::emf
