#include "component/document/RecordFormat.h"

#include <array>

namespace docuvel {
namespace {

using K = FieldKind;

constexpr std::array kFourSingles{K::Single, K::Single, K::Single, K::Single};
constexpr std::array kTwoSingles{K::Single, K::Single};
constexpr std::array kSixSingles{K::Single, K::Single, K::Single, K::Single, K::Single, K::Single};
constexpr std::array kPoints{K::Points};
constexpr std::array kFloodFill{K::Single, K::Single, K::Long};
constexpr std::array kPicture{K::Single, K::Single, K::Single, K::Single, K::Bytes};
constexpr std::array kText{K::Single, K::Single, K::Single, K::Integer, K::Text, K::Integer};
constexpr std::array kWrapText{K::Single,  K::Single, K::Single, K::Single,
                               K::Integer, K::Text,   K::Integer};
constexpr std::array kRotatedText{K::Single, K::Single, K::Integer, K::Text, K::Integer};
constexpr std::array kFont{K::Text, K::Single, K::Text, K::Long, K::Long};
constexpr std::array kPen{K::Single, K::Long, K::Integer};
constexpr std::array kFill{K::Integer, K::Long, K::Long};

struct Layout {
    RecordCode code;
    std::span<const FieldKind> fields;
};

constexpr std::array<Layout, 21> kLayouts{{
    {RecordCode::Line, kFourSingles},
    {RecordCode::LineTo, kTwoSingles},
    {RecordCode::Location, kTwoSingles},
    {RecordCode::Ellipse, kFourSingles},
    {RecordCode::ClipEllipse, kFourSingles},
    {RecordCode::Rectangle, kFourSingles},
    {RecordCode::ClipRectangle, kFourSingles},
    {RecordCode::RoundRectangle, kSixSingles},
    {RecordCode::ClipRoundRectangle, kSixSingles},
    {RecordCode::Polygon, kPoints},
    {RecordCode::ClipPolygon, kPoints},
    {RecordCode::Triangle, kSixSingles},
    {RecordCode::ClipTriangle, kSixSingles},
    {RecordCode::FloodFill, kFloodFill},
    {RecordCode::Picture, kPicture},
    {RecordCode::Text, kText},
    {RecordCode::WrapText, kWrapText},
    {RecordCode::RotatedText, kRotatedText},
    {RecordCode::Font, kFont},
    {RecordCode::Pen, kPen},
    {RecordCode::Fill, kFill},
}};

} // namespace

std::span<const FieldKind> recordLayout(std::int16_t code) {
    for (const Layout& layout : kLayouts)
        if (static_cast<std::int16_t>(layout.code) == code)
            return layout.fields;
    return {};
}

} // namespace docuvel
