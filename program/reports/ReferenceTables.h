#pragma once
// The three NEC quick reference tables as fixed-pitch text lines.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ampleton {

// Element 0 is the title, elements 1..N the body.
using TableLines = std::vector<std::string>;

struct ReferenceTableLayout {
    std::string_view key;
    int lastElement;            // N
    std::span<const int> rules; // body elements drawn as a horizontal rule
    int secondPageFrom;         // first element of page 2, or 0 for a one-page table
};

inline constexpr std::string_view kCookingUnitDemandKey = "CookingUnitDemand";
inline constexpr std::string_view kGroundElectrodeKey = "GroundElectrode";
inline constexpr std::string_view kNote3Key = "Note3";

// The layout of the table with this key, or nullptr for any other key.
const ReferenceTableLayout* findReferenceTable(std::string_view key);

// The lines of the table with this key, elements 0..N; nullopt for any other key.
std::optional<TableLines> buildReferenceTable(std::string_view key);

} // namespace ampleton
