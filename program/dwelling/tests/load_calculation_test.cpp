#include "program/dwelling/LoadCalculation.h"

#include "program/dwelling/tests/DwellingBuilder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <utility>

namespace ampleton {
namespace {

using test::dwelling;

LoadResult calc(const DwellingInput& in) {
    return calculateLoad(in).result;
}

TEST(ReadEntryValue, LeadingNumberRoundedHalfToEven) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"", 0},
        {"12", 12},
        {" 12 ", 12},
        {"12a", 12},
        {"1.5", 2},
        {"2.5", 2},
        {"-5", -5},
        {"+7", 7},
        {"abc", 0},
        {".5", 0},
        {"1e3", 1000},
        {"3e", 3},
        {"99999999999", std::numeric_limits<std::int32_t>::max()},
        {"-99999999999", std::numeric_limits<std::int32_t>::min()},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(readEntryValue(text), value) << '"' << text << '"';
}

TEST(RoundHalfEven, Halves) {
    EXPECT_EQ(roundHalfEven(12.5), 12);
    EXPECT_EQ(roundHalfEven(13.5), 14);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(100.5), 100);
    EXPECT_EQ(roundHalfEven(101.5), 102);
}

TEST(StandardMethod, EverythingEmptyIsZero) {
    const LoadResult r = calc(dwelling({}));
    EXPECT_EQ(r.methodName, "Standard");
    EXPECT_EQ(r.netLoad, 0);
    EXPECT_EQ(r.serviceAmps, 0);
    EXPECT_EQ(r.heatingFactorText, "100%");
    EXPECT_EQ(r.heatCoolChoice, "");
}

TEST(StandardMethod, GeneralLightingDemandTiers) {
    struct Case {
        const char *area, *small, *laundry;
        float load, demand;
    };
    const Case cases[] = {
        {"1500", "2", "1", 9000, 5100},    // 3000 + 6000 x 0.35
        {"1000", "", "", 3000, 3000},      // the first tier exactly
        {"500", "", "", 1500, 1500},       // below it
        {"40000", "", "", 120000, 43950},  // the second tier exactly
        {"40000", "", "2", 123000, 44700}, // each 1000 VA above adds 250 VA
        {"40333", "", "", 120999, 44199.75f},
    };
    for (const auto& c : cases) {
        const LoadResult r = calc(dwelling({{FloorArea, c.area},
                                            {SmallApplianceCircuits, c.small},
                                            {LaundryCircuits, c.laundry}}));
        EXPECT_FLOAT_EQ(r.generalLoad, c.load) << c.area;
        EXPECT_FLOAT_EQ(r.generalDemand, c.demand) << c.area;
    }
}

TEST(StandardMethod, WorkedDwelling) {
    DwellingInput in = dwelling({{FloorArea, "1500"},
                                 {SmallApplianceCircuits, "2"},
                                 {LaundryCircuits, "1"},
                                 {HeatingLoad, "10000"},
                                 {CoolingLoad, "5000"},
                                 {Range, "12000"},
                                 {Dryer, "5000"},
                                 {WaterHeater, "4500"},
                                 {Dishwasher, "1200"},
                                 {Disposal, "900"},
                                 {OtherLighting, "1000"}});
    const LoadResult r = calc(in);
    EXPECT_FLOAT_EQ(r.generalDemand, 5100);
    EXPECT_FLOAT_EQ(r.heatCoolLoad, 10000);
    EXPECT_EQ(r.heatCoolChoice, "Heating");
    EXPECT_FLOAT_EQ(r.cookingDemand, 8000);
    EXPECT_FLOAT_EQ(r.dryerLoad, 5000);
    EXPECT_EQ(r.fixedCount, 3);
    EXPECT_FLOAT_EQ(r.fixedDemand, 6600);
    EXPECT_FLOAT_EQ(r.largestMotorLoad, 900);
    EXPECT_EQ(r.largestMotorName, "Disposal");
    EXPECT_FLOAT_EQ(r.otherLightingLoad, 1250);
    EXPECT_EQ(r.otherLightingText, "Continuous Load:  125% Demand");
    EXPECT_FLOAT_EQ(r.netLoad, 5100 + 10000 + 5000 + 8000 + 6600 + 225 + 1250);
    EXPECT_EQ(r.serviceAmps, 151); // 36175 / 240 = 150.7
    // Quantities of the other methods stay zero.
    EXPECT_EQ(r.applianceSum, 0);
    EXPECT_EQ(r.otherLoad, 0);
    EXPECT_EQ(r.heatTypeText, "");
}

