#include "component/render/PagePlayback.h"

#include "component/render/HolderPicture.h"
#include "component/render/RenderPage.h"
#include "component/render/Utilities.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace docuvel {
namespace {

// Device coordinates beyond this are clamped: no real sheet is four million pixels wide, and a
// damaged file must not ask the painter for the impossible.
constexpr float kDeviceLimit = float(1 << 22);

float clampDevice(float v) {
    if (std::isnan(v))
        return 0;
    return std::clamp(v, -kDeviceLimit, kDeviceLimit);
}

std::int32_t px(float v) {
    return toInt32(v);
}

gdi::Dc& rec(RendererState& s) {
    return *s.recording;
}

void readSlots(RecordReader& file, float& a, float& b) {
    a = file.readSingle();
    b = file.readSingle();
}

void readBox(RendererState& s, RecordReader& file) {
    readSlots(file, s.x1, s.y1);
    readSlots(file, s.x2, s.y2);
}

void readPolygon(RendererState& s, RecordReader& file, std::int16_t count) {
    if (count < 0)
        throw DocumentIoError("negative point count");
    // The count is checked against what is left of the file before anything is reserved.
    if (std::int64_t(count) * 8 > file.length() - file.position() + 1)
        throw DocumentIoError("polygon runs past the end of the document file");
    s.polygon.resize(std::size_t(count));
    for (Point& p : s.polygon) {
        p.x = file.readSingle();
        p.y = file.readSingle();
    }
}

std::vector<gdi::POINT> devicePoints(const std::vector<DevicePoint>& points) {
    std::vector<gdi::POINT> out;
    out.reserve(points.size());
    for (const DevicePoint& p : points)
        out.push_back({p.x, p.y});
    return out;
}

// Draws an outline or a filled shape with whatever pen and brush are selected.
void drawShape(gdi::Dc& dc, ClipShape shape, const DeviceRect& r, std::int32_t cw, std::int32_t ch,
               const std::vector<DevicePoint>& polygon) {
    switch (shape) {
    case ClipShape::Rectangle:
        gdi::Rectangle(dc, r.left, r.top, r.right, r.bottom);
        break;
    case ClipShape::RoundRectangle:
        gdi::RoundRect(dc, r.left, r.top, r.right, r.bottom, cw, ch);
        break;
    case ClipShape::Ellipse:
        gdi::Ellipse(dc, r.left, r.top, r.right, r.bottom);
        break;
    case ClipShape::Polygon:
        gdi::Polygon(dc, devicePoints(polygon));
        break;
    case ClipShape::None:
        break;
    }
}

gdi::HRGN clipRegion(const RendererState& s) {
    const DeviceRect& r = s.clipRect;
    switch (s.clipShape) {
    case ClipShape::Rectangle:
        return gdi::CreateRectRgn(r.left, r.top, r.right, r.bottom);
    case ClipShape::RoundRectangle:
        return gdi::CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, s.cornerWidth,
                                       s.cornerHeight);
    case ClipShape::Ellipse:
        return gdi::CreateEllipticRgn(r.left, r.top, r.right, r.bottom);
    case ClipShape::Polygon:
    case ClipShape::None:
        break;
    }
    return gdi::CreatePolygonRgn(devicePoints(s.clipPolygon), gdi::ALTERNATE);
}

void removeClip(RendererState& s) {
    const gdi::HRGN all =
        gdi::CreateRectRgn(0, 0, px(inchesToDevice(s.pageWidth, s.printer.logPixelsX)),
                           px(inchesToDevice(s.pageHeight, s.printer.logPixelsY)));
    gdi::SelectClipRgn(rec(s), all);
    s.clipActive = false;
}

void endClip(RendererState& s) {
    if (s.frameWidth != 0) {
        const gdi::HBRUSH oldBrush =
            gdi::SelectObject(rec(s), gdi::GetStockObject<gdi::HBRUSH>(gdi::NULL_BRUSH));
        removeClip(s);
        const gdi::HPEN framePen =
            gdi::CreatePen(gdi::PS_SOLID, s.frameWidth, gdi::COLORREF(s.frameColor));
        const gdi::HPEN oldPen = gdi::SelectObject(rec(s), framePen);
        drawShape(rec(s), s.clipShape, s.clipRect, s.cornerWidth, s.cornerHeight, s.clipPolygon);
        gdi::SelectObject(rec(s), oldPen);
        gdi::SelectObject(rec(s), oldBrush);
    } else {
        removeClip(s);
    }
}

