#pragma once
// How the members read their variant arguments, and how they raise their numbered errors.

#include "component/document/ErrorTexts.h"
#include "platform/com/Error.h"
#include "platform/com/Variant.h"

#include <cstdint>
#include <optional>
#include <string>

namespace docuvel {

[[noreturn]] inline void fail(int number, int variant = 0) {
    com::raise(number, std::string(errorText(number, variant)));
}

// An Integer or Long: the only types a colour number may have in SetPen and SetFill.
inline bool isWhole(const com::Variant& v) {
    return v.type() == com::VarType::Integer || v.type() == com::VarType::Long;
}

inline std::optional<std::int32_t> wholeValue(const com::Variant& v) {
    return isWhole(v) ? v.roundedLong() : std::nullopt;
}

inline bool isColor(double v) {
    return v >= 0 && v <= 0xFFFFFF;
}

// Y2, CornerWidth and CornerHeight: a Single when given.
inline std::optional<float> optionalSingle(const com::Variant& v) {
    if (v.isMissing())
        return std::nullopt;
    return v.toSingle();
}

} // namespace docuvel
