// Figures built from other members (markers, arrows, the layout grid, the colour card) and the
// copying of template pages.

#include "component/document/Arguments.h"
#include "component/document/Docuvel.h"
#include "component/document/Environment.h"
#include "component/document/FontStyle.h"
#include "component/render/Utilities.h"
#include "platform/text/cp1252.h"

#include <array>

#include <cmath>
#include <cstdio>

namespace docuvel {
namespace {

constexpr double kPi = 3.141592;

// A pen width in points in the current unit; millimetres use 2.83 points each.
constexpr std::array<double, 5> kPointsPerUnit = {72.0, 28.346, 2.83, 0.05, 1.0};

double penInUnit(float points, Unit u) {
    return double(points) / kPointsPerUnit[std::size_t(static_cast<int>(u) - 1)];
}

struct GridRow {
    double spacing, labelOffset, factor;
    const char* caption;
    double captionPosition;
};

constexpr std::array<GridRow, 5> kGrid{{
    {0.25, 0.75, 1, "Inches", 0.25},
    {1, 2, 2.54, "Centimeters", 0.635},
    {7.5, 15, 25.4, "Millimeters", 6.35},
    {360, 720, 1440, "Twips", 360},
    {18, 54, 72, "Points", 18},
}};

struct Swatch {
    const char* fill;
    const char* label;
};

// Column by column, top to bottom.
constexpr std::array<std::array<Swatch, 13>, 3> kColorCard{{
    {{{"black", "Black"},
      {"dark gray", "Dark Gray"},
      {"gray", "Gray"},
      {"light gray", "Light Gray"},
      {"white", "White"},
      {"cobalt", "Cobalt Blue"},
      {"midnight blue", "Midnight Blue"},
      {"teal blue", "Teal Blue"},
      {"baby blue", "Baby Blue"},
      {"cyan", "Cyan"},
      {"army green", "Army Green"},
      {"hunter green", "Hunter Green"},
      {"dark green", "Dark Green"}}},
    {{{"olive", "Olive Green"},
      {"pea green", "Pea Green"},
      {"lime", "Lime Green"},
      {"green", "Green"},
      {"seafoam", "Seafoam Green"},
      {"yellow", "Bright Yellow"},
      {"canary", "Canary Yellow"},
      {"dark brown", "Dark Brown"},
      {"topaz", "Topaz"},
      {"camel", "Camel"},
      {"light brown", "Light Brown"},
      {"biege", "Biege"},
      {"orange", "Orange"}}},
    {{{"burnt orange", "Burnt Orange"},
      {"burgandy", "Burgandy"},
      {"electric red", "Electric Red"},
      {"barn red", "Barn Red"},
      {"dark red", "Dark Red"},
      {"dark blush", "Dark Blush"},
      {"light blush", "Light Blush"},
      {"pink", "Pink"},
      {"Magenta", "Magenta"},
      {"grape", "Grape"},
      {"purple", "Purple"},
      {"light grape", "Light Grape"},
      {"violet", "Violet"}}},
}};

} // namespace

// A grid label: point as separator, no leading zero, no trailing zeros ("0", ".5", "720").
std::string gridLabel(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", value);
    std::string s = buf;
    if (s.rfind("0.", 0) == 0)
        s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0)
        s.erase(1, 1);
    return s;
}

void Docuvel::DrawMarker(float X1, float Y1, float X2, float Y2) {
    ensureOpen();
    DrawLine(X1, Y1, X2, Y2);
    const float r = float(2 * penInUnit(pen_.width, unit_));
    const PenSetting pen = pen_;
    const FillSetting fill = fill_;
    SetPen(Variant(std::int16_t(1)), {});
    SetFill(Variant("solid"), Variant(pen_.color), {});
    DrawEllipse(X2, Y2, r, {});
    SetFill(Variant(fill.style), Variant(fill.color), {});
    SetPen(Variant(pen.width), {});
}

void Docuvel::DrawArrow(float X1, float Y1, float X2, float Y2) {
    ensureOpen();
    const double L = 4 * penInUnit(pen_.width, unit_);
    const double theta =
        X2 == X1 ? kPi / 2 : std::atan(std::fabs(double(Y2) - Y1) / std::fabs(double(X2) - X1));
    const double sx = X2 >= X1 ? -1 : 1;
    const double sy = (Y2 < Y1 || (Y2 == Y1 && X2 >= X1)) ? 1 : -1;
    const double deg = kPi / 180;
    const float ax = float(X2 + sx * L * std::sin(60 * deg - theta));
    const float ay = float(Y2 + sy * L * std::cos(60 * deg - theta));
    const float bx = float(X2 + sx * L * std::cos(theta - 30 * deg));
    const float by = float(Y2 + sy * L * std::sin(theta - 30 * deg));
    const float ex = float(X2 + sx * 0.75 * L * std::cos(theta));
    const float ey = float(Y2 + sy * 0.75 * L * std::sin(theta));
    DrawLine(X1, Y1, ex, ey);
    const FillSetting fill = fill_;
    const PenSetting pen = pen_;
    SetFill(Variant("solid"), Variant(pen_.color), {});
    SetPen(Variant(std::int16_t(0)), {});
    DrawTriangle(X2, Y2, ax, ay, bx, by);
    SetFill(Variant(fill.style), Variant(fill.color), {});
    SetPen(Variant(pen.width), {});
}

