#pragma once
// The service/feeder load of a one-family dwelling by the NEC Standard, Optional and
// Addition-to-Existing-Dwelling methods. No window is involved: the caller reads the window into a
// DwellingInput and shows what comes back.

#include "program/dwelling/DwellingInput.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ampleton {

// Every intermediate quantity of one calculation. Loads are kept in single precision; sums and
// products with fractional factors are formed in double precision before they are stored.
struct LoadResult {
    std::string methodName;
    float heatingFactor = 0;
    std::string heatingFactorText;
    std::string heatTypeText;
    bool fourOrMoreUnits = false;
    float generalLoad = 0;
    float generalDemand = 0;
    float heatingDemand = 0;
    float heatCoolLoad = 0;
    std::string heatCoolChoice;
    float cookingDemand = 0;
    float dryerLoad = 0;
    std::int32_t fixedCount = 0;
    float fixedSum = 0;
    float fixedDemand = 0;
    float portableLoad = 0;
    float largestMotorLoad = 0;
    std::string largestMotorName;
    float otherLightingLoad = 0;
    std::string otherLightingText;
    float applianceSum = 0;
    float otherLoad = 0;
    float otherLoadDemand = 0;
    float netLoad = 0;
    std::int32_t serviceAmps = 0;

    friend bool operator==(const LoadResult&, const LoadResult&) = default;
};

// Calls f(name, value) for every field of a LoadResult, in declaration order.
template <class F> void forEachField(const LoadResult& r, F&& f) {
    f("methodName", r.methodName);
    f("heatingFactor", r.heatingFactor);
    f("heatingFactorText", r.heatingFactorText);
    f("heatTypeText", r.heatTypeText);
    f("fourOrMoreUnits", r.fourOrMoreUnits);
    f("generalLoad", r.generalLoad);
    f("generalDemand", r.generalDemand);
    f("heatingDemand", r.heatingDemand);
    f("heatCoolLoad", r.heatCoolLoad);
    f("heatCoolChoice", r.heatCoolChoice);
    f("cookingDemand", r.cookingDemand);
    f("dryerLoad", r.dryerLoad);
    f("fixedCount", r.fixedCount);
    f("fixedSum", r.fixedSum);
    f("fixedDemand", r.fixedDemand);
    f("portableLoad", r.portableLoad);
    f("largestMotorLoad", r.largestMotorLoad);
    f("largestMotorName", r.largestMotorName);
    f("otherLightingLoad", r.otherLightingLoad);
    f("otherLightingText", r.otherLightingText);
    f("applianceSum", r.applianceSum);
    f("otherLoad", r.otherLoad);
    f("otherLoadDemand", r.otherLoadDemand);
    f("netLoad", r.netLoad);
    f("serviceAmps", r.serviceAmps);
}

// Whether the keyboard focus is in the dryer field while the calculation runs: the dryer minimum
// waits until the user has left the field.
enum class DryerFocus { Elsewhere, InDryerField };

struct LoadCalculation {
    LoadResult result;
    EntryValues values; // the entries as used, entry 8 raised when the minimum applied
    bool dryerMinimumApplied =
        false; // the caller shows kDryerMinimumMessage and sets the field to "5000"
};

LoadCalculation calculateLoad(const DwellingInput& input, DryerFocus focus = DryerFocus::Elsewhere);

// Demand load of the cooktop, range and wall oven ratings (W).
float cookingUnitDemand(std::int32_t r1, std::int32_t r2, std::int32_t r3);

// Nearest whole number, exact halves to the even neighbour.
std::int64_t roundHalfEven(double x);

inline constexpr std::int32_t kDryerMinimum = 5000;
inline constexpr std::string_view kDryerMinimumText = "5000";
inline constexpr std::string_view kErrorTitle = "ERROR";
inline constexpr std::string_view kDryerMinimumMessage =
    "In the standard calculation method, the load for household electric dryers shall be 5000 VA "
    "or the nameplate rating (VA) of the dryer, whichever is larger. NEC 220-18";

} // namespace ampleton
