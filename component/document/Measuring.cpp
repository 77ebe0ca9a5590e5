// Measuring texts against the current printer, and fitting wrapped text into its rectangle.

#include "component/document/Docuvel.h"
#include "component/document/Environment.h"
#include "component/document/FontStyle.h"
#include "component/document/LogicalFont.h"
#include "component/document/Placeholders.h"
#include "platform/text/cp1252.h"

#include <array>
#include <cmath>

namespace docuvel {
namespace {

double roundTo4(double v) {
    return std::nearbyint(v * 10000) / 10000;
}

// The printer's measuring context with the object's font selected for one call.
class MeasuringContext {
public:
    MeasuringContext(const FontSetting& font)
        : caps_(printerCaps()), dc_(caps_),
          font_(createLogicalFont(cp1252::fromUtf8(font.name), font.size, styleCode(font.style),
                                  caps_.logPixelsY)) {
        previous_ = gdi::SelectObject(dc_, font_);
    }
    ~MeasuringContext() {
        gdi::SelectObject(dc_, previous_);
        gdi::DeleteObject(font_);
    }
    MeasuringContext(const MeasuringContext&) = delete;
    MeasuringContext& operator=(const MeasuringContext&) = delete;

    gdi::Dc& dc() { return dc_; }
    const gdi::DeviceCaps& caps() const { return caps_; }

private:
    gdi::DeviceCaps caps_;
    gdi::Dc dc_;
    gdi::HFONT font_;
    gdi::HFONT previous_;
};

constexpr unsigned kCalc = gdi::DT_CALCRECT | gdi::DT_NOPREFIX;

std::string measuredText(const std::string& utf8) {
    const std::string bytes = cp1252::fromUtf8(utf8);
    return holdsPlaceholder(bytes) ? ExpandPlaceholders(bytes) : bytes;
}

constexpr std::array<int, 8> kSteps = {3000, 1500, 1000, 500, 100, 50, 20, 1};

int firstStep(std::size_t length) {
    for (int s : kSteps)
        if (s == 1 || length > std::size_t(s))
            return s;
    return 1;
}

int nextStep(int s) {
    for (std::size_t i = 0; i + 1 < kSteps.size(); ++i)
        if (kSteps[i] == s)
            return kSteps[i + 1];
    return 1;
}

// The part of a prefix before its last space; a prefix without a space stays whole.
std::string_view cutBackToWord(std::string_view prefix) {
    const auto space = prefix.rfind(' ');
    return space == std::string_view::npos ? prefix : prefix.substr(0, space);
}

} // namespace

float Docuvel::GetTextWidth(const std::string& StringToDraw) {
    const std::string text = measuredText(StringToDraw);
    if (text.empty())
        return 0;
    MeasuringContext m(font_);
    gdi::RECT r{};
    gdi::DrawTextA(m.dc(), text, &r, kCalc);
    return float(roundTo4(double(r.right) / m.caps().logPixelsX * unitsPerInch(unit_)));
}

float Docuvel::GetTextHeight(const std::string& StringToDraw) {
    const std::string text = measuredText(StringToDraw);
    if (text.empty())
        return 0;
    MeasuringContext m(font_);
    gdi::RECT r{};
    const int height = gdi::DrawTextA(m.dc(), text, &r, kCalc);
    return float(roundTo4(double(height) / m.caps().logPixelsY * unitsPerInch(unit_)));
}

float Docuvel::GetWrapTextHeight(const std::string& StringToDraw, float TextRectWidth) {
    const std::string text = measuredText(StringToDraw);
    if (text.empty())
        return 0;
    MeasuringContext m(font_);
    const double inches = double(TextRectWidth) / unitsPerInch(unit_);
    gdi::RECT r{0, 0, int(std::nearbyint(inches * m.caps().logPixelsX)), 0};
    gdi::DrawTextA(m.dc(), text, &r, kCalc | gdi::DT_WORDBREAK);
    return float(roundTo4(double(r.bottom) / m.caps().logPixelsY * unitsPerInch(unit_)));
}

std::string Docuvel::fitWrapText(const std::string& given, float X1, float Y1, float X2, float Y2) {
    if (given.empty())
        return {};
    const std::string text = holdsPlaceholder(given) ? ExpandPlaceholders(given) : given;
    MeasuringContext m(font_);
    const auto pixels = [&](float v, int dpi) {
        return int(std::nearbyint(roundTo4(double(v) / unitsPerInch(unit_) * dpi)));
    };
    const gdi::RECT box{pixels(X1, m.caps().logPixelsX), pixels(Y1, m.caps().logPixelsY),
                        pixels(X2, m.caps().logPixelsX), pixels(Y2, m.caps().logPixelsY)};
    if (box.bottom - box.top <= 0)
        return text;
    const auto fits = [&](std::string_view candidate) {
        gdi::RECT r = box;
        gdi::DrawTextA(m.dc(), candidate, &r, kCalc | gdi::DT_WORDBREAK);
        return r.bottom - 10 <= box.bottom;
    };
    if (fits(text))
        return {};
    std::size_t n = text.size();
    int s = firstStep(n);
    std::string_view candidate;
    for (;;) {
        n = n >= std::size_t(s) ? n - std::size_t(s) : 0;
        candidate = cutBackToWord(std::string_view(text).substr(0, n));
        const bool ok = fits(candidate);
        if (ok && s == 1)
            break;
        // At the smallest step the prefix keeps shrinking until it fits; the empty one always
        // does, so the search ends even when not one character fits.
        if (s > 1 && (ok || n < std::size_t(s) + 1)) {
            n += std::size_t(s);
            s = nextStep(s);
        }
    }
    return text.substr(candidate.size());
}

} // namespace docuvel