TEST(StandardMethod, HeatingAndCoolingChoice) {
    EXPECT_EQ(calc(dwelling({{HeatingLoad, "3000"}, {CoolingLoad, "4000"}})).heatCoolChoice,
              "Cooling");
    const LoadResult equal = calc(dwelling({{HeatingLoad, "3000"}, {CoolingLoad, "3000"}}));
    EXPECT_EQ(equal.heatCoolChoice, " Equal ");
    EXPECT_FLOAT_EQ(equal.heatCoolLoad, 3000);
}

TEST(StandardMethod, DryerMinimumWaitsForTheFocusToLeave) {
    const DwellingInput in = dwelling({{Dryer, "4000"}});
    const LoadCalculation elsewhere = calculateLoad(in, DryerFocus::Elsewhere);
    EXPECT_TRUE(elsewhere.dryerMinimumApplied);
    EXPECT_EQ(elsewhere.values[Dryer], 5000);
    EXPECT_FLOAT_EQ(elsewhere.result.netLoad, 5000);

    const LoadCalculation typing = calculateLoad(in, DryerFocus::InDryerField);
    EXPECT_FALSE(typing.dryerMinimumApplied);
    EXPECT_FLOAT_EQ(typing.result.netLoad, 4000);

    DwellingInput optional = in;
    optional.setMethod(NecMethod::Optional);
    const LoadCalculation opt = calculateLoad(optional);
    EXPECT_FALSE(opt.dryerMinimumApplied);
    EXPECT_FLOAT_EQ(opt.result.applianceSum, 4000);

    EXPECT_FALSE(calculateLoad(dwelling({{Dryer, "5000"}})).dryerMinimumApplied);
    EXPECT_FALSE(calculateLoad(dwelling({{Dryer, "0"}})).dryerMinimumApplied);
}

TEST(StandardMethod, FixedAppliancesAt75PercentFromFour) {
    const LoadResult three =
        calc(dwelling({{WaterHeater, "1000"}, {Dishwasher, "1000"}, {Compactor, "1000"}}));
    EXPECT_EQ(three.fixedCount, 3);
    EXPECT_FLOAT_EQ(three.fixedDemand, 3000);
    const LoadResult four = calc(dwelling({{WaterHeater, "1000"},
                                           {Dishwasher, "1000"},
                                           {Compactor, "1000"},
                                           {OtherAppliance1, "1000"}}));
    EXPECT_EQ(four.fixedCount, 4); // other appliance #1 is Fixed by default
    EXPECT_FLOAT_EQ(four.fixedSum, 4000);
    EXPECT_FLOAT_EQ(four.fixedDemand, 3000);
}

TEST(StandardMethod, PortableOtherAppliances) {
    DwellingInput in = dwelling({{OtherAppliance1, "1200"}, {OtherAppliance2, "800"}});
    in.otherApp1.fixed.set(true, true);
    const LoadResult r = calc(in);
    EXPECT_FLOAT_EQ(r.portableLoad, 1200);
    EXPECT_EQ(r.fixedCount, 1);
    EXPECT_FLOAT_EQ(r.fixedSum, 800);

    in.otherApp2.fixed = {false, false}; // neither choice: counted nowhere
    EXPECT_EQ(calc(in).fixedCount, 0);
}

