#include "program/reports/DwellingReport.h"

#include "program/dwelling/tests/DwellingBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace ampleton {
namespace {

using test::dwelling;

ReportLines report(const DwellingInput& in) {
    const auto lines = buildDwellingReport(calculateLoad(in).result, in);
    EXPECT_TRUE(lines.has_value());
    return lines.value_or(ReportLines{});
}

bool contains(const ReportLines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    while (n-- > 0)
        out += s;
    return out;
}

const std::string kNetZero =
    "NET COMPUTED LOAD ........................................... :      0 VA";

TEST(ReportFormat, Amounts) {
    EXPECT_EQ(report::number(0), " 0");
    EXPECT_EQ(report::number(-12), "-12");
    EXPECT_EQ(report::amount(1500), "   1500");
    EXPECT_EQ(report::amount(0), "      0");
    EXPECT_EQ(report::amount(999999), " 999999");
    EXPECT_EQ(report::amount(12345678), " 12345678"); // wider than the field: nothing is cut
}

TEST(StandardReport, EverythingZero) {
    const ReportLines lines = report(dwelling({}));
    const ReportLines expected = {
        "", "     STANDARD SERVICE/FEEDER LOAD CALCULATION - One Family Dwelling",
        "", repeat("_", 73),
        "", kNetZero,
        "", "120/240 VOLT SERVICE/FEEDER LOAD ............................ :      0 AMP",
    };
    EXPECT_EQ(lines, expected);
}

TEST(StandardReport, GeneralLighting) {
    const ReportLines lines = report(
        dwelling({{FloorArea, "1500"}, {SmallApplianceCircuits, "2"}, {LaundryCircuits, "1"}}));
    ASSERT_GE(lines.size(), 13u);
    EXPECT_EQ(lines[3], "General Lighting :   1500 Sq. Feet x    3 VA =   4500 VA");
    EXPECT_EQ(lines[4], "Small Appliance .:      2 Circuits x 1500 VA =   3000 VA");
    EXPECT_EQ(lines[5], "Laundry .........:      1 Circuits x 1500 VA =   1500 VA");
    EXPECT_EQ(lines[6], repeat("\u00AD", 56));
    EXPECT_EQ(lines[7], "Total General Light & Small Appliance .......:   9000 VA");
    EXPECT_EQ(lines[8], "The First     3000 VA @ 100%  =    3000 VA");
    EXPECT_EQ(lines[9], "Remaining     6000 VA @  35%  =    2100 VA");
    EXPECT_EQ(lines[10], repeat("\u00AD", 42));
    EXPECT_EQ(lines[11],
              "GENERAL LIGHTING, SMALL APPLIANCE & LAUNDRY DEMAND LOAD ..... :   5100 VA");
    EXPECT_EQ(lines[12], "");
}

TEST(StandardReport, GeneralLightingTiers) {
    ReportLines lines = report(dwelling({{FloorArea, "1000"}})); // 3000 VA: no tier lines
    EXPECT_EQ(lines[7], "Total General Light & Small Appliance .......:   3000 VA");
    EXPECT_EQ(lines[8],
              "GENERAL LIGHTING, SMALL APPLIANCE & LAUNDRY DEMAND LOAD ..... :   3000 VA");

    lines = report(dwelling({{FloorArea, "40333"}, {LaundryCircuits, "1"}})); // 122499 VA
    EXPECT_EQ(lines[8], "The First   3000 VA @ 100%  =    3000 VA");
    EXPECT_EQ(lines[9], "The Next  117000 VA @  35%  =   40950 VA");
    EXPECT_EQ(lines[10], "Remaining   2499 VA @  25%  =     625 VA"); // 624.75
    EXPECT_EQ(lines[11], repeat("\u00AD", 40));
    EXPECT_EQ(lines[12],
              "GENERAL LIGHTING, SMALL APPLIANCE & LAUNDRY DEMAND LOAD ..... :  44575 VA");

    lines = report(
        dwelling({{FloorArea, "40000"}, {SmallApplianceCircuits, ""}, {LaundryCircuits, ""}}));
    EXPECT_FALSE(
        contains(lines, "The Next  117000 VA @  35%  =   40950 VA")); // 120000 VA stays in tier 2
}

TEST(StandardReport, CircuitAmountsEndInOneColumn) {
    const ReportLines lines =
        report(dwelling({{SmallApplianceCircuits, "10"}, {LaundryCircuits, "1"}}));
    EXPECT_EQ(lines[4], "Small Appliance .:     10 Circuits x 1500 VA =  15000 VA");
    EXPECT_EQ(lines[5], "Laundry .........:      1 Circuits x 1500 VA =   1500 VA");
}

TEST(StandardReport, AppliancesWithLeaders) {
    const ReportLines lines = report(dwelling({{HeatingLoad, "6000"},
                                               {CoolingLoad, "4000"},
                                               {Cooktop, "3000"},
                                               {WallOven, "3000"},
                                               {Dryer, "5500"},
                                               {WaterHeater, "1000"},
                                               {AtticFan, "1000"},
                                               {Compactor, "1000"},
                                               {Dishwasher, "1000"}}));
    const ReportLines expected = {
        "",
        "     STANDARD SERVICE/FEEDER LOAD CALCULATION - One Family Dwelling",
        "",
        "Heating Demand :   6000 VA @ 100% =    6000 VA",
        "Cooling Demand :   4000 VA @ 100% =    4000 VA",
        "LARGER OF HEATING OR COOLING DEMAND LOADS (Heating) ......... :   6000 VA",
        "",
        "Cooktop ..:   3000 VA",
        "Wall Oven :   3000 VA",
        "COOKING EQUIPMENT DEMAND LOAD ............................... :   4500 VA",
        "",
        "Dryer ....:   5500 VA",
        "DRYER DEMAND LOAD ........................................... :   5500 VA",
        "",
        "Water Heater .:   1000 VA",
        "Attic Fan ....:   1000 VA",
        "Compactor ....:   1000 VA",
        "Dishwasher ...:   1000 VA",
        repeat("\u00AD", 32),
        "Fixed Appliance Total:   4000 VA",
        "4000 VA @  75% Demand:   3000 VA",
        "FIXED APPLIANCE DEMAND LOAD ................................. :   3000 VA",
        "",
        "Largest Motor: Compactor @ 1000VA", // the later of two equal motors,
        "25% OF LARGEST MOTOR LOAD ................................... :    250 VA",
        "",
        repeat("_", 73),
        "",
        "NET COMPUTED LOAD ........................................... :  19250 VA",
        "",
        "120/240 VOLT SERVICE/FEEDER LOAD ............................ :     80 AMP",
        "",
        "Net Computed Load Equals or Exceeds 10 kva.   Minimum Service Size: 100 AMP",
        "",
    };
    EXPECT_EQ(lines, expected);
}

TEST(StandardReport, OtherAppliancesAndLighting) {
    DwellingInput in =
        dwelling({{OtherAppliance1, "1200"}, {OtherAppliance2, "700"}, {OtherLighting, "800"}});
    in.otherApp1.name = "Welder";
    in.otherApp2.fixed.set(true, true);
    in.otherLighting.name = "Yard";
    in.otherLighting.continuous.set(true, true);
    const ReportLines lines = report(in);
    EXPECT_TRUE(contains(lines, "Other App. #1 :   1200 VA  [ Welder ]"));
    EXPECT_TRUE(contains(lines, "1200 VA @ 100% Demand:   1200 VA"));
    EXPECT_TRUE(contains(lines, "Other Appliance #2    700 VA  [  ]"));
    EXPECT_TRUE(contains(
        lines, "OTHER NON FIXED APPLIANCE DEMAND LOAD ....................... :    700 VA"));
    EXPECT_TRUE(contains(lines, "Largest Motor: Welder @ 1200VA"));
    EXPECT_TRUE(contains(lines, "Other Lighting Load 800 VA  [ Yard ]"));
    EXPECT_TRUE(contains(lines, "Non Continuous Load  100% Demand"));
    EXPECT_TRUE(contains(
        lines, "OTHER LIGHTING DEMAND LOAD .................................. :    800 VA"));
}

TEST(StandardReport, MinimumServiceLines) {
    const DwellingInput in = dwelling({});
    auto withNet = [&](float net) {
        LoadResult r = calculateLoad(in).result;
        r.netLoad = net;
        r.serviceAmps = std::int32_t(roundHalfEven(net / 240.0f));
        return *buildDwellingReport(r, in);
    };
    const std::string minimum =
        "Net Computed Load Equals or Exceeds 10 kva.   Minimum Service Size: 100 AMP";
    ReportLines lines = withNet(24120);
    EXPECT_EQ(lines.back(),
              "120/240 VOLT SERVICE/FEEDER LOAD ............................ :    100 AMP");
    lines = withNet(23000);
    EXPECT_EQ(lines[lines.size() - 2], minimum);
    EXPECT_EQ(lines.back(), "");
    EXPECT_FALSE(contains(withNet(9999), minimum));
    EXPECT_TRUE(contains(withNet(10000), minimum));
    EXPECT_FALSE(contains(withNet(24000), minimum));
}

TEST(StandardReport, HugeAmountsKeepEveryDigit) {
    const ReportLines lines =
        report(dwelling({{FloorArea, "99999"}, {SmallApplianceCircuits, "99"}}));
    EXPECT_EQ(lines[4], "Small Appliance .:     99 Circuits x 1500 VA = 148500 VA");
    EXPECT_EQ(lines[7], "Total General Light & Small Appliance .......: 448497 VA");
    EXPECT_TRUE(contains(
        lines, "NET COMPUTED LOAD ........................................... : 126074 VA"));

    DwellingInput big = dwelling({{FloorArea, "99999"}}, NecMethod::Optional);
    for (int i = Cooktop; i <= WellPump; ++i)
        big.entryTexts[i] = "99999";
    const ReportLines optional = report(big);
    EXPECT_TRUE(contains(optional,
                         "Total Other Load .........................................: 1499985 VA"));
}

TEST(OptionalReport, LinesOfTheOptionalMethod) {
    DwellingInput in = dwelling({{FloorArea, "2000"},
                                 {SmallApplianceCircuits, "2"},
                                 {LaundryCircuits, "1"},
                                 {HeatingLoad, "10001"},
                                 {CoolingLoad, "5000"},
                                 {Range, "12000"},
                                 {OtherAppliance1, "1000"},
                                 {OtherLighting, "500"}},
                                NecMethod::Optional);
    in.heatType = 1;
    in.otherLighting.name = "Pool";
    const ReportLines expected = {
        "",
        "      OPTIONAL SERVICE/FEEDER LOAD CALCULATION - One Family Dwelling",
        "",
        "General Lighting .............:   2000 Sq. Feet x    3 VA =   6000 VA",
        "Small Appliance ..............:      2 Circuits x 1500 VA =   3000 VA",
        "Laundry ......................:      1 Circuits x 1500 VA =   1500 VA",
        "Range " + repeat(".", 52) + ":  12000 VA",
        "Other App. #1 " + repeat(".", 44) + ":   1000 VA",
        "Pool [Continuous]    500 VA x 125% " + repeat(".", 23) + ":    625 VA",
        repeat("-", 69),
        "Total Other Load .........................................:  24125 VA",
        "The First   10000 VA OF Other Load @ 100% =  10000 VA",
        "Remaining   14125 VA Of Other Load @  40% =   5650 VA",
        repeat("-", 53),
        "OTHER LOAD DEMAND LOAD ...................................... :  15650 VA",
        "",
        "",
        "Heating Type:",
        std::string(kHeatTypes[1]),
        "Heating Demand Load :  10001 VA @  65% =   6501 VA",
        "Cooling Demand Load :   5000 VA @ 100% =   5000 VA",
        repeat("-", 50),
        "LARGER OF HEATING OR COOLING DEMAND LOADS [ Heating ] ........:   6501 VA",
        "",
        repeat("_", 73),
        "",
        "NET COMPUTED LOAD ........................................... :  22151 VA",
        "",
        "120/240 VOLT SERVICE/FEEDER LOAD ............................ :   92 AMP",
        "",
        "      Minimum Service Size For Optional Calculation: 100 AMPERE",
    };
    EXPECT_EQ(report(in), expected);
}

TEST(OptionalReport, OtherLoadAtTheThreshold) {
    // 10000 VA: one demand line and five blank slots.
    const ReportLines lines = report(dwelling({{Range, "10000"}}, NecMethod::Optional));
    const auto at =
        std::find(lines.begin(), lines.end(),
                  "OTHER LOAD DEMAND LOAD ...................................... :  10000 VA");
    ASSERT_NE(at, lines.end());
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(*(at + i), "") << i;
    EXPECT_EQ(*(at + 6), repeat("_", 73));
}

TEST(OptionalReport, AdditionAboveEightThousand) {
    const ReportLines lines = report(dwelling({{Range, "10000"}}, NecMethod::Addition));
    EXPECT_EQ(lines[1], "OPTIONAL SERVICE/FEEDER LOAD CALCULATION - [Add'l Loads To Existing]");
    EXPECT_TRUE(contains(lines, "The First    8000 VA OF Other Load @ 100% =   8000 VA"));
    EXPECT_TRUE(contains(lines, "Remaining    2000 VA Of Other Load @  40% =    800 VA"));
}

TEST(OptionalReport, FourOrMoreUnits) {
    DwellingInput in = dwelling({{HeatingLoad, "6000"}, {Range, "6000"}}, NecMethod::Addition);
    in.heatType = 3;
    const ReportLines lines = report(in);
    EXPECT_TRUE(
        contains(lines, "Heating/Cooling Load @ Nameplate Rating  [Heating] .......:   6000 VA"));
    EXPECT_TRUE(contains(lines, "LARGER OF HEATING OR COOLING DEMAND LOADS [ Heating ]"));
    EXPECT_TRUE(contains(lines, "(Included in 'Other Load' Above)"));
}

TEST(OptionalReport, OtherLightingNameOf24Characters) {
    DwellingInput in = dwelling({{OtherLighting, "900"}}, NecMethod::Optional);
    in.otherLighting.name = "ABCDEFGHIJKLMNOPQRSTUVWX";
    in.otherLighting.continuous.set(true, true);
    EXPECT_TRUE(contains(report(in),
                         "ABCDEFGHIJKLMNOPQRSTUVWX [NonContinuous]    900 VA x 100% :    900 VA"));
    in.otherLighting.name.clear();
    EXPECT_TRUE(contains(report(in), "Other Lighting [NonContinuous]    900 VA x 100% " +
                                         repeat(".", 10) + ":    900 VA"));
    in.otherLighting.continuous = {false, false};
    const ReportLines neither = report(in);
    EXPECT_EQ(neither[3], ""); // slot 20 stays as a blank line
}

TEST(OptionalReport, NamedOtherAppliancesAlwaysListed) {
    DwellingInput in = dwelling({{OtherAppliance2, "300"}}, NecMethod::Optional);
    in.otherApp2 = {"Heat Tape", {false, true}, {false, true}};
    EXPECT_TRUE(contains(report(in), "Heat Tape " + repeat(".", 48) + ":    300 VA"));
}

TEST(Report, NoMethodNoReport) {
    DwellingInput in = dwelling({{FloorArea, "1000"}});
    in.methodOptions = {false, false, false};
    EXPECT_FALSE(buildDwellingReport(calculateLoad(in).result, in).has_value());
}

TEST(Report, NeverMoreThanTheSlots) {
    DwellingInput in;
    for (auto& text : in.entryTexts)
        text = "9999";
    in.otherApp2.fixed.set(true, true);
    in.setMethod(NecMethod::Standard);
    EXPECT_LE(report(in).size(), 59u);
    in.setMethod(NecMethod::Optional);
    in.heatType = 0;
    EXPECT_LE(report(in).size(), 44u);
}

} // namespace
} // namespace ampleton
