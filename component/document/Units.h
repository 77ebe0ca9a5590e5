#pragma once
// The five units of measure a client may work in, and their conversion to inches.

#include <array>
#include <cstdint>

namespace docuvel {

enum class Unit : std::int16_t { Inches = 1, Centimeters, Millimeters, Twips, Points };

inline constexpr std::array<double, 5> kUnitsPerInch = {1.0, 2.54, 25.4, 1440.0, 72.0};

inline constexpr bool isUnit(int u) {
    return u >= 1 && u <= 5;
}

inline constexpr double unitsPerInch(Unit u) {
    return kUnitsPerInch[std::size_t(static_cast<int>(u) - 1)];
}

inline constexpr float toInches(float value, Unit u) {
    return float(double(value) / unitsPerInch(u));
}
inline constexpr float fromInches(float inches, Unit u) {
    return float(double(inches) * unitsPerInch(u));
}

} // namespace docuvel