TEST(StandardMethod, LargestMotorTiesAndOtherAppliances) {
    DwellingInput in =
        dwelling({{SumpPump, "1000"}, {WellPump, "1000"}, {OtherAppliance1, "1000"}});
    EXPECT_EQ(calc(in).largestMotorName, "Well Pump"); // the later field wins a tie

    in.otherApp1.name = "Shop Saw";
    in.entryTexts[OtherAppliance1] = "1001";
    LoadResult r = calc(in);
    EXPECT_EQ(r.largestMotorName, "Shop Saw");
    EXPECT_FLOAT_EQ(r.largestMotorLoad, 1001);

    in.otherApp1.motor.set(true, true); // NonMotor
    EXPECT_EQ(calc(in).largestMotorName, "Well Pump");

    in = dwelling({{AtticFan, "2000"}, {Jacuzzi, "1500"}, {Dishwasher, "3000"}});
    r = calc(in);
    EXPECT_EQ(r.largestMotorName, "Attic Fan"); // the dishwasher is no motor
    EXPECT_FLOAT_EQ(r.netLoad, 6500 + 500);
}

TEST(OtherLighting, ContinuousNonContinuousOrNeither) {
    DwellingInput in = dwelling({{OtherLighting, "1000"}});
    EXPECT_FLOAT_EQ(calc(in).otherLightingLoad, 1250);
    in.otherLighting.continuous.set(true, true);
    LoadResult r = calc(in);
    EXPECT_FLOAT_EQ(r.otherLightingLoad, 1000);
    EXPECT_EQ(r.otherLightingText, "Non Continuous Load  100% Demand");
    in.setMethod(NecMethod::Optional);
    EXPECT_EQ(calc(in).otherLightingText, "Non Continuous");
    in.otherLighting.continuous = {false, false};
    r = calc(in);
    EXPECT_FLOAT_EQ(r.otherLightingLoad, 0);
    EXPECT_EQ(r.otherLightingText, "");
}

TEST(OptionalMethod, OtherLoadDemand) {
    const std::pair<const char*, float> cases[] = {
        {"3000", 9000}, {"3333", 9999}, {"3334", 10000.8f}, {"6667", 14000.4f}};
    for (const auto& [area, demand] : cases)
        EXPECT_FLOAT_EQ(calc(dwelling({{FloorArea, area}}, NecMethod::Optional)).otherLoadDemand,
                        demand)
            << area;
    // 10000 VA exactly and 20000 VA.
    EXPECT_FLOAT_EQ(calc(dwelling({{Range, "10000"}}, NecMethod::Optional)).otherLoadDemand, 10000);
    const LoadResult r =
        calc(dwelling({{Range, "10000"}, {WaterHeater, "10000"}}, NecMethod::Optional));
    EXPECT_FLOAT_EQ(r.otherLoad, 20000);
    EXPECT_FLOAT_EQ(r.otherLoadDemand, 14000);
    EXPECT_EQ(r.methodName, "Optional");
}

TEST(OptionalMethod, ApplianceSumLeavesOutNonMotorPortable) {
    DwellingInput in = dwelling(
        {{Cooktop, "100"}, {WellPump, "200"}, {OtherAppliance1, "400"}, {OtherAppliance2, "800"}},
        NecMethod::Optional);
    EXPECT_FLOAT_EQ(calc(in).applianceSum, 1500);
    in.otherApp1.motor.set(true, true); // NonMotor but still Fixed
    EXPECT_FLOAT_EQ(calc(in).applianceSum, 1500);
    in.otherApp1.fixed.set(true, true); // NonMotor and Portable
    EXPECT_FLOAT_EQ(calc(in).applianceSum, 1100);
}

