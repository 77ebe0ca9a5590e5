// Plain, wrapped and rotated text: argument rules and the text records.

#include "component/document/Arguments.h"
#include "component/document/Docuvel.h"
#include "component/document/Environment.h"
#include "component/document/TextUtil.h"
#include "component/render/Utilities.h"
#include "platform/text/cp1252.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

namespace docuvel {
namespace {

struct Word {
    std::string_view text;
    std::int16_t value;
};

constexpr Word kAlignments[] = {{"left", 1}, {"l", 1},     {"center", 2},
                                {"c", 2},    {"right", 3}, {"r", 3}};
constexpr Word kBaseLines[] = {
    {"ascentline", 1}, {"topline", 2}, {"middleline", 3}, {"baseline", 4}, {"descentline", 5}};

template <std::size_t N>
std::optional<std::int16_t> lookUp(const Word (&table)[N], const std::string& lower) {
    for (const Word& w : table)
        if (w.text == lower)
            return w.value;
    return std::nullopt;
}

constexpr std::uintmax_t kMaxWrapTextFile = 32000;

// Texts are stored with an Integer length.
std::string recordText(const std::string& utf8) {
    std::string bytes = cp1252::fromUtf8(utf8);
    if (bytes.size() > std::size_t(std::numeric_limits<std::int16_t>::max()))
        com::raise(com::StandardError::Overflow);
    return bytes;
}

} // namespace

std::int16_t Docuvel::alignmentArgument(const Variant& v, int error) {
    std::optional<std::int16_t> alignment;
    if (v.isMissing())
        alignment = lastAlignment_ != 0 ? lastAlignment_ : std::int16_t(1);
    else if (v.isText())
        alignment = lookUp(kAlignments, lowerAscii(*v.text()));
    else if (const auto n = v.roundedInteger(); v.isNumber() && n && *n >= 1 && *n <= 3)
        alignment = n;
    if (!alignment)
        fail(error);
    lastAlignment_ = *alignment;
    return *alignment;
}

std::int16_t Docuvel::baseLineArgument(const Variant& v, int error) {
    std::optional<std::int16_t> baseLine;
    if (v.isMissing())
        baseLine = lastBaseLine_ != 0 ? lastBaseLine_ : std::int16_t(4);
    else if (v.isText())
        baseLine = lookUp(kBaseLines, lowerAscii(*v.text()));
    else if (v.isNumber() && *v.number() >= 1 && *v.number() <= 5)
        baseLine = v.roundedInteger();
    if (!baseLine)
        fail(error);
    lastBaseLine_ = *baseLine;
    return *baseLine;
}

void Docuvel::DrawText(const std::string& StringToDraw, float X1, float Y1,
                       const Variant& TextAlignment, const Variant& BaseOption,
                       const Variant& MaxWidth) {
    ensureOpen();
    const std::int16_t alignment = alignmentArgument(TextAlignment, 150);
    float maxWidth = 0;
    if (!MaxWidth.isMissing()) {
        if (!MaxWidth.isNumber())
            fail(151);
        maxWidth = float(*MaxWidth.number());
    }
    const std::int16_t baseLine = baseLineArgument(BaseOption, 152);
    const std::string text = recordText(StringToDraw);
    emitFont();
    append(RecordCode::Text,
           {in(X1), in(Y1), in(maxWidth), alignment, std::string_view(text), baseLine});
}

void Docuvel::DrawWrapText(const std::string& StringToDraw, float X1, float Y1, float X2, float Y2,
                           const Variant& TextAlignment, const Variant& BaseOption,
                           Variant& RemainingText) {
    ensureOpen();
    const bool wantsRemainder = !RemainingText.isMissing();
    if (wantsRemainder && !RemainingText.isText())
        fail(171);
    const std::int16_t alignment = alignmentArgument(TextAlignment, 172);
    const std::int16_t baseLine = baseLineArgument(BaseOption, 173);
    std::string text = StringToDraw; // UTF-8 from the client, or the bytes of a text file
    bool fromFile = false;
    std::error_code ec;
    if (!StringToDraw.empty() && FileExists(StringToDraw) &&
        std::filesystem::is_regular_file(StringToDraw, ec)) {
        if (std::filesystem::file_size(StringToDraw, ec) > kMaxWrapTextFile)
            fail(174);
        std::ifstream in(StringToDraw, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
        fromFile = true;
    }
    std::string bytes = fromFile ? text : recordText(text);
    emitFont();
    std::string remaining;
    if (!bytes.empty() && wantsRemainder) {
        const std::string rest = fitWrapText(bytes, X1, Y1, X2, Y2);
        bytes.resize(rest.size() >= bytes.size() ? 0 : bytes.size() - rest.size());
        remaining = cp1252::toUtf8(trimSpaces(rest));
    }
    append(RecordCode::WrapText,
           {in(X1), in(Y1), in(X2), in(Y2), alignment, std::string_view(bytes), baseLine});
    if (wantsRemainder)
        RemainingText.assignText(remaining);
}

void Docuvel::DrawRotatedText(const std::string& StringToDraw, float X1, float Y1,
                              std::int16_t TextAngle, const Variant& TextAlignment) {
    ensureOpen();
    const std::int16_t alignment = alignmentArgument(TextAlignment, 165);
    if (TextAngle < 1 || TextAngle > 359)
        fail(166);
    const std::string text = recordText(StringToDraw);
    emitFont();
    append(RecordCode::RotatedText, {in(X1), in(Y1), alignment, std::string_view(text), TextAngle});
}

} // namespace docuvel
