#pragma once
// The graphics layer: device contexts, pens, brushes, regions, fonts, text and enhanced metafiles
// with the names and the results of the Windows calls the component is written against, drawn with
// QPainter.
//
// Shape of the interface
// - A `Dc` is a device context. It draws on any QPaintDevice (an image, a PDF writer, a printer
//   page, a widget), or records an enhanced metafile (`CreateEnhMetaFileA`), or only measures (a
//   printer without an open job). GetDeviceCaps answers from the `DeviceCaps` it was made with.
// - The Windows calls are free functions taking the `Dc&` first, so code reads as it does against
//   the platform: `SelectObject(dc, pen)`, `MoveToEx(dc, x, y)`, `LineTo(dc, x, y)`.
// - Pens, brushes, fonts and regions are immutable objects held by shared handles (`HPEN`,
//   `HBRUSH`, `HFONT`, `HRGN`). A handle is its own RAII owner: the object lives while a handle or
//   a context that selected it holds it, so a deleted object that is still selected stays valid
//   until it is replaced. `DeleteObject` releases the caller's handle (and empties it).
// - Coordinates are logical units, which are device pixels unless the context is playing a
//   metafile scaled. Regions given to `SelectClipRgn` are in device units, as on the platform.
// - Text crosses this interface as Windows-1252 bytes.
//
// Conventions kept from the platform (what the pen and the brush cover)
// - `Rectangle`, `RoundRect` and `Ellipse` exclude the right and bottom edge: with a 1-pixel pen,
//   Rectangle(0, 0, 10, 10) covers pixels 0..9. The pen is centred on that outline; with the null
//   pen the filled area is one pixel smaller in width and height (pixels 0..8).
// - `LineTo` draws from the current position up to, not including, the end point and moves the
//   current position there. Pens wider than one pixel have round ends and round joins.
// - `Polygon` is filled with the polygon fill mode (alternate) and outlined with the pen.
// - Hatch brushes repeat every 1/12 inch of the context's logical resolution (8 pixels at 96 dpi)
//   with lines 1/96 inch wide, so a hatch looks the same on paper and in a scaled preview. In the
//   gaps the background colour is painted when the background mode is OPAQUE.
// - Text is laid out with the faces' design metrics (no hinting): characters stand at their exact
//   design positions rounded to whole logical units, so a text measured against a context lands
//   where it was measured when drawn on it or on a playback of a recording made with it as
//   reference, at any scale, and a line drawn at another resolution scales with it.

#include "platform/gdi/DeviceCaps.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class QImage;
class QPainter;
class QPaintDevice;