TEST(OptionalMethod, HeatingFactorByHeatType) {
    DwellingInput in = dwelling({{HeatingLoad, "10001"}}, NecMethod::Optional);
    const std::pair<int, float> cases[] = {{0, 10001}, {1, 6500.65f}, {2, 6500.65f}, {3, 4000.4f}};
    for (const auto& [type, demand] : cases) {
        in.heatType = type;
        const LoadResult r = calc(in);
        EXPECT_FLOAT_EQ(r.heatingDemand, demand) << type;
        EXPECT_EQ(r.heatTypeText, kHeatTypes[type]);
    }
    in.heatType = 1;
    EXPECT_EQ(calc(in).heatingFactorText, " 65%");

    // Nothing selected: the heating counts nothing and the cooling load decides.
    in.heatType = -1;
    in.entryTexts[CoolingLoad] = "2000";
    const LoadResult none = calc(in);
    EXPECT_EQ(none.heatingFactor, 0);
    EXPECT_EQ(none.heatingFactorText, "");
    EXPECT_FLOAT_EQ(none.heatCoolLoad, 2000);
    EXPECT_EQ(none.heatCoolChoice, "Cooling");
    EXPECT_FLOAT_EQ(none.netLoad, 2000);
}

TEST(OptionalMethod, HalfAmpsRoundToEven) {
    // 45300 VA other load: 10000 + 35300 x 0.4 = 24120 VA, 100.5 A.
    LoadResult r = calc(dwelling({{FloorArea, "15100"}}, NecMethod::Optional));
    EXPECT_FLOAT_EQ(r.netLoad, 24120);
    EXPECT_EQ(r.serviceAmps, 100);
    r = calc(dwelling({{FloorArea, "15300"}}, NecMethod::Optional));
    EXPECT_FLOAT_EQ(r.netLoad, 24360);
    EXPECT_EQ(r.serviceAmps, 102);
}

TEST(AdditionMethod, EightThousandRule) {
    LoadResult r = calc(dwelling({{Range, "8000"}}, NecMethod::Addition));
    EXPECT_EQ(r.methodName, "Addition to Existing");
    EXPECT_FLOAT_EQ(r.otherLoadDemand, 8000);
    r = calc(dwelling({{Range, "10000"}}, NecMethod::Addition));
    EXPECT_FLOAT_EQ(r.otherLoadDemand, 8800);
}

TEST(AdditionMethod, FourOrMoreUnitsJoinTheOtherLoad) {
    DwellingInput in = dwelling({{Range, "6000"}, {HeatingLoad, "6000"}, {CoolingLoad, "3000"}},
                                NecMethod::Addition);
    in.heatType = 3;
    LoadResult r = calc(in);
    EXPECT_TRUE(r.fourOrMoreUnits);
    EXPECT_FLOAT_EQ(r.heatingFactor, 1);
    EXPECT_FLOAT_EQ(r.otherLoad, 12000);
    EXPECT_FLOAT_EQ(r.otherLoadDemand, 9600);
    EXPECT_FLOAT_EQ(r.netLoad, 9600);

    in.heatType = 2;
    r = calc(in);
    EXPECT_FALSE(r.fourOrMoreUnits);
    EXPECT_FLOAT_EQ(r.otherLoad, 6000);
    EXPECT_FLOAT_EQ(r.netLoad, 6000 + 6000);

    in.setMethod(NecMethod::Optional);
    in.heatType = 3;
    EXPECT_FALSE(calc(in).fourOrMoreUnits);
}

TEST(NoMethod, ResultIsZero) {
    DwellingInput in = dwelling({{FloorArea, "2000"}, {Dryer, "3000"}});
    in.methodOptions = {false, false, false};
    const LoadCalculation c = calculateLoad(in);
    EXPECT_EQ(c.result, LoadResult{});
    EXPECT_FALSE(c.dryerMinimumApplied);
}

TEST(Method, FirstSetOptionWins) {
    DwellingInput in = dwelling({{FloorArea, "2000"}});
    in.methodOptions = {false, true, true};
    EXPECT_EQ(calc(in).methodName, "Optional");
}

} // namespace
} // namespace ampleton
