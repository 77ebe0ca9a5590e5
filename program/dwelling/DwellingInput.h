#pragma once
// Everything entered for one dwelling, as the dwelling window holds it and a dwelling file stores
// it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ampleton {

inline constexpr int kEntryCount = 20;

// Indices of the numeric entries that the rules name.
enum Entry : int {
    FloorArea = 0,
    SmallApplianceCircuits = 1,
    LaundryCircuits = 2,
    HeatingLoad = 3,
    CoolingLoad = 4,
    Cooktop = 5,
    Range = 6,
    WallOven = 7,
    Dryer = 8,
    WaterHeater = 9,
    AtticFan = 10,
    Compactor = 11,
    Dishwasher = 12,
    Disposal = 13,
    Jacuzzi = 14,
    SumpPump = 15,
    WellPump = 16,
    OtherAppliance1 = 17,
    OtherAppliance2 = 18,
    OtherLighting = 19,
};

// Caption shown beside each numeric field; the report repeats them.
inline constexpr std::array<std::string_view, kEntryCount> kEntryCaptions = {
    "Dwelling Square Ft.",
    "Qty. Small App. Ccts.",
    "Qty. Laundry Ccts.",
    "Heating Load",
    "Cooling Load",
    "Cooktop",
    "Range",
    "Wall Oven",
    "Dryer",
    "Water Heater",
    "Attic Fan",
    "Compactor",
    "Dishwasher",
    "Disposal",
    "Jacuzzi",
    "Sump Pump",
    "Well Pump",
    "Other Appliance #1",
    "Other Appliance #2",
    "Other Lighting Load"};

// Characters a numeric field admits.
inline constexpr int entryMaxLength(int index) {
    return (index == SmallApplianceCircuits || index == LaundryCircuits) ? 2 : 5;
}

inline constexpr int kNameMaxLength = 24;

enum class NecMethod { Standard, Optional, Addition };

// Option texts of the method group, in the order of its buttons.
inline constexpr std::array<std::string_view, 3> kMethodCaptions = {
    "Standard", "Optional", "Addition to Existing Dwelling"};

// Entries of the heat-type list, index 0..3.
inline constexpr std::array<std::string_view, 4> kHeatTypes = {
    "Thermal storage or other types where load is expected to be continuous.",
    "One central space heating unit and/or supplimentary unit in heat pump.",
    "Less than four separately controlled electric space heating units.",
    "Four or more separately controlled electric space heating units."};

// Index of the heat-type entry with exactly this text, or -1.
inline int heatTypeIndex(std::string_view text) {
    for (std::size_t i = 0; i < kHeatTypes.size(); ++i)
        if (kHeatTypes[i] == text)
            return int(i);
    return -1;
}

// Two option buttons of which normally exactly one is set; each flag is tested on its own.
struct OptionPair {
    bool first = true;
    bool second = false;

    // Setting one button selects it within the pair; clearing it only clears it.
    void set(bool which, bool on) {
        if (on) {
            first = !which;
            second = which;
        } else {
            (which ? second : first) = false;
        }
    }
    friend bool operator==(const OptionPair&, const OptionPair&) = default;
};

struct OtherAppliance {
    std::string name; // UTF-8, at most kNameMaxLength characters
    OptionPair motor; // first "Motor", second "NonMotor"
    OptionPair fixed; // first "Fixed", second "Portable"

    bool isMotor() const { return motor.first; }
    bool isNonMotor() const { return motor.second; }
    bool isFixed() const { return fixed.first; }
    bool isPortable() const { return fixed.second; }
    friend bool operator==(const OtherAppliance&, const OtherAppliance&) = default;
};

struct OtherLightingLoad {
    std::string name;
    OptionPair continuous; // first "Continuous", second "NonContinuous"

    bool isContinuous() const { return continuous.first; }
    bool isNonContinuous() const { return continuous.second; }
    friend bool operator==(const OtherLightingLoad&, const OtherLightingLoad&) = default;
};

struct DwellingInput {
    std::array<std::string, kEntryCount> entryTexts; // the numeric fields as typed
    std::array<bool, 3> methodOptions = {true, false, false};
    int heatType = -1; // -1: nothing selected
    OtherAppliance otherApp1;
    OtherAppliance otherApp2;
    OtherLightingLoad otherLighting;

    // The first method whose option is set.
    std::optional<NecMethod> method() const {
        for (int i = 0; i < 3; ++i)
            if (methodOptions[i])
                return NecMethod(i);
        return std::nullopt;
    }
    void setMethod(NecMethod m) {
        methodOptions = {false, false, false}, methodOptions[int(m)] = true;
    }
    // Setting a method option selects it within the group; clearing it only clears it.
    void setMethodOption(NecMethod m, bool on) {
        if (on)
            setMethod(m);
        else
            methodOptions[int(m)] = false;
    }

    std::string heatTypeText() const {
        return heatType >= 0 && heatType < int(kHeatTypes.size())
                   ? std::string(kHeatTypes[heatType])
                   : std::string();
    }

    friend bool operator==(const DwellingInput&, const DwellingInput&) = default;
};

// The value of a numeric field: the leading decimal number of its text (empty gives 0), rounded to
// the nearest whole number with halves to even and kept within 32 bits.
std::int32_t readEntryValue(std::string_view text);

using EntryValues = std::array<std::int32_t, kEntryCount>;
EntryValues readEntryValues(const DwellingInput& input);

} // namespace ampleton
