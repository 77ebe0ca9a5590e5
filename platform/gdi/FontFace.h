#pragma once
// A logical font resolved to an installed face, with the metrics and whole-pixel advances that
// both measuring and drawing use.

#include "platform/gdi/Gdi.h"

#include <QRawFont>
#include <QString>

#include <array>
#include <memory>
#include <string_view>
#include <vector>

namespace gdi {

class FontFace {
public:
    static std::shared_ptr<const FontFace> resolve(const LogFont& logFont);

    // The face's family name as asked for: byte codes and an empty name resolved.
    static QString familyName(std::string_view faceName);

    QRawFont raw;      // at the character height in logical units
    double xScale = 1; // horizontal stretch for a requested average width
    double angle = 0;  // escapement in degrees, counter-clockwise
    TEXTMETRICA metrics;
    double underlinePosition = 0; // below the base line, logical units
    double underlineThickness = 1;
    double strikeOutPosition = 0; // above the base line
    double strikeOutThickness = 1;

    // Text of Windows-1252 bytes as characters, and the advance after each character in whole
    // logical units: the design advances are summed exactly and each position rounded, so the
    // rounding never accumulates along a line and a line scales with its resolution.
    QString decode(std::string_view bytes) const;
    void advances(std::string_view bytes, std::vector<int>& dx) const;
    int width(std::string_view bytes) const;
    double exactWidth(std::string_view bytes) const; // before rounding: parts add up
    // Advances of any text (foreign metafiles), from the face.
    void advances(const QString& text, std::vector<int>& dx) const;
    std::vector<quint32> glyphs(const QString& text) const;

private:
    static std::shared_ptr<const FontFace> make(const LogFont& logFont);

    std::array<quint32, 256> byteGlyphs_{};
    std::array<double, 256> byteAdvances_{};
};

} // namespace gdi