namespace gdi {

// ----- basic types ---------------------------------------------------------------------------

// 0x00BBGGRR: red in the low byte.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b) {
    return COLORREF(r & 0xFF) | (COLORREF(g & 0xFF) << 8) | (COLORREF(b & 0xFF) << 16);
}
constexpr int GetRValue(COLORREF c) {
    return int(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
    return int((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
    return int((c >> 16) & 0xFF);
}

struct POINT {
    int x = 0;
    int y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

// Right and bottom are exclusive.
struct RECT {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

// (a × b) / c rounded half away from zero, computed without overflow; -1 when c is 0.
int MulDiv(int a, int b, int c);

// ----- device capabilities -------------------------------------------------------------------

enum class DeviceCap {
    LogPixelsX = 88,
    LogPixelsY = 90,
    PhysicalWidth = 110,
    PhysicalHeight = 111,
    PhysicalOffsetX = 112,
    PhysicalOffsetY = 113,
};
inline constexpr DeviceCap LOGPIXELSX = DeviceCap::LogPixelsX;
inline constexpr DeviceCap LOGPIXELSY = DeviceCap::LogPixelsY;
inline constexpr DeviceCap PHYSICALWIDTH = DeviceCap::PhysicalWidth;
inline constexpr DeviceCap PHYSICALHEIGHT = DeviceCap::PhysicalHeight;
inline constexpr DeviceCap PHYSICALOFFSETX = DeviceCap::PhysicalOffsetX;
inline constexpr DeviceCap PHYSICALOFFSETY = DeviceCap::PhysicalOffsetY;

// ----- objects -------------------------------------------------------------------------------

enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };
inline constexpr PenStyle PS_SOLID = PenStyle::Solid;
inline constexpr PenStyle PS_NULL = PenStyle::Null;

enum class BrushStyle { Solid = 0, Null = 1, Hatched = 2 };

enum class HatchStyle {
    Horizontal = 0, // -----
    Vertical = 1,   // |||||
    FDiagonal = 2,  // \\\\\ (downward, left to right)
    BDiagonal = 3,  // ///// (upward, left to right)
    Cross = 4,      // +++++
    DiagCross = 5,  // xxxxx
};
inline constexpr HatchStyle HS_HORIZONTAL = HatchStyle::Horizontal;
inline constexpr HatchStyle HS_VERTICAL = HatchStyle::Vertical;
inline constexpr HatchStyle HS_FDIAGONAL = HatchStyle::FDiagonal;
inline constexpr HatchStyle HS_BDIAGONAL = HatchStyle::BDiagonal;
inline constexpr HatchStyle HS_CROSS = HatchStyle::Cross;
inline constexpr HatchStyle HS_DIAGCROSS = HatchStyle::DiagCross;

enum class LineCap { Round, Square, Flat };
enum class LineJoin { Round, Bevel, Miter };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1; // logical units; 0 and 1 draw one device pixel wide
    COLORREF color = 0;
    LineCap cap = LineCap::Round;
    LineJoin join = LineJoin::Round;
    bool cosmetic = false; // one device pixel whatever the width and the scale
};

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    COLORREF color = 0;
    HatchStyle hatch = HatchStyle::Horizontal;
};

// The fields of a logical font (LOGFONT) that decide how text looks and measures.
struct LogFont {
    int height = 0;     // < 0: character height (em) in logical units; > 0: cell height; 0: default
    int width = 0;      // average character width; 0: the face's natural width
    int escapement = 0; // tenths of a degree, counter-clockwise: direction of the base line
    int orientation = 0; // tenths of a degree: the characters' own angle (follows escapement)
    int weight = 400;    // 100 light .. 400 normal .. 700 bold .. 1000 heavy; 0 means 400
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string faceName; // Windows-1252; the byte codes 0xAE and 0xAF name Times New Roman, Arial
};

class FontFace; // the resolved face with its metrics (internal)

struct Font {
    LogFont logFont;
    std::shared_ptr<const FontFace> face;
};

class Region;
class Dc;

using HPEN = std::shared_ptr<const Pen>;
using HBRUSH = std::shared_ptr<const Brush>;
using HFONT = std::shared_ptr<const Font>;
using HRGN = std::shared_ptr<const Region>;

HPEN CreatePen(PenStyle style, int width, COLORREF color);
HBRUSH CreateSolidBrush(COLORREF color);
HBRUSH CreateHatchBrush(HatchStyle hatch, COLORREF color);

enum class StockObject { WhiteBrush, BlackBrush, NullBrush, WhitePen, BlackPen, NullPen };
inline constexpr StockObject WHITE_BRUSH = StockObject::WhiteBrush;
inline constexpr StockObject BLACK_BRUSH = StockObject::BlackBrush;
inline constexpr StockObject NULL_BRUSH = StockObject::NullBrush;
inline constexpr StockObject WHITE_PEN = StockObject::WhitePen;
inline constexpr StockObject BLACK_PEN = StockObject::BlackPen;
inline constexpr StockObject NULL_PEN = StockObject::NullPen;

// A stock brush or pen: GetStockObject<HBRUSH>(NULL_BRUSH). Stock objects are shared for the
// process and never change; deleting a handle to one is harmless.
template <class Handle> Handle GetStockObject(StockObject which);
template <> HBRUSH GetStockObject<HBRUSH>(StockObject which);
template <> HPEN GetStockObject<HPEN>(StockObject which);

// Font character set, precisions, quality and pitch are accepted for the platform's signature
// and have no effect: faces are chosen by name (fontconfig substitutes the metric-compatible
// Liberation faces for Times New Roman, Arial and Courier New).
enum : int { DEFAULT_CHARSET = 1, OUT_DEFAULT_PRECIS = 0, CLIP_DEFAULT_PRECIS = 0 };
enum : int { DEFAULT_QUALITY = 0, PROOF_QUALITY = 2, DEFAULT_PITCH = 0, FF_DONTCARE = 0 };

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, bool italic,
                  bool underline, bool strikeOut, int charSet, int outPrecision, int clipPrecision,
                  int quality, int pitchAndFamily, std::string_view faceName);
HFONT CreateFontIndirect(const LogFont& logFont);

// Selecting returns the object it replaced.
HPEN SelectObject(Dc& dc, HPEN pen);
HBRUSH SelectObject(Dc& dc, HBRUSH brush);
HFONT SelectObject(Dc& dc, HFONT font);

// Releases the caller's handle; the object goes when nothing holds it any more. True unless the
// handle was already empty.
template <class T> bool DeleteObject(std::shared_ptr<const T>& handle) {
    const bool had = bool(handle);
    handle.reset();
    return had;
}

// ----- regions -------------------------------------------------------------------------------

enum class PolyFillMode { Alternate = 1, Winding = 2 };
inline constexpr PolyFillMode ALTERNATE = PolyFillMode::Alternate;
inline constexpr PolyFillMode WINDING = PolyFillMode::Winding;

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreatePolygonRgn(std::span<const POINT> points, PolyFillMode mode);

// True when the pixel (x, y) belongs to the region.
bool PtInRegion(const HRGN& region, int x, int y);

// Fills the region with the selected brush.
bool PaintRgn(Dc& dc, const HRGN& region);
// Clips later drawing to a copy of the region (device units); an empty handle removes the clip.
bool SelectClipRgn(Dc& dc, const HRGN& region);

// ----- state ---------------------------------------------------------------------------------

enum class BkMode { Transparent = 1, Opaque = 2 };
inline constexpr BkMode TRANSPARENT = BkMode::Transparent;
inline constexpr BkMode OPAQUE = BkMode::Opaque;

int GetDeviceCaps(const Dc& dc, DeviceCap index);

BkMode SetBkMode(Dc& dc, BkMode mode); // returns the previous mode
BkMode GetBkMode(const Dc& dc);
COLORREF SetBkColor(Dc& dc, COLORREF color); // returns the previous colour
COLORREF GetBkColor(const Dc& dc);
COLORREF SetTextColor(Dc& dc, COLORREF color);
COLORREF GetTextColor(const Dc& dc);
PolyFillMode SetPolyFillMode(Dc& dc, PolyFillMode mode);

// ----- drawing -------------------------------------------------------------------------------
// Drawing calls return false on a measuring-only context and draw nothing there.

bool MoveToEx(Dc& dc, int x, int y, POINT* previous = nullptr);
bool LineTo(Dc& dc, int x, int y);
bool Rectangle(Dc& dc, int left, int top, int right, int bottom);
bool RoundRect(Dc& dc, int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
bool Ellipse(Dc& dc, int left, int top, int right, int bottom);
bool Polygon(Dc& dc, std::span<const POINT> points);

// Fills with the selected brush outward from (x, y) up to pixels of the border colour; false
// when (x, y) is itself of the border colour or outside the device. Works on vector targets too
// (PDF, printer, recording): the fill is computed on a raster of what has been drawn on the
// context and painted as a region, so a recording keeps it as a region.
bool FloodFill(Dc& dc, int x, int y, COLORREF borderColor);

// Paints an image stretched over the rectangle (logical units); recordings keep the pixels.
bool StretchImage(Dc& dc, const RECT& dest, const QImage& image);

// ----- text ----------------------------------------------------------------------------------

struct TEXTMETRICA {
    int tmHeight = 0; // ascent + descent
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0; // tmHeight less the character height
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
    int tmWeight = 0;
    bool tmItalic = false;
    bool tmUnderlined = false;
    bool tmStruckOut = false;
};

bool GetTextMetricsA(const Dc& dc, TEXTMETRICA* metrics);
// Width of the text as one line in the selected font (its design width, rounded), and the font's
// height (tmHeight).
bool GetTextExtentPoint32A(const Dc& dc, std::string_view text, SIZE* size);

// Draws one line with its cell's top-left corner at (x, y), along the font's escapement. In
// OPAQUE mode the cell is first filled with the background colour.
bool TextOutA(Dc& dc, int x, int y, std::string_view text);

enum : unsigned {
    DT_LEFT = 0x0,
    DT_CENTER = 0x1,
    DT_RIGHT = 0x2,
    DT_WORDBREAK = 0x10,
    DT_SINGLELINE = 0x20,
    DT_NOCLIP = 0x100,
    DT_CALCRECT = 0x400,
    DT_NOPREFIX = 0x800,
};

// Formats the text into the rectangle: each line break ("\r\n", "\r" or "\n") starts a new line
// unless DT_SINGLELINE; with DT_WORDBREAK (and not DT_SINGLELINE) lines also break at spaces
// where the next word would pass the right edge (a word wider than the rectangle stays whole).
// Lines are placed from the top, each tmHeight high, aligned by DT_LEFT, DT_CENTER or DT_RIGHT,
// and clipped to the rectangle unless DT_NOCLIP. Returns the height of the text (lines ×
// tmHeight; 0 for an empty text; a final line break adds no line). With DT_CALCRECT nothing is
// drawn: the rectangle's bottom becomes top + that height and its right edge left + the widest
// line. "&" is never taken as a mnemonic prefix, as if DT_NOPREFIX were always given.
int DrawTextA(Dc& dc, std::string_view text, RECT* rect, unsigned format);

// ----- device contexts -----------------------------------------------------------------------

class Dc {
public:
    // Draws on `device` with a painter of its own, opened now and ended when the context goes.
    Dc(QPaintDevice& device, const DeviceCaps& caps);
    // Draws with a painter someone else owns and keeps active (a print job across pages, a
    // widget's paint event). The painter's transform and clip in force now are the base.
    Dc(QPainter& painter, const DeviceCaps& caps);
    // Measures only: text metrics and extents against `caps`; drawing calls do nothing.
    explicit Dc(const DeviceCaps& caps);
    ~Dc();
    Dc(const Dc&) = delete;
    Dc& operator=(const Dc&) = delete;

    const DeviceCaps& caps() const;
    bool canDraw() const;
    // The device went on to a new, blank page (QPrinter::newPage): flood fills look only at what
    // is drawn from now on.
    void newPage();

    struct State;
    State& state() { return *state_; }
    const State& state() const { return *state_; }

private:
    friend std::unique_ptr<Dc> CreateEnhMetaFileA(const Dc*, const std::string&, const RECT*,
                                                  std::string_view);
    Dc();
    std::unique_ptr<State> state_;
};

// ----- enhanced metafiles --------------------------------------------------------------------

class EnhMetaFile;
using HENHMETAFILE = std::shared_ptr<const EnhMetaFile>;

// A context recording an enhanced metafile into `fileName` (the real format, readable by other
// programs). The reference device gives the logical unit (one device pixel of it) and the
// resolution; null means a 96 dpi screen. `frame` is the picture's extent in 0.01 mm (null:
// the reference device's physical page). Null when the file cannot be created.
std::unique_ptr<Dc> CreateEnhMetaFileA(const Dc* reference, const std::string& fileName,
                                       const RECT* frame, std::string_view description);
// Finishes the file and returns the metafile; the context is consumed. Empty on a write failure.
HENHMETAFILE CloseEnhMetaFile(std::unique_ptr<Dc> recording);
// Opens a metafile file (ours or another program's); empty when it is not a valid one.
HENHMETAFILE GetEnhMetaFileA(const std::string& fileName);
// Plays the metafile with its picture frame stretched onto the rectangle (logical units of dc).
// The context's own objects, modes and clip are as before afterwards.
bool PlayEnhMetaFile(Dc& dc, const HENHMETAFILE& metafile, const RECT& rect);
bool DeleteEnhMetaFile(HENHMETAFILE& metafile);

struct EnhMetaHeader {
    RECT bounds; // device units of the reference device
    RECT frame;  // 0.01 mm
    SIZE device; // reference device, pixels
    SIZE millimeters;
    unsigned records = 0;
};
EnhMetaHeader GetEnhMetaFileHeader(const HENHMETAFILE& metafile);

} // namespace gdi