void beginClip(RendererState& s, RecordReader& file) {
    if (s.clipActive)
        endClip(s);
    switch (RecordCode(s.recordType)) {
    case RecordCode::ClipEllipse:
        readBox(s, file);
        s.clipShape = ClipShape::Ellipse;
        break;
    case RecordCode::ClipRectangle:
        readBox(s, file);
        s.clipShape = ClipShape::Rectangle;
        break;
    case RecordCode::ClipRoundRectangle:
        readBox(s, file);
        readSlots(file, s.x3, s.y3);
        s.clipShape = ClipShape::RoundRectangle;
        break;
    case RecordCode::ClipPolygon:
        readPolygon(s, file, file.readInteger());
        s.clipShape = ClipShape::Polygon;
        break;
    default: // ClipTriangle
        readPolygon(s, file, 3);
        s.clipShape = ClipShape::Polygon;
        break;
    }
    MapToDevice(s);
    s.clipRect = {px(s.x1), px(s.y1), px(s.x2), px(s.y2)};
    s.cornerWidth = px(s.x3);
    s.cornerHeight = px(s.y3);
    if (s.clipShape == ClipShape::Polygon) {
        s.clipPolygon = s.devicePolygon;
        s.polygon.clear();
    }
    const gdi::HRGN region = clipRegion(s);
    gdi::PaintRgn(rec(s), region);
    gdi::SelectClipRgn(rec(s), region);
    s.frameColor = s.penColor;
    s.frameWidth = px(s.penWidth);
    s.clipActive = true;
}

void playLine(RendererState& s, RecordReader& file) {
    readBox(s, file);
    MapToDevice(s);
    const std::int32_t width = px(s.penWidth);
    DeviceRect r;
    if (!wideLineRectangle(s.x1, s.y1, s.x2, s.y2, width, r)) {
        gdi::MoveToEx(rec(s), px(s.x1), px(s.y1));
        gdi::LineTo(rec(s), px(s.x2), px(s.y2));
        return;
    }
    const gdi::HPEN oldPen = gdi::SelectObject(rec(s), gdi::CreatePen(gdi::PS_NULL, 1, 0));
    const gdi::HBRUSH oldBrush =
        gdi::SelectObject(rec(s), gdi::CreateSolidBrush(gdi::COLORREF(s.penColor)));
    // Without a pen the filled area ends one pixel short on the right and at the bottom; one
    // more pixel each way makes the bar exactly as wide as the pen and as long as the line.
    gdi::Rectangle(rec(s), r.left, r.top, r.right + 1, r.bottom + 1);
    gdi::SelectObject(rec(s), oldPen);
    gdi::SelectObject(rec(s), oldBrush);
}

void playPen(RendererState& s, RecordReader& file) {
    s.penWidth = file.readSingle();
    s.penColor = file.readLong();
    file.readInteger();
    gdi::HPEN pen;
    if (s.penWidth == 0 || std::isnan(s.penWidth)) {
        s.penWidth = 0;
        pen = gdi::CreatePen(gdi::PS_NULL, 1, 0);
    } else {
        s.penWidth = float(std::clamp(penWidthInPixels(s.penWidth, s.printer.logPixelsX), 0,
                                      std::int32_t(kDeviceLimit)));
        pen = gdi::CreatePen(gdi::PS_SOLID, px(s.penWidth), gdi::COLORREF(s.penColor));
    }
    gdi::SelectObject(rec(s), pen);
    s.pen = std::move(pen);
}

void playFill(RendererState& s, RecordReader& file) {
    s.fillStyle = file.readInteger();
    s.fillColor = file.readLong();
    s.backgroundColor = file.readLong();
    static constexpr gdi::HatchStyle kHatches[] = {gdi::HS_VERTICAL,  gdi::HS_HORIZONTAL,
                                                   gdi::HS_CROSS,     gdi::HS_DIAGCROSS,
                                                   gdi::HS_FDIAGONAL, gdi::HS_BDIAGONAL};
    const auto colour = gdi::COLORREF(s.fillColor);
    gdi::HBRUSH brush;
    bool stock = false;
    if (s.fillStyle == 1)
        brush = gdi::CreateSolidBrush(colour);
    else if (s.fillStyle == 2)
        stock = true;
    else if (s.fillStyle >= 3 && s.fillStyle <= 8)
        brush = gdi::CreateHatchBrush(kHatches[s.fillStyle - 3], colour);
    if (stock) {
        gdi::SelectObject(rec(s), gdi::GetStockObject<gdi::HBRUSH>(gdi::NULL_BRUSH));
        s.brush = {};
    } else if (brush) {
        gdi::SelectObject(rec(s), brush);
        s.brush = std::move(brush);
    }
    if (s.backgroundColor == kTransparent) {
        gdi::SetBkMode(rec(s), gdi::TRANSPARENT);
    } else {
        gdi::SetBkColor(rec(s), gdi::COLORREF(s.backgroundColor));
        gdi::SetBkMode(rec(s), gdi::OPAQUE);
    }
}

