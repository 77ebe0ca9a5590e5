// Playback of the font and text records onto the page recording.
#include "component/document/LogicalFont.h"
#include "component/document/Placeholders.h"
#include "component/render/PagePlayback.h"

namespace docuvel {
namespace {

constexpr char kTimesNewRoman[] = "Times New Roman";

std::int32_t px(float v) {
    return toInt32(v);
}

gdi::Dc& rec(RendererState& s) {
    return *s.recording;
}

std::string readText(RecordReader& file) {
    const std::int16_t n = file.readInteger();
    if (n < 0)
        throw DocumentIoError("negative text length");
    return file.readBytes(std::size_t(n));
}

// Selects a font made from the text state and deletes the one it replaces.
void selectFont(RendererState& s, std::int32_t escapement) {
    gdi::LogFont lf;
    lf.height = s.text.height;
    lf.width = s.text.width;
    lf.escapement = escapement;
    lf.orientation = escapement;
    lf.weight = s.text.weight;
    lf.italic = s.text.italic;
    lf.underline = s.text.underline;
    lf.strikeOut = s.text.strikeout;
    lf.faceName = s.text.faceName;
    s.font = gdi::CreateFontIndirect(lf);
    gdi::SelectObject(rec(s), s.font);
    s.text.rotation = escapement;
}

// What every text record does before drawing: placeholders, background and font. Returns the
// recording's background settings to restore afterwards.
struct SavedBackground {
    gdi::BkMode mode;
    gdi::COLORREF colour;
};

SavedBackground prepareText(RendererState& s, std::string& text,
                            std::optional<std::int16_t> angle) {
    if (text.find('\t') != std::string::npos || holdsPlaceholder(text))
        text = ExpandPlaceholders(text);
    const SavedBackground saved{gdi::GetBkMode(rec(s)), gdi::GetBkColor(rec(s))};
    if (s.text.background == kTransparent) {
        gdi::SetBkMode(rec(s), gdi::TRANSPARENT);
    } else {
        gdi::SetBkMode(rec(s), gdi::OPAQUE);
        gdi::SetBkColor(rec(s), gdi::COLORREF(s.text.background));
    }
    const bool noFontYet = s.text.faceName.empty();
    if (noFontYet) {
        s.text.faceName = kTimesNewRoman;
        s.text.height = -42;
        s.text.width = 0;
        s.text.weight = 400;
        s.text.italic = s.text.underline = s.text.strikeout = false;
    }
    if (angle)
        selectFont(s, std::int32_t(*angle) * 10);
    else if (noFontYet || s.text.rotation != 0)
        selectFont(s, 0);
    return saved;
}

void restoreBackground(RendererState& s, const SavedBackground& saved) {
    gdi::SetBkMode(rec(s), saved.mode);
    gdi::SetBkColor(rec(s), saved.colour);
}

unsigned alignmentFlag(std::int16_t alignment) {
    switch (TextAlignment(alignment)) {
    case TextAlignment::Centre:
        return gdi::DT_CENTER;
    case TextAlignment::Right:
        return gdi::DT_RIGHT;
    case TextAlignment::Left:
        break;
    }
    return gdi::DT_LEFT;
}

TextCell cellOf(RendererState& s) {
    gdi::TEXTMETRICA tm;
    gdi::GetTextMetricsA(rec(s), &tm);
    return {tm.tmHeight, tm.tmAscent, tm.tmInternalLeading};
}

} // namespace

void playFont(RendererState& s, RecordReader& file) {
    const std::string name = readText(file);
    const float size = file.readSingle();
    const std::string style = readText(file);
    const std::int32_t colour = file.readLong();
    s.text.background = file.readLong();

    const gdi::LogFont lf = logicalFont(name, size, style, s.printer.logPixelsY);
    s.text.faceName = lf.faceName.empty() ? kTimesNewRoman : lf.faceName;
    s.text.height = lf.height;
    s.text.width = lf.width;
    s.text.weight = lf.weight;
    s.text.italic = lf.italic;
    s.text.underline = lf.underline;
    s.text.strikeout = lf.strikeOut;

    gdi::SetTextColor(rec(s), gdi::COLORREF(colour));
    s.font = gdi::CreateFontIndirect(lf);
    gdi::SelectObject(rec(s), s.font);
    s.text.rotation = 0;
}

void playText(RendererState& s, RecordReader& file) {
    s.x1 = file.readSingle();
    s.y1 = file.readSingle();
    const float maxWidthInches = file.readSingle();
    const std::int16_t alignment = file.readInteger();
    std::string text = readText(file);
    const std::int16_t baseLine = file.readInteger();
    MapToDevice(s);
    const SavedBackground saved = prepareText(s, text, std::nullopt);
    const std::int32_t maxWidth =
        maxWidthInches > 0 ? px(inchesToDevice(maxWidthInches, s.printer.logPixelsX)) : 0;

    const float top = cellTop(s.y1, baseLine, cellOf(s));
    gdi::SIZE extent{};
    gdi::GetTextExtentPoint32A(rec(s), text, &extent);
    const DeviceRect box = textRectangle(s.x1, top, extent.cx + 5, extent.cy, maxWidth, alignment);
    gdi::RECT r{box.left, box.top, box.right, box.bottom};
    gdi::DrawTextA(rec(s), text, &r,
                   gdi::DT_NOPREFIX | gdi::DT_WORDBREAK | gdi::DT_SINGLELINE |
                       alignmentFlag(alignment));
    restoreBackground(s, saved);
}

void playWrapText(RendererState& s, RecordReader& file) {
    s.x1 = file.readSingle();
    s.y1 = file.readSingle();
    s.x2 = file.readSingle();
    s.y2 = file.readSingle();
    const std::int16_t alignment = file.readInteger();
    std::string text = readText(file);
    const std::int16_t baseLine = file.readInteger();
    MapToDevice(s);
    const SavedBackground saved = prepareText(s, text, std::nullopt);

    const float top = cellTop(s.y1, baseLine, cellOf(s));
    gdi::RECT r{px(s.x1), px(top), px(s.x2), px(s.y2)};
    gdi::DrawTextA(rec(s), text, &r,
                   gdi::DT_NOPREFIX | gdi::DT_WORDBREAK | alignmentFlag(alignment));
    restoreBackground(s, saved);
}

void playRotatedText(RendererState& s, RecordReader& file) {
    s.x1 = file.readSingle();
    s.y1 = file.readSingle();
    const std::int16_t alignment = file.readInteger();
    std::string text = readText(file);
    const std::int16_t angle = file.readInteger();
    MapToDevice(s);
    const SavedBackground saved = prepareText(s, text, angle);

    gdi::SIZE extent{};
    gdi::GetTextExtentPoint32A(rec(s), text, &extent);
    rotatedTextStart(s.x1, s.y1, angle, alignment, extent.cx);
    gdi::TextOutA(rec(s), px(s.x1), px(s.y1), text);
    restoreBackground(s, saved);
}

} // namespace docuvel
