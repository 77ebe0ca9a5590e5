#include "program/reports/DwellingReport.h"

#include "platform/text/cp1252.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace ampleton {

namespace report {

std::string number(std::int64_t n) {
    const std::string digits = std::to_string(n < 0 ? -n : n);
    return (n < 0 ? "-" : " ") + digits;
}

std::string amount(std::int64_t n) {
    std::string s = number(n);
    if (s.size() < 7)
        s.insert(0, 7 - s.size(), ' ');
    return s;
}

} // namespace report

namespace {

using report::amount;
using report::number;

std::int64_t R(double x) {
    return roundHalfEven(x);
}

std::string repeat(std::string_view unit, int k) {
    std::string s;
    for (int i = 0; i < k; ++i)
        s += unit;
    return s;
}
std::string dots(int k) {
    return repeat(".", std::max(k, 0));
}
std::string softHyphens(int k) {
    return repeat("\u00AD", k);
}
std::string hyphens(int k) {
    return repeat("-", k);
}
std::string underscores(int k) {
    return repeat("_", k);
}

int length(std::string_view text) {
    return int(cp1252::length(text));
}

std::string caption(int i) {
    return std::string(kEntryCaptions[i]);
}

// Slots 1..n, each absent, blank (empty text) or holding a text.
class Slots {
public:
    explicit Slots(int count) : slots_(count + 1) {}
    void put(int slot, std::string text) { slots_[slot] = std::move(text); }
    void blank(int slot) { slots_[slot] = std::string(); }
    bool present(int slot) const { return slots_[slot].has_value(); }
    ReportLines compact() const {
        ReportLines lines{std::string()};
        for (std::size_t i = 1; i < slots_.size(); ++i)
            if (slots_[i])
                lines.push_back(*slots_[i]);
        return lines;
    }

private:
    std::vector<std::optional<std::string>> slots_;
};

ReportLines standardReport(const LoadResult& r, const DwellingInput& in, const EntryValues& e) {
    Slots s(58);
    const double gl = r.generalLoad;
    s.put(1, "     STANDARD SERVICE/FEEDER LOAD CALCULATION - One Family Dwelling");
    s.blank(2);
    if (gl > 0) {
        s.put(3, "General Lighting :" + amount(e[FloorArea]) +
                     " Sq. Feet x    3 VA =" + amount(3 * std::int64_t(e[FloorArea])) + " VA");
        s.put(4, "Small Appliance .:" + amount(e[SmallApplianceCircuits]) +
                     " Circuits x 1500 VA =" +
                     amount(1500 * std::int64_t(e[SmallApplianceCircuits])) + " VA");
        s.put(5, "Laundry .........:" + amount(e[LaundryCircuits]) + " Circuits x 1500 VA =" +
                     amount(1500 * std::int64_t(e[LaundryCircuits])) + " VA");
        s.put(6, softHyphens(56));
        s.put(7, "Total General Light & Small Appliance .......:" + amount(R(gl)) + " VA");
        if (gl > 3000 && gl <= 120000) {
            s.put(8, "The First     3000 VA @ 100%  =    3000 VA");
            s.put(9, "Remaining  " + amount(R(gl - 3000)) +
                         " VA @  35%  = " + amount(R((gl - 3000) * 0.35)) + " VA");
            s.put(10, softHyphens(42));
        } else if (gl > 120000) {
            s.put(8, "The First   3000 VA @ 100%  =    3000 VA");
            s.put(9, "The Next  117000 VA @  35%  =   40950 VA");
            s.put(10, "Remaining" + amount(R(gl - 120000)) +
                          " VA @  25%  = " + amount(R((gl - 120000) * 0.25)) + " VA");
            s.put(11, softHyphens(40));
        }
        s.put(12, "GENERAL LIGHTING, SMALL APPLIANCE & LAUNDRY DEMAND LOAD ..... :" +
                      amount(R(r.generalDemand)) + " VA");
        s.blank(13);
    }

    const auto heating = e[HeatingLoad], cooling = e[CoolingLoad];
    if (heating > 0)
        s.put(14, "Heating Demand :" + amount(heating) + " VA @ 100% = " + amount(heating) + " VA");
    if (cooling > 0)
        s.put(15, "Cooling Demand :" + amount(cooling) + " VA @ 100% = " + amount(cooling) + " VA");
    if (heating > 0 || cooling > 0) {
        s.put(16, "LARGER OF HEATING OR COOLING DEMAND LOADS (" + r.heatCoolChoice +
                      ") ......... :" + amount(R(r.heatCoolLoad)) + " VA");
        s.blank(17);
    }

    if (r.cookingDemand > 0) {
        for (int i = Cooktop; i <= WallOven; ++i)
            if (e[i] > 0)
                s.put(i + 13,
                      caption(i) + " " + dots(9 - length(caption(i))) + ":" + amount(e[i]) + " VA");
        s.put(21, "COOKING EQUIPMENT DEMAND LOAD ............................... :" +
                      amount(R(r.cookingDemand)) + " VA");
        s.blank(22);
    }

    if (e[Dryer] > 0) {
        s.put(23, caption(Dryer) + " " + dots(9 - length(caption(Dryer))) + ":" + amount(e[Dryer]) +
                      " VA");
        s.put(24, "DRYER DEMAND LOAD ........................................... :" +
                      amount(e[Dryer]) + " VA");
        s.blank(25);
    }

    for (int i = WaterHeater; i <= WellPump; ++i)
        if (e[i] > 0)
            s.put(i + 17,
                  caption(i) + " " + dots(13 - length(caption(i))) + ":" + amount(e[i]) + " VA");
    if (in.otherApp1.isFixed() && e[OtherAppliance1] > 0)
        s.put(34, "Other App. #1 :" + amount(e[OtherAppliance1]) + " VA  [ " + in.otherApp1.name +
                      " ]");
    if (in.otherApp2.isFixed() && e[OtherAppliance2] > 0)
        s.put(35, "Other App. #2 :" + amount(e[OtherAppliance2]) + " VA  [ " + in.otherApp2.name +
                      " ]");
    if (r.fixedCount > 0) {
        s.put(36, softHyphens(32));
        s.put(37, "Fixed Appliance Total:" + amount(R(r.fixedSum)) + " VA");
        std::string sum = number(R(r.fixedSum));
        if (sum.front() == ' ')
            sum.erase(0, 1);
        s.put(38, sum + (r.fixedCount >= 4 ? " VA @  75% Demand:" : " VA @ 100% Demand:") +
                      amount(R(r.fixedDemand)) + " VA");
        s.put(39, "FIXED APPLIANCE DEMAND LOAD ................................. :" +
                      amount(R(r.fixedDemand)) + " VA");
        s.blank(40);
    }

    if (in.otherApp1.isPortable() && e[OtherAppliance1] > 0)
        s.put(41, caption(OtherAppliance1) + "   " + number(e[OtherAppliance1]) + " VA  [ " +
                      in.otherApp1.name + " ]");
    if (in.otherApp2.isPortable() && e[OtherAppliance2] > 0)
        s.put(42, caption(OtherAppliance2) + "   " + number(e[OtherAppliance2]) + " VA  [ " +
                      in.otherApp2.name + " ]");
    if (s.present(41) || s.present(42)) {
        s.put(43, "OTHER NON FIXED APPLIANCE DEMAND LOAD ....................... :" +
                      amount(R(r.portableLoad)) + " VA");
        s.blank(44);
    }

    if (r.largestMotorLoad > 0) {
        s.put(45,
              "Largest Motor: " + r.largestMotorName + " @" + number(R(r.largestMotorLoad)) + "VA");
        s.put(46, "25% OF LARGEST MOTOR LOAD ................................... :" +
                      amount(R(double(r.largestMotorLoad) * 0.25)) + " VA");
        s.blank(47);
    }

    if (e[OtherLighting] > 0) {
        s.put(48, caption(OtherLighting) + number(e[OtherLighting]) + " VA  [ " +
                      in.otherLighting.name + " ]");
        s.put(49, r.otherLightingText);
        s.put(50, "OTHER LIGHTING DEMAND LOAD .................................. :" +
                      amount(R(r.otherLightingLoad)) + " VA");
    }

    s.put(51, underscores(73));
    s.blank(52);
    s.put(53, "NET COMPUTED LOAD ........................................... :" +
                  amount(R(r.netLoad)) + " VA");
    s.blank(54);
    s.put(55, "120/240 VOLT SERVICE/FEEDER LOAD ............................ :" +
                  amount(r.serviceAmps) + " AMP");
    if (r.netLoad >= 10000 && r.netLoad / 240.0f < 100) {
        s.blank(56);
        s.put(57, "Net Computed Load Equals or Exceeds 10 kva.   Minimum Service Size: 100 AMP");
        s.blank(58);
    }
    return s.compact();
}

ReportLines optionalReport(const LoadResult& r, const DwellingInput& in, const EntryValues& e,
                           bool addition) {
    Slots s(43);
    const double ol = r.otherLoad;
    const double threshold = addition ? 8000 : 10000;

    s.put(1, addition ? "OPTIONAL SERVICE/FEEDER LOAD CALCULATION - [Add'l Loads To Existing]"
                      : "      OPTIONAL SERVICE/FEEDER LOAD CALCULATION - One Family Dwelling");
    s.blank(2);
    if (e[FloorArea] > 0)
        s.put(3, "General Lighting .............:" + amount(e[FloorArea]) +
                     " Sq. Feet x    3 VA =" + amount(3 * std::int64_t(e[FloorArea])) + " VA");
    if (e[SmallApplianceCircuits] > 0)
        s.put(4, "Small Appliance ..............:" + amount(e[SmallApplianceCircuits]) +
                     " Circuits x 1500 VA =" +
                     amount(1500 * std::int64_t(e[SmallApplianceCircuits])) + " VA");
    if (e[LaundryCircuits] > 0)
        s.put(5, "Laundry ......................:" + amount(e[LaundryCircuits]) +
                     " Circuits x 1500 VA =" + amount(1500 * std::int64_t(e[LaundryCircuits])) +
                     " VA");
    for (int i = Cooktop; i <= WellPump; ++i)
        if (e[i] > 0)
            s.put(i + 1,
                  caption(i) + " " + dots(57 - length(caption(i))) + ":" + amount(e[i]) + " VA");

    const std::pair<const OtherAppliance*, int> others[2] = {{&in.otherApp1, OtherAppliance1},
                                                             {&in.otherApp2, OtherAppliance2}};
    for (int k = 0; k < 2; ++k) {
        const auto& [app, entry] = others[k];
        if (e[entry] <= 0)
            continue;
        const std::string label = app->name.empty()
                                      ? (k == 0 ? "Other App. #1 " : "Other App. #2 ") + dots(44)
                                      : app->name + " " + dots(57 - length(app->name));
        s.put(18 + k, label + ":" + amount(e[entry]) + " VA");
    }

    const auto lighting = e[OtherLighting];
    if (lighting > 0) {
        const std::string& name = in.otherLighting.name;
        if (in.otherLighting.isContinuous()) {
            const std::string lead = name.empty() ? "Other Lighting" : name;
            const int leaders = name.empty() ? 13 : 58 - (length(name) + 31);
            s.put(20, lead + " [Continuous]" + amount(lighting) + " VA x 125%" + " " +
                          dots(leaders) + ":" + amount(R(double(lighting) * 1.25)) + " VA");
        } else if (in.otherLighting.isNonContinuous()) {
            const std::string lead = name.empty() ? "Other Lighting" : name;
            const int leaders = name.empty() ? 10 : 58 - (length(name) + 34);
            s.put(20, lead + " [NonContinuous]" + amount(lighting) + " VA x 100%" + " " +
                          dots(leaders) + ":" + amount(lighting) + " VA");
        } else {
            s.blank(20);
        }
    }

    int count = 0;
    for (int slot = 6; slot <= 20; ++slot)
        count += s.present(slot) ? 1 : 0;

    if (r.fourOrMoreUnits && r.heatCoolLoad > 0)
        s.put(21, "Heating/Cooling Load @ Nameplate Rating  [" + r.heatCoolChoice + "] " + dots(7) +
                      ":" + amount(R(r.heatCoolLoad)) + " VA");
    if (count > 0 || r.heatCoolLoad > 0) {
        s.put(22, hyphens(69));
        s.put(23, "Total Other Load .........................................:" + amount(R(ol)) +
                      " VA");
    }

    for (int slot = 24; slot <= 29; ++slot)
        s.blank(slot);
    if (count > 0 || ol > 0) {
        if (ol <= threshold) {
            s.put(24, "OTHER LOAD DEMAND LOAD ...................................... :" +
                          amount(R(r.otherLoadDemand)) + " VA");
        } else {
            s.put(24, addition ? "The First    8000 VA OF Other Load @ 100% =   8000 VA"
                               : "The First   10000 VA OF Other Load @ 100% =  10000 VA");
            s.put(25, "Remaining " + amount(R(ol - threshold)) +
                          " VA Of Other Load @  40% =" + amount(R((ol - threshold) * 0.4)) + " VA");
            s.put(26, hyphens(53));
            s.put(27, "OTHER LOAD DEMAND LOAD ...................................... :" +
                          amount(R(r.otherLoadDemand)) + " VA");
        }
    }

    const auto heating = e[HeatingLoad], cooling = e[CoolingLoad];
    if (heating > 0 && !r.heatTypeText.empty()) {
        s.put(30, "Heating Type:");
        s.put(31, r.heatTypeText);
        s.put(32, "Heating Demand Load :" + amount(heating) + " VA @ " + r.heatingFactorText +
                      " =" + amount(R(r.heatingDemand)) + " VA");
    }
    if (cooling > 0)
        s.put(33,
              "Cooling Demand Load :" + amount(cooling) + " VA @ 100% =" + amount(cooling) + " VA");
    if (r.heatCoolLoad > 0) {
        s.put(34, hyphens(50));
        if (r.fourOrMoreUnits) {
            s.put(35, "LARGER OF HEATING OR COOLING DEMAND LOADS [ " + r.heatCoolChoice + " ]");
            s.put(36, "(Included in 'Other Load' Above)");
        } else {
            s.put(35, "LARGER OF HEATING OR COOLING DEMAND LOADS [ " + r.heatCoolChoice + " ] " +
                          dots(8) + ":" + amount(R(r.heatCoolLoad)) + " VA");
            s.blank(36);
        }
    }

    s.put(37, underscores(73));
    s.blank(38);
    s.put(39, "NET COMPUTED LOAD ........................................... :" +
                  amount(R(r.netLoad)) + " VA");
    s.blank(40);
    s.put(41, "120/240 VOLT SERVICE/FEEDER LOAD ............................ :  " +
                  number(r.serviceAmps) + " AMP");
    const float quotient = r.netLoad / 240.0f;
    if (quotient > 0 && quotient < 100) {
        s.blank(42);
        s.put(43, "      Minimum Service Size For Optional Calculation: 100 AMPERE");
    }
    return s.compact();
}

} // namespace

std::optional<ReportLines> buildDwellingReport(const LoadResult& result,
                                               const DwellingInput& input) {
    const auto method = input.method();
    if (!method)
        return std::nullopt;
    const EntryValues values = readEntryValues(input);
    if (*method == NecMethod::Standard)
        return standardReport(result, input, values);
    return optionalReport(result, input, values, *method == NecMethod::Addition);
}

} // namespace ampleton
