// The font setting: SetFont, the font properties and the font record.

#include "component/document/Arguments.h"
#include "component/document/Docuvel.h"
#include "component/document/FontStyle.h"
#include "component/document/Palette.h"
#include "component/document/TextUtil.h"
#include "platform/text/cp1252.h"

namespace docuvel {
namespace {

// Cuts a UTF-8 text to its first n characters.
std::string firstCharacters(const std::string& s, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n && pos < s.size(); ++i)
        cp1252::nextCodePoint(s, pos);
    return s.substr(0, pos);
}

// Errors of the style rules, for SetFont and for the FontStyle property.
struct StyleErrors {
    int empty, twoWeights, wideAndNarrow, plainWithOthers, unknown;
};
constexpr StyleErrors kSetFontStyleErrors{141, 142, 143, 144, 145};
constexpr StyleErrors kPropertyStyleErrors{191, 187, 188, 189, 190};

std::string checkedStyle(const std::string& text, const StyleErrors& errors) {
    auto parsed = parseFontStyle(text);
    if (auto* style = std::get_if<std::string>(&parsed))
        return std::move(*style);
    switch (std::get<StyleFault>(parsed)) {
    case StyleFault::Empty:
        fail(errors.empty);
    case StyleFault::TwoWeights:
        fail(errors.twoWeights);
    case StyleFault::WideAndNarrow:
        fail(errors.wideAndNarrow);
    case StyleFault::PlainWithOthers:
        fail(errors.plainWithOthers);
    case StyleFault::Unknown:
        break;
    }
    fail(errors.unknown);
}

} // namespace

void Docuvel::writeFont(const FontSetting& font) {
    const std::string lower = lowerAscii(font.name);
    std::string name = lower == "times new roman" ? std::string(1, kTimesNewRomanByte)
                       : lower == "arial"         ? std::string(1, kArialByte)
                                                  : cp1252::fromUtf8(font.name);
    const std::string code = styleCode(font.style);
    append(RecordCode::Font, {std::string_view(name), font.size, std::string_view(code), font.color,
                              font.background});
    font_ = font;
    fontEmitted_ = true;
}

void Docuvel::emitFont() {
    if (!fontEmitted_)
        writeFont(font_);
}

void Docuvel::SetFont(const Variant& FontName, const Variant& FontPointSize,
                      const Variant& FontStyle, const Variant& FontForeColor,
                      const Variant& FontBackColor) {
    ensureOpen();
    FontSetting font = font_;
    if (!FontName.isMissing()) {
        const auto name = FontName.text();
        if (!name || name->empty())
            fail(217);
        font.name = firstCharacters(expandFaceName(*name), kMaxFaceLength);
    }
    if (!FontPointSize.isMissing()) {
        if (!FontPointSize.isNumber())
            fail(140);
        const double size = *FontPointSize.number();
        if (size < 4 || size > 2000)
            fail(139);
        font.size = float(size);
    }
    if (!FontStyle.isMissing()) {
        if (!FontStyle.isText())
            fail(146);
        font.style = checkedStyle(*FontStyle.text(), kSetFontStyleErrors);
    }
    if (!FontForeColor.isMissing()) {
        std::optional<std::int32_t> color;
        if (FontForeColor.isText())
            color = paletteColorOf(trimSpaces(*FontForeColor.text()));
        else if (FontForeColor.isNumber() && isColor(*FontForeColor.number()))
            color = FontForeColor.roundedLong();
        if (!color)
            fail(147);
        font.color = *color;
    }
    if (!FontBackColor.isMissing()) {
        std::optional<std::int32_t> color;
        if (FontBackColor.isText()) {
            const std::string lower = lowerAscii(*FontBackColor.text());
            if (lower == "hollow" || lower == "transparent" || lower == "none")
                color = kTransparent;
            else
                color = paletteColor(trimSpaces(lower));
        } else if (FontBackColor.isNumber() && isColor(*FontBackColor.number())) {
            color = FontBackColor.roundedLong();
        }
        if (!color)
            fail(148);
        font.background = *color;
    }
    writeFont(font);
}

void Docuvel::let_FontName(const std::string& value) {
    ensureOpen();
    if (trimSpaces(value).empty())
        fail(185);
    SetFont(Variant(expandFaceName(value)), {}, {}, {}, {});
}

void Docuvel::let_FontStyle(const std::string& value) {
    ensureOpen();
    SetFont({}, {}, Variant(checkedStyle(value, kPropertyStyleErrors)), {}, {});
}

} // namespace docuvel