// Keeps the clip of the page in a recording that starts after a raster picture, so that what
// follows the picture is still held inside the shape.
void reapplyClip(RendererState& s) {
    if (!s.clipActive)
        return;
    gdi::SelectClipRgn(rec(s), clipRegion(s));
}

// A temporary file that is deleted on every path out of the scope that made it.
class ScopedTempFile {
public:
    explicit ScopedTempFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~ScopedTempFile() {
        std::error_code ec;
        std::filesystem::remove(path_, ec);
    }
    ScopedTempFile(const ScopedTempFile&) = delete;
    ScopedTempFile& operator=(const ScopedTempFile&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Paints a held raster picture onto the target between two recordings, in printer pixels. A
// preview surface is scaled the way the recording is played onto it, so the picture lands where
// the vector parts of the page put it.
void paintRasterPicture(RendererState& s, const gdi::RasterPicture& held, const DeviceRect& box) {
    const double naturalWidth = held.widthInches * s.printer.logPixelsX;
    const double naturalHeight = held.heightInches * s.printer.logPixelsY;
    double width = double(box.right) - box.left;
    double height = double(box.bottom) - box.top;
    if (box.right == 0 && box.bottom == 0) {
        width = roundHalfEven(naturalWidth);
        height = roundHalfEven(naturalHeight);
    } else if (box.bottom == 0 && naturalWidth > 0) {
        // Only a width was given: the height keeps the picture's proportions.
        height = roundHalfEven(width * naturalHeight / naturalWidth);
    } else if (box.right == 0 && naturalHeight > 0) {
        width = roundHalfEven(height * naturalWidth / naturalHeight);
    }
    const bool onPrinter = isPrinterDC(s.targetDC);
    gdi::Dc& surface = onPrinter || !pictureSurface() ? *s.targetDC : *pictureSurface();
    double sx = 1;
    double sy = 1;
    if (!onPrinter) {
        const double pageX = double(s.pageWidth) * s.printer.logPixelsX;
        const double pageY = double(s.pageHeight) * s.printer.logPixelsY;
        sx = pageX > 0 ? s.targetWidth / pageX : 1;
        sy = pageY > 0 ? s.targetHeight / pageY : 1;
    }
    const gdi::RECT dest{toInt32(box.left * sx), toInt32(box.top * sy),
                         toInt32((box.left + width) * sx), toInt32((box.top + height) * sy)};
    gdi::StretchImage(surface, dest, held.image);
}

void playPicture(RendererState& s, RecordReader& file) {
    readBox(s, file);
    const std::int32_t length = file.readLong();
    if (length < 0)
        throw DocumentIoError("negative picture length");
    const std::string bytes = file.readBytes(std::size_t(length));
    MapToDevice(s);

    const ScopedTempFile picture(MakeTempFileName());
    {
        std::ofstream out(picture.path(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out)
            return; // nothing to show; the page goes on
    }
    const DeviceRect box{px(s.x1), px(s.y1), px(s.x2), px(s.y2)};
    if (bytes.size() >= 44 && bytes.compare(41, 3, "EMF") == 0) {
        if (gdi::HENHMETAFILE mf = gdi::GetEnhMetaFileA(picture.path().string()))
            gdi::PlayEnhMetaFile(rec(s), mf, {box.left, box.top, box.right, box.bottom});
        return;
    }

    FinishPageRecording(s);
    if (const gdi::RasterPicture* held = LoadHolderPicture(picture.path()))
        paintRasterPicture(s, *held, box);
    BeginPageRecording(s);
    reapplyClip(s);
}

} // namespace

void BeginPageRecording(RendererState& s) {
    s.recordingFile = MakeTempFileName();
    s.frame =
        recordingFrame(isPrinterDC(s.targetDC), s.printer.physicalWidth, s.printer.physicalHeight,
                       s.printer.logPixelsX, s.printer.logPixelsY, s.pageWidth, s.pageHeight);
    const gdi::RECT frame{s.frame.left, s.frame.top, s.frame.right, s.frame.bottom};
    s.reference = std::make_unique<gdi::Dc>(s.printer);
    s.recording = gdi::CreateEnhMetaFileA(s.reference.get(), s.recordingFile.string(), &frame, "");
    if (!s.recording)
        throw RecordingError("cannot create the page recording " + s.recordingFile.string());
}

void FinishPageRecording(RendererState& s) {
    if (s.recording) {
        gdi::HENHMETAFILE mf = gdi::CloseEnhMetaFile(std::move(s.recording));
        s.playback = {0, 0, s.targetWidth, s.targetHeight};
        if (mf)
            gdi::PlayEnhMetaFile(*s.targetDC, mf, {0, 0, s.targetWidth, s.targetHeight});
        gdi::DeleteEnhMetaFile(mf);
    }
    if (!s.recordingFile.empty()) {
        std::error_code ec;
        std::filesystem::remove(s.recordingFile, ec);
        s.recordingFile.clear();
    }
    s.font = {};
    s.pen = {};
    s.brush = {};
}

void playRecord(RendererState& s, RecordReader& file) {
    gdi::Dc& dc = rec(s);
    switch (RecordCode(s.recordType)) {
    case RecordCode::Line:
        playLine(s, file);
        break;
    case RecordCode::LineTo:
        readSlots(file, s.x1, s.y1);
        MapToDevice(s);
        gdi::LineTo(dc, px(s.x1), px(s.y1));
        break;
    case RecordCode::Location:
        readSlots(file, s.x1, s.y1);
        MapToDevice(s);
        gdi::MoveToEx(dc, px(s.x1), px(s.y1));
        break;
    case RecordCode::Ellipse:
        readBox(s, file);
        MapToDevice(s);
        gdi::Ellipse(dc, px(s.x1), px(s.y1), px(s.x2), px(s.y2));
        break;
    case RecordCode::Rectangle:
        readBox(s, file);
        MapToDevice(s);
        gdi::Rectangle(dc, px(s.x1), px(s.y1), px(s.x2), px(s.y2));
        break;
    case RecordCode::RoundRectangle:
        readBox(s, file);
        readSlots(file, s.x3, s.y3);
        MapToDevice(s);
        gdi::RoundRect(dc, px(s.x1), px(s.y1), px(s.x2), px(s.y2), px(s.x3), px(s.y3));
        break;
    case RecordCode::Polygon:
    case RecordCode::Triangle: {
        const bool counted = RecordCode(s.recordType) == RecordCode::Polygon;
        readPolygon(s, file, counted ? file.readInteger() : std::int16_t(3));
        MapToDevice(s);
        gdi::Polygon(dc, devicePoints(s.devicePolygon));
        s.polygon.clear();
        break;
    }
    case RecordCode::ClipEllipse:
    case RecordCode::ClipRectangle:
    case RecordCode::ClipRoundRectangle:
    case RecordCode::ClipPolygon:
    case RecordCode::ClipTriangle:
        beginClip(s, file);
        break;
    case RecordCode::StopClipping:
        if (s.clipActive)
            endClip(s);
        break;
    case RecordCode::FloodFill: {
        readSlots(file, s.x1, s.y1);
        const std::int32_t border = file.readLong();
        MapToDevice(s);
        gdi::FloodFill(dc, px(s.x1), px(s.y1), gdi::COLORREF(border));
        break;
    }
    case RecordCode::Picture:
        playPicture(s, file);
        break;
    case RecordCode::Text:
        playText(s, file);
        break;
    case RecordCode::WrapText:
        playWrapText(s, file);
        break;
    case RecordCode::RotatedText:
        playRotatedText(s, file);
        break;
    case RecordCode::Font:
        playFont(s, file);
        break;
    case RecordCode::Pen:
        playPen(s, file);
        break;
    case RecordCode::Fill:
        playFill(s, file);
        break;
    default:
        // Codes in range that are not drawing records carry no fields.
        break;
    }
}

void MapToDevice(RendererState& s) {
    const int dx = s.printer.logPixelsX;
    const int dy = s.printer.logPixelsY;
    for (float* x : {&s.x1, &s.x2, &s.x3})
        *x = clampDevice(inchesToDevice(*x, dx));
    for (float* y : {&s.y1, &s.y2, &s.y3})
        *y = clampDevice(inchesToDevice(*y, dy));
    s.devicePolygon.resize(s.polygon.size());
    for (std::size_t i = 0; i < s.polygon.size(); ++i)
        s.devicePolygon[i] = {px(clampDevice(inchesToDevice(s.polygon[i].x, dx))),
                              px(clampDevice(inchesToDevice(s.polygon[i].y, dy)))};
}

void MapToDevice() {
    MapToDevice(rendererState());
}

RendererState& rendererState() {
    static RendererState state;
    return state;
}

} // namespace docuvel
