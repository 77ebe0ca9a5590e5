#include "component/document/LogicalFont.h"

#include "component/document/RecordFormat.h"

#include <cmath>

namespace docuvel {

gdi::LogFont logicalFont(std::string_view face, float size, std::string_view code, int dpiY) {
    const auto has = [&](char letter) {
        return code.find(letter) != std::string_view::npos;
    };
    gdi::LogFont f;
    f.faceName = face == std::string_view(&kTimesNewRomanByte, 1) ? "Times New Roman"
                 : face == std::string_view(&kArialByte, 1)       ? "Arial"
                                                                  : std::string(face);
    const int n = int(std::nearbyint(double(size) * 100));
    const int h = gdi::MulDiv(n, dpiY, 72);
    f.height = -int(std::nearbyint(h / 100.0));
    f.weight = has('l') ? 100 : has('b') ? 700 : has('h') ? 1000 : 400;
    if (has('w'))
        f.width = int(std::nearbyint(std::abs(f.height) / 2.0));
    else if (has('n'))
        f.width = int(std::nearbyint(std::abs(f.height) / 4.0));
    f.italic = has('i');
    f.underline = has('u');
    f.strikeOut = has('s');
    return f;
}

gdi::HFONT createLogicalFont(std::string_view face, float size, std::string_view code, int dpiY) {
    const gdi::LogFont f = logicalFont(face, size, code, dpiY);
    return gdi::CreateFontA(f.height, f.width, 0, 0, f.weight, f.italic, f.underline, f.strikeOut,
                            gdi::DEFAULT_CHARSET, gdi::OUT_DEFAULT_PRECIS, gdi::CLIP_DEFAULT_PRECIS,
                            gdi::PROOF_QUALITY, gdi::DEFAULT_PITCH, f.faceName);
}

} // namespace docuvel
