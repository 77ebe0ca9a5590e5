// Lines, shapes, clipping, polygons, flood fills, pictures, pens, fills and page breaks.

#include "component/document/Arguments.h"
#include "component/document/Docuvel.h"
#include "component/document/Environment.h"
#include "component/document/Palette.h"
#include "component/document/TextUtil.h"
#include "component/render/Utilities.h"

#include <array>
#include <limits>

namespace docuvel {

namespace {

struct FillStyleName {
    std::string_view name;
    std::int16_t style;
};

constexpr FillStyleName kFillStyleNames[] = {
    {"solid", 1},
    {"hollow", 2},
    {"transparent", 2},
    {"none", 2},
    {"empty", 2},
    {"verticalline", 3},
    {"vertical line", 3},
    {"line", 3},
    {"lines", 3},
    {"vertical lines", 3},
    {"vertical", 3},
    {"horizontalline", 4},
    {"horizontal line", 4},
    {"horizontal", 4},
    {"horizontal lines", 4},
    {"grid", 5},
    {"gridline", 5},
    {"grid line", 5},
    {"grid lines", 5},
    {"gridlines", 5},
    {"diagonal grid", 6},
    {"diagonal gridline", 6},
    {"diagonal grid lines", 6},
    {"diagonal grid line", 6},
    {"diagonal gridlines", 6},
    {"diagonal", 7},
    {"diagonal line", 7},
    {"diagonal lines", 7},
    {"reverse diagonal", 8},
    {"reverse diagonal lines", 8},
    {"reverse diagonal line", 8},
};

constexpr std::size_t kMaxPolygonPoints = 32767;
constexpr std::size_t kPictureSignatureOffset = 41; // bytes 42 to 44

} // namespace

std::optional<std::int16_t> fillStyleOfName(std::string_view lowerCaseName) {
    for (const FillStyleName& n : kFillStyleNames)
        if (n.name == lowerCaseName)
            return n.style;
    return std::nullopt;
}

// ---- settings ----

void Docuvel::writePen(const PenSetting& pen) {
    append(RecordCode::Pen, {pen.width, pen.color, std::int16_t(0)});
    pen_ = pen;
    penEmitted_ = true;
}

void Docuvel::writeFill(const FillSetting& fill) {
    append(RecordCode::Fill, {fill.style, fill.color, fill.background});
    fill_ = fill;
    fillEmitted_ = true;
}

void Docuvel::SetPen(const Variant& PenWidth, const Variant& PenColor) {
    ensureOpen();
    PenSetting pen = pen_;
    if (!PenWidth.isMissing()) {
        if (!PenWidth.isNumber())
            fail(154);
        const double w = *PenWidth.number();
        if (w < 0 || w > 300)
            fail(153);
        pen.width = float(w);
    }
    if (!PenColor.isMissing()) {
        if (PenColor.isText()) {
            const std::string given = *PenColor.text();
            const auto color = paletteColorOf(trimSpaces(given));
            if (!color)
                com::raise(155, penColorNotFoundText(given));
            pen.color = *color;
        } else {
            const auto color = wholeValue(PenColor);
            if (!color || !isColor(*color))
                fail(156);
            pen.color = *color;
        }
    }
    writePen(pen);
}

void Docuvel::SetFill(const Variant& FillStyle, const Variant& FillForeColor,
                      const Variant& FillBackColor) {
    ensureOpen();
    FillSetting fill = fill_;
    if (!FillStyle.isMissing()) {
        std::optional<std::int16_t> style;
        if (FillStyle.isText())
            style = fillStyleOfName(lowerAscii(*FillStyle.text()));
        else if (const auto n = wholeValue(FillStyle); n && *n >= 1 && *n <= 8)
            style = std::int16_t(*n);
        if (!style)
            fail(157);
        fill.style = *style;
    }
    if (!FillForeColor.isMissing()) {
        std::optional<std::int32_t> color;
        if (FillForeColor.isText())
            color = paletteColorOf(trimSpaces(*FillForeColor.text()));
        else if (const auto n = wholeValue(FillForeColor); n && isColor(*n))
            color = n;
        if (!color)
            fail(158);
        fill.color = *color;
    }
    if (!FillBackColor.isMissing()) {
        std::optional<std::int32_t> color;
        if (FillBackColor.isText()) {
            const std::string lower = lowerAscii(*FillBackColor.text());
            if (lower == "none" || lower == "hollow" || lower == "transparent")
                color = kTransparent;
            else
                color = paletteColor(trimSpaces(lower));
        } else if (const auto n = wholeValue(FillBackColor); n && isColor(*n)) {
            color = n;
        }
        if (!color)
            fail(159);
        fill.background = *color;
    }
    writeFill(fill);
}

void Docuvel::emitPen() {
    if (!penEmitted_)
        writePen(pen_);
}

void Docuvel::emitPenAndFill() {
    emitPen();
    if (!fillEmitted_)
        writeFill(fill_);
}

// ---- lines and shapes ----

void Docuvel::DrawLine(float X1, float Y1, float X2, float Y2) {
    ensureOpen();
    emitPen();
    append(RecordCode::Line, {in(X1), in(Y1), in(X2), in(Y2)});
}

void Docuvel::DrawLineTo(float X1, float Y1) {
    ensureOpen();
    emitPen();
    append(RecordCode::LineTo, {in(X1), in(Y1)});
}

void Docuvel::DrawLocation(float X1, float Y1) {
    ensureOpen();
    append(RecordCode::Location, {in(X1), in(Y1)});
}

namespace {

struct Box {
    float left, top, right, bottom;
};

// With Y2 missing, X2 is a half-size around (X1, Y1).
Box closedBox(float X1, float Y1, float X2, const com::Variant& Y2) {
    if (const auto y2 = optionalSingle(Y2))
        return {X1, Y1, X2, *y2};
    const float left = X1 - X2;
    const float top = Y1 - X2;
    return {left, top, left + 2 * X2, top + 2 * X2};
}

} // namespace

void Docuvel::drawClosedShape(RecordCode code, float X1, float Y1, float X2, const Variant& Y2) {
    ensureOpen();
    const Box b = closedBox(X1, Y1, X2, Y2);
    emitPenAndFill();
    append(code, {in(b.left), in(b.top), in(b.right), in(b.bottom)});
}

void Docuvel::drawRoundShape(RecordCode code, float X1, float Y1, float X2, const Variant& Y2,
                             const Variant& CornerWidth, const Variant& CornerHeight) {
    ensureOpen();
    const Box b = closedBox(X1, Y1, X2, Y2);
    // Both default corners come from the box's width.
    const float corner = float((double(b.right) - double(b.left)) * 0.25);
    const float cw = optionalSingle(CornerWidth).value_or(corner);
    const float ch = optionalSingle(CornerHeight).value_or(corner);
    emitPenAndFill();
    append(code, {in(b.left), in(b.top), in(b.right), in(b.bottom), in(cw), in(ch)});
}

void Docuvel::drawTriangle(RecordCode code, float X1, float Y1, float X2, float Y2, float X3,
                           float Y3) {
    ensureOpen();
    emitPenAndFill();
    append(code, {in(X1), in(Y1), in(X2), in(Y2), in(X3), in(Y3)});
}

void Docuvel::DrawRectangle(float X1, float Y1, float X2, const Variant& Y2) {
    drawClosedShape(RecordCode::Rectangle, X1, Y1, X2, Y2);
}

void Docuvel::DrawEllipse(float X1, float Y1, float X2, const Variant& Y2) {
    drawClosedShape(RecordCode::Ellipse, X1, Y1, X2, Y2);
}

void Docuvel::DrawRoundRectangle(float X1, float Y1, float X2, const Variant& Y2,
                                 const Variant& CornerWidth, const Variant& CornerHeight) {
    drawRoundShape(RecordCode::RoundRectangle, X1, Y1, X2, Y2, CornerWidth, CornerHeight);
}

void Docuvel::DrawTriangle(float X1, float Y1, float X2, float Y2, float X3, float Y3) {
    drawTriangle(RecordCode::Triangle, X1, Y1, X2, Y2, X3, Y3);
}

void Docuvel::DrawClipRectangle(float X1, float Y1, float X2, const Variant& Y2) {
    drawClosedShape(RecordCode::ClipRectangle, X1, Y1, X2, Y2);
    clipping_ = true;
}

void Docuvel::DrawClipEllipse(float X1, float Y1, float X2, const Variant& Y2) {
    drawClosedShape(RecordCode::ClipEllipse, X1, Y1, X2, Y2);
    clipping_ = true;
}

void Docuvel::DrawClipRoundRectangle(float X1, float Y1, float X2, const Variant& Y2,
                                     const Variant& CornerWidth, const Variant& CornerHeight) {
    drawRoundShape(RecordCode::ClipRoundRectangle, X1, Y1, X2, Y2, CornerWidth, CornerHeight);
    clipping_ = true;
}

void Docuvel::DrawClipTriangle(float X1, float Y1, float X2, float Y2, float X3, float Y3) {
    drawTriangle(RecordCode::ClipTriangle, X1, Y1, X2, Y2, X3, Y3);
    clipping_ = true;
}

// ---- polygons ----

void Docuvel::SetPolygonPoint(float X, float Y) {
    ensureOpen();
    // The record counts points in an Integer.
    if (polygon_.size() >= kMaxPolygonPoints)
        com::raise(com::StandardError::Overflow);
    polygon_.push_back({X, Y});
}

void Docuvel::ClearPolygonPoints() {
    ensureOpen();
    polygon_.clear();
}

void Docuvel::drawPolygon(RecordCode code, int error) {
    ensureOpen();
    if (polygon_.size() < 3)
        fail(error);
    emitPenAndFill();
    std::vector<Point> inches;
    inches.reserve(polygon_.size());
    for (const Point& p : polygon_)
        inches.push_back({in(p.x), in(p.y)});
    append(code, {std::span<const Point>(inches)});
}

void Docuvel::DrawPolygon() {
    drawPolygon(RecordCode::Polygon, 149);
}

void Docuvel::DrawClipPolygon() {
    drawPolygon(RecordCode::ClipPolygon, 164);
    clipping_ = true;
}

void Docuvel::StopClipping() {
    ensureOpen();
    if (!clipping_)
        return;
    append(RecordCode::StopClipping, {});
    clipping_ = false;
}

void Docuvel::NewPage() {
    ensureOpen();
    if (pageCount_ == std::numeric_limits<std::int16_t>::max())
        com::raise(com::StandardError::Overflow);
    StopClipping();
    append(RecordCode::PageBreak, {});
    ++pageCount_;
    pageStarts_.push_back(std::int32_t(file_->length() + 1));
    fontEmitted_ = penEmitted_ = fillEmitted_ = false;
}

// ---- flood fills and pictures ----

void Docuvel::DrawFill(float X, float Y, const Variant& BindingAreaColor) {
    ensureOpen();
    std::int32_t border = 0;
    if (BindingAreaColor.isText())
        border = paletteColorOf(trimSpaces(*BindingAreaColor.text())).value_or(-1);
    else if (const auto n = wholeValue(BindingAreaColor))
        border = *n;
    if (!fillEmitted_)
        writeFill(fill_);
    append(RecordCode::FloodFill, {in(X), in(Y), border});
}

void Docuvel::DrawPicture(const std::string& PictureFileName, float X1, float Y1, const Variant& XX,
                          const Variant& YY) {
    ensureOpen();
    if (!XX.isMissing() && !XX.isNumber())
        fail(214);
    if (!YY.isMissing() && !YY.isNumber())
        fail(215);
    const float xx = XX.isMissing() ? 0.f : float(*XX.number());
    const float yy = YY.isMissing() ? 0.f : float(*YY.number());

    std::error_code ec;
    if (PictureFileName.empty() || !FileExists(PictureFileName) ||
        !std::filesystem::is_regular_file(PictureFileName, ec)) {
        if (XX.isMissing() || YY.isMissing())
            return;
        // A white box with a black frame and both diagonals where the picture would be.
        const PenSetting pen = pen_;
        const FillSetting fill = fill_;
        SetPen(Variant(std::int16_t(1)), Variant("Black"));
        SetFill(Variant("solid"), Variant("white"), Variant("white"));
        DrawRectangle(X1, Y1, xx, Variant(yy));
        DrawLine(X1, Y1, xx, yy);
        DrawLine(xx, Y1, X1, yy);
        SetPen(Variant(pen.width), Variant(pen.color));
        SetFill(Variant(fill.style), Variant(fill.color), Variant(fill.background));
        return;
    }

    FileHandle picture(std::fopen(PictureFileName.c_str(), "rb"));
    if (!picture)
        com::raise(75, "Path/File access error");
    const auto size = std::filesystem::file_size(PictureFileName, ec);
    if (ec || size > std::uintmax_t(std::numeric_limits<std::int32_t>::max()))
        fail(kDeviceIoError);
    char signature[3] = {};
    const bool emf = std::fseek(picture.get(), kPictureSignatureOffset, SEEK_SET) == 0 &&
                     std::fread(signature, 1, 3, picture.get()) == 3 &&
                     std::string_view(signature, 3) == "EMF";
    if (emf && (XX.isMissing() || YY.isMissing()))
        fail(216);
    std::rewind(picture.get());
    append(RecordCode::Picture,
           {in(X1), in(Y1), in(xx), in(yy), ByteSource{picture.get(), std::int32_t(size)}});
    // The reader starts afresh after a raster picture; settings used on the page come back.
    if (fontEmitted_)
        writeFont(font_);
    if (penEmitted_)
        writePen(pen_);
    if (fillEmitted_)
        writeFill(fill_);
}

} // namespace docuvel