void Docuvel::DrawLayoutGrid() {
    ensureOpen();
    const GridRow& g = kGrid[std::size_t(static_cast<int>(unit_) - 1)];
    const PenSetting pen = pen_;
    const FontSetting font = font_;
    SetPen(Variant(0.5f), Variant("Black"));
    SetFont(Variant("Arial"), Variant(std::int16_t(6)), Variant("Plain"), Variant("Black"),
            Variant("White"));
    const double width = double(pageWidth_) * g.factor;
    const double height = double(pageHeight_) * g.factor;
    for (int i = 0; i * g.spacing <= width; ++i) {
        const float x = float(i * g.spacing);
        DrawLine(x, 0, x, float(height));
    }
    for (int i = 0; i * g.spacing <= height; ++i) {
        const float y = float(i * g.spacing);
        DrawLine(0, y, float(width), y);
        if (i % 2 == 0)
            DrawText(gridLabel(i * g.spacing), float(g.labelOffset), y, Variant("center"),
                     Variant("middleline"), {});
    }
    for (int i = 0; i * g.spacing <= width; i += 2)
        DrawText(gridLabel(i * g.spacing), float(i * g.spacing), float(g.labelOffset),
                 Variant("center"), Variant("middleline"), {});
    DrawText(g.caption, float(g.captionPosition), float(g.captionPosition), Variant("left"),
             Variant("ascentline"), {});
    SetPen(Variant(pen.width), Variant(pen.color));
    SetFont(Variant(font.name), Variant(font.size), Variant(font.style), Variant(font.color),
            Variant(font.background));
}

void Docuvel::DrawColorPalette(float X1, float Y1) {
    ensureOpen();
    const float x0 = in(X1);
    const float y0 = in(Y1);
    const Unit unit = unit_;
    struct RestoreUnit {
        Docuvel* self;
        Unit unit;
        ~RestoreUnit() { self->unit_ = unit; }
    } restore{this, unit};
    unit_ = Unit::Inches;
    SetFont(Variant("Arial"), Variant(std::int16_t(10)), Variant("plain"), Variant("black"), {});
    SetPen(Variant(std::int16_t(1)), Variant("black"));
    for (std::size_t c = 0; c < kColorCard.size(); ++c) {
        for (std::size_t r = 0; r < kColorCard[c].size(); ++r) {
            const Swatch& s = kColorCard[c][r];
            const float left = float(double(x0) + 2.0 * double(c));
            const float top = float(double(y0) + 0.5 * double(r));
            SetFill(Variant("solid"), Variant(s.fill), Variant("white"));
            DrawRectangle(left, top, float(double(left) + 0.25),
                          Variant(float(double(top) + 0.25)));
            DrawText(s.label, float(double(left) + 0.3), float(double(top) + 0.25), {}, {}, {});
        }
    }
}

void Docuvel::DrawTemplatePage(const std::string& FilePath, std::int16_t PageNumber) {
    ensureOpen();
    std::error_code ec;
    if (FilePath.empty() || !FileExists(FilePath) ||
        !std::filesystem::is_regular_file(FilePath, ec))
        fail(167);
    std::optional<RecordReader> reader;
    try {
        // The working file as it stands, in case it is the template.
        file_->flush();
        reader.emplace(FilePath);
        if (reader->length() < kHeaderSize ||
            reader->readBytes(kSignaturePrefix.size()) != kSignaturePrefix)
            fail(168, int(TemplateFault::NotDocument));
    } catch (const DocumentIoError&) {
        fail(168, int(TemplateFault::NotDocument));
    }
    const std::int16_t pageCount = reader->readHeader().pageCount;
    if (PageNumber > pageCount)
        fail(169);
    if (PageNumber <= 0)
        fail(170);

    std::int16_t code = 0;
    try {
        reader->seek(pageTableEntryPosition(reader->length(), pageCount, PageNumber));
        reader->seek(reader->readLong());
        code = reader->readInteger();
    } catch (const DocumentIoError&) {
        fail(168, int(TemplateFault::BadFirstRecord));
    }
    if (code == std::int16_t(RecordCode::PageBreak) ||
        code == std::int16_t(RecordCode::EndOfDocument))
        return;
    if (!isRecordCode(code))
        fail(168, int(TemplateFault::BadFirstRecord));

    for (;;) {
        if (!isRecordCode(code))
            fail(168, int(TemplateFault::BadLaterRecord));
        try {
            const std::int64_t start = reader->position();
            const Record r = reader->readFields(code);
            reader->seek(start);
            reader->copyFields(code, *file_);
            switch (static_cast<RecordCode>(code)) {
            case RecordCode::Font: {
                const std::string& name = r.text(0);
                font_.name = name == std::string(1, kTimesNewRomanByte) ? "Times New Roman"
                             : name == std::string(1, kArialByte)       ? "Arial"
                                                                        : cp1252::toUtf8(name);
                font_.size = r.single(1);
                font_.style = styleFromCode(r.text(2));
                font_.color = r.longValue(3);
                font_.background = r.longValue(4);
                fontEmitted_ = true;
                break;
            }
            case RecordCode::Pen:
                pen_ = {r.single(0), r.longValue(1)};
                penEmitted_ = true;
                break;
            case RecordCode::Fill:
                fill_ = {r.integer(0), r.longValue(1), r.longValue(2)};
                fillEmitted_ = true;
                break;
            default:
                break;
            }
            code = reader->readInteger();
        } catch (const DocumentIoError&) {
            fail(168, int(TemplateFault::BadLaterRecord));
        }
        if (code == std::int16_t(RecordCode::PageBreak) ||
            code == std::int16_t(RecordCode::EndOfDocument))
            return;
    }
}

} // namespace docuvel
