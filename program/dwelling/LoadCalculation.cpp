#include "program/dwelling/LoadCalculation.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace ampleton {

std::int64_t roundHalfEven(double x) {
    constexpr double kLimit = 9.2e18;
    if (!(x == x))
        return 0;
    x = std::clamp(x, -kLimit, kLimit);
    return static_cast<std::int64_t>(
        std::nearbyint(x)); // default rounding mode: to nearest, ties even
}

std::int32_t readEntryValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const std::size_t start = i;
    auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i > from;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    bool any = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        any = digits() || any;
    }
    if (!any)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t save = i++;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (!digits())
            i = save;
    }
    std::string number(text.substr(start, i - start));
    if (number.front() == '+')
        number.erase(0, 1);
    double value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range)
        value = number.front() == '-' ? -1e300 : 1e300;
    else if (ec != std::errc())
        return 0;
    const std::int64_t rounded = roundHalfEven(value);
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(rounded, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

EntryValues readEntryValues(const DwellingInput& input) {
    EntryValues values{};
    for (int i = 0; i < kEntryCount; ++i)
        values[i] = readEntryValue(input.entryTexts[i]);
    return values;
}

// ---- cooking units ------------------------------------------------------------------------------

namespace {

enum class Column { Nameplate, A, B, CLow, CHigh };

Column columnOf(std::int64_t r) {
    if (r <= 1750 || r > 27000)
        return Column::Nameplate;
    if (r < 3500)
        return Column::A;
    if (r <= 8750)
        return Column::B;
    if (r <= 12000)
        return Column::CLow;
    return Column::CHigh;
}

// 5 % more for each kilowatt (rounded) above 12 kW.
double increased(double base, std::int64_t rating) {
    return base * (1 + 0.05 * double(roundHalfEven(double(rating - 12000) / 1000)));
}

// Several C units of unequal rating: the average (ratings under 12 kW counted as 12 kW) rounded to
// whole kilowatts raises the base by 5 % per kilowatt above 12.
double averaged(double base, const std::vector<std::int64_t>& ratings) {
    std::int64_t sum = 0;
    for (auto r : ratings)
        sum += std::max<std::int64_t>(r, 12000);
    const std::int64_t m = roundHalfEven(double(sum) / double(ratings.size()) / 1000);
    return m == 12 ? base : base * (1 + 0.05 * double(m - 12));
}

double singleUnit(std::int64_t r) {
    switch (columnOf(r)) {
    case Column::A:
    case Column::B:
        return 0.8 * double(r);
    case Column::CLow:
        return 8000;
    case Column::CHigh:
        return increased(8000, r);
    case Column::Nameplate:
        break;
    }
    return double(r);
}

double equalUnits(std::int64_t r, int n) {
    const double rn = double(r) * n;
    switch (columnOf(r)) {
    case Column::A:
        return rn * (n == 2 ? 0.75 : 0.70);
    case Column::B:
        return rn * (n == 2 ? 0.65 : 0.55);
    case Column::CLow:
        return n == 2 ? 11000 : 14000;
    case Column::CHigh:
        return increased(n == 2 ? 11000 : 14000, r);
    case Column::Nameplate:
        break;
    }
    return rn;
}

// Demand of one or two C units.
double cUnitsDemand(const std::vector<std::int64_t>& c) {
    if (c.size() == 1)
        return singleUnit(c[0]);
    if (c[0] == c[1])
        return equalUnits(c[0], 2);
    if (columnOf(c[0]) == Column::CLow && columnOf(c[1]) == Column::CLow)
        return 11000;
    return averaged(11000, c);
}

} // namespace

float cookingUnitDemand(std::int32_t r1, std::int32_t r2, std::int32_t r3) {
    const std::int64_t ratings[3] = {r1, r2, r3};
    std::vector<std::int64_t> table, a, b, c;
    double others = 0;
    for (auto r : ratings) {
        const Column col = columnOf(r);
        if (col == Column::Nameplate) {
            others += double(r);
            continue;
        }
        table.push_back(r);
        (col == Column::A ? a : col == Column::B ? b : c).push_back(r);
    }
    auto sum = [](const std::vector<std::int64_t>& v) {
        double s = 0;
        for (auto r : v)
            s += double(r);
        return s;
    };

    double demand = 0;
    switch (table.size()) {
    case 0:
        demand = others;
        break;
    case 1:
        demand = singleUnit(table[0]) + others;
        break;
    case 2: {
        const auto x = table[0], y = table[1];
        if (x == y)
            demand = equalUnits(x, 2);
        else if (a.size() == 2)
            demand = sum(a) * 0.75;
        else if (b.size() == 2)
            demand = sum(b) * 0.65;
        else if (c.empty())
            demand = 0.8 * double(x) + 0.8 * double(y);
        else if (c.size() == 2)
            demand = cUnitsDemand(c);
        else
            demand = singleUnit(x) + singleUnit(y);
        demand += others;
        break;
    }
    default: {
        if (table[0] == table[1] && table[1] == table[2])
            demand = equalUnits(table[0], 3);
        else if (a.size() == 3)
            demand = sum(a) * 0.70;
        else if (b.size() == 3)
            demand = sum(b) * 0.55;
        else if (c.empty())
            demand =
                sum(a) * (a.size() == 1 ? 0.80 : 0.75) + sum(b) * (b.size() == 1 ? 0.80 : 0.65);
        else if (c.size() == 3) {
            const bool allLow =
                std::all_of(c.begin(), c.end(), [](auto r) { return columnOf(r) == Column::CLow; });
            demand = allLow ? 14000 : averaged(14000, c);
        } else {
            const double pa = a.empty() ? 0 : sum(a) * (a.size() == 1 ? 0.80 : 0.75);
            const double pb = b.empty() ? 0 : sum(b) * (b.size() == 1 ? 0.80 : 0.65);
            demand = pa + pb + cUnitsDemand(c);
        }
        break;
    }
    }
    return float(demand);
}

// ---- the three methods --------------------------------------------------------------------------

namespace {

struct HeatingFactor {
    double factor;
    std::string_view text;
};

// Factor by heat type 0..3 for the Optional and Addition methods.
constexpr HeatingFactor kOptionalFactors[4] = {
    {1, "100%"}, {0.65, " 65%"}, {0.65, " 65%"}, {0.4, " 40%"}};
constexpr HeatingFactor kFullFactor = {1, "100%"};
constexpr HeatingFactor kNoFactor = {0, ""};

void heatingAndCooling(LoadResult& r, const EntryValues& e, double factor, bool standard) {
    const auto heating = e[HeatingLoad], cooling = e[CoolingLoad];
    if (heating <= 0 && cooling <= 0)
        return;
    r.heatingDemand = standard ? float(heating) : float(double(heating) * factor);
    if (double(r.heatingDemand) > double(cooling)) {
        r.heatCoolLoad = r.heatingDemand;
        r.heatCoolChoice = "Heating";
    } else if (double(cooling) > double(r.heatingDemand)) {
        r.heatCoolLoad = float(cooling);
        r.heatCoolChoice = "Cooling";
    } else {
        r.heatCoolLoad = r.heatingDemand;
        r.heatCoolChoice = " Equal ";
    }
}

void otherLighting(LoadResult& r, const EntryValues& e, const OtherLightingLoad& light,
                   bool standard) {
    const auto load = e[OtherLighting];
    if (light.isContinuous() && load > 0) {
        r.otherLightingLoad = float(double(load) * 1.25);
        r.otherLightingText = standard ? "Continuous Load:  125% Demand" : "  Continuous  ";
    } else if (light.isNonContinuous() && load > 0) {
        r.otherLightingLoad = float(load);
        r.otherLightingText = standard ? "Non Continuous Load  100% Demand" : "Non Continuous";
    }
}

double generalLoadOf(const EntryValues& e) {
    return double(3 * std::int64_t(e[FloorArea]) + 1500 * std::int64_t(e[SmallApplianceCircuits]) +
                  1500 * std::int64_t(e[LaundryCircuits]));
}

void largestMotor(LoadResult& r, const EntryValues& e, const DwellingInput& in) {
    struct Motor {
        float load;
        std::string_view name;
    };
    constexpr int kMotorEntries[6] = {AtticFan, Compactor, Disposal, Jacuzzi, SumpPump, WellPump};
    Motor motors[6];
    for (int i = 0; i < 6; ++i)
        motors[i] = {float(e[kMotorEntries[i]]), kEntryCaptions[kMotorEntries[i]]};
    // Ascending; equal loads keep their order, so the later field wins a tie.
    for (int pass = 0; pass < 5; ++pass)
        for (int j = 0; j < 5 - pass; ++j)
            if (motors[j].load > motors[j + 1].load)
                std::swap(motors[j], motors[j + 1]);
    r.largestMotorLoad = motors[5].load;
    r.largestMotorName = std::string(motors[5].name);
    const std::pair<const OtherAppliance*, std::int32_t> others[2] = {
        {&in.otherApp1, e[OtherAppliance1]}, {&in.otherApp2, e[OtherAppliance2]}};
    for (const auto& [app, load] : others) {
        if (app->isMotor() && double(load) > double(r.largestMotorLoad)) {
            r.largestMotorLoad = float(load);
            r.largestMotorName = app->name;
        }
    }
}

void fixedAppliances(LoadResult& r, const EntryValues& e, const DwellingInput& in) {
    double sum = 0;
    for (int i = WaterHeater; i <= WellPump; ++i) {
        if (e[i] > 0) {
            ++r.fixedCount;
            sum += e[i];
        }
    }
    double portable = 0;
    const std::pair<const OtherAppliance*, std::int32_t> others[2] = {
        {&in.otherApp1, e[OtherAppliance1]}, {&in.otherApp2, e[OtherAppliance2]}};
    for (const auto& [app, load] : others) {
        if (app->isFixed() && load > 0) {
            ++r.fixedCount;
            sum += load;
        }
        if (app->isPortable())
            portable += load;
    }
    r.fixedSum = float(sum);
    r.portableLoad = float(portable);
    if (r.fixedCount >= 4)
        r.fixedDemand = float(double(r.fixedSum) * 0.75);
    else if (r.fixedCount > 0)
        r.fixedDemand = r.fixedSum;
}

void standardMethod(LoadResult& r, const EntryValues& e, const DwellingInput& in) {
    r.methodName = "Standard";
    r.heatingFactor = float(kFullFactor.factor);
    r.heatingFactorText = std::string(kFullFactor.text);

    const double gl = generalLoadOf(e);
    r.generalLoad = float(gl);
    if (gl > 0 && gl <= 3000)
        r.generalDemand = float(gl);
    else if (gl > 3000 && gl <= 120000)
        r.generalDemand = float((gl - 3000) * 0.35 + 3000);
    else if (gl > 120000)
        r.generalDemand = float((gl - 120000) * 0.25 + 40950 + 3000);

    heatingAndCooling(r, e, 1, true);
    r.cookingDemand = cookingUnitDemand(e[Cooktop], e[Range], e[WallOven]);
    largestMotor(r, e, in);
    fixedAppliances(r, e, in);
    otherLighting(r, e, in.otherLighting, true);
    r.dryerLoad = float(e[Dryer]);

    r.netLoad = float(double(r.generalDemand) + double(r.heatCoolLoad) + double(r.dryerLoad) +
                      double(r.cookingDemand) + double(r.fixedDemand) + double(r.portableLoad) +
                      double(r.largestMotorLoad) * 0.25 + double(r.otherLightingLoad));
}

// The first steps the Optional and Addition methods share.
void optionalOtherLoad(LoadResult& r, const EntryValues& e, const DwellingInput& in,
                       const HeatingFactor& hf) {
    r.heatingFactor = float(hf.factor);
    r.heatingFactorText = std::string(hf.text);
    r.heatTypeText = in.heatTypeText();

    const double gl = generalLoadOf(e);
    r.generalLoad = float(gl);
    double appliances = 0;
    for (int i = Cooktop; i <= WellPump; ++i)
        appliances += e[i];
    if (in.otherApp1.isMotor() || in.otherApp1.isFixed())
        appliances += e[OtherAppliance1];
    if (in.otherApp2.isMotor() || in.otherApp2.isFixed())
        appliances += e[OtherAppliance2];
    r.applianceSum = float(appliances);
    otherLighting(r, e, in.otherLighting, false);
    r.otherLoad =
        float(double(r.generalLoad) + double(r.applianceSum) + double(r.otherLightingLoad));
    heatingAndCooling(r, e, hf.factor, false);
}

// First `threshold` VA at 100 %, the rest at 40 %.
float otherLoadDemandOf(float otherLoad, double threshold) {
    const double ol = otherLoad;
    return ol > threshold ? float((ol - threshold) * 0.4 + threshold) : otherLoad;
}

void optionalMethod(LoadResult& r, const EntryValues& e, const DwellingInput& in) {
    r.methodName = "Optional";
    const bool selected = in.heatType >= 0 && in.heatType < 4;
    optionalOtherLoad(r, e, in, selected ? kOptionalFactors[in.heatType] : kNoFactor);
    r.otherLoadDemand = otherLoadDemandOf(r.otherLoad, 10000);
    r.netLoad = float(double(r.otherLoadDemand) + double(r.heatCoolLoad));
}

void additionMethod(LoadResult& r, const EntryValues& e, const DwellingInput& in) {
    r.methodName = "Addition to Existing";
    const bool selected = in.heatType >= 0 && in.heatType < 4;
    r.fourOrMoreUnits = in.heatType == 3;
    optionalOtherLoad(r, e, in, selected ? kFullFactor : kNoFactor);
    if (r.fourOrMoreUnits) {
        r.otherLoad = float(double(r.otherLoad) + double(r.heatCoolLoad));
        r.otherLoadDemand = otherLoadDemandOf(r.otherLoad, 8000);
        r.netLoad = r.otherLoadDemand;
    } else {
        r.otherLoadDemand = otherLoadDemandOf(r.otherLoad, 8000);
        r.netLoad = float(double(r.otherLoadDemand) + double(r.heatCoolLoad));
    }
}

} // namespace

LoadCalculation calculateLoad(const DwellingInput& input, DryerFocus focus) {
    LoadCalculation calc;
    calc.values = readEntryValues(input);
    auto& e = calc.values;
    const auto method = input.method();

    if (e[Dryer] > 0 && e[Dryer] < kDryerMinimum && method == NecMethod::Standard &&
        focus == DryerFocus::Elsewhere) {
        e[Dryer] = kDryerMinimum;
        calc.dryerMinimumApplied = true;
    }

    LoadResult& r = calc.result;
    if (!method)
        return calc;
    switch (*method) {
    case NecMethod::Standard:
        standardMethod(r, e, input);
        break;
    case NecMethod::Optional:
        optionalMethod(r, e, input);
        break;
    case NecMethod::Addition:
        additionMethod(r, e, input);
        break;
    }
    r.serviceAmps = std::int32_t(roundHalfEven(double(r.netLoad / 240.0f)));
    return calc;
}

} // namespace ampleton
