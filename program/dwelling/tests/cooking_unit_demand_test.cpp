#include "program/dwelling/LoadCalculation.h"

#include <gtest/gtest.h>

namespace ampleton {
namespace {

struct Case {
    std::int32_t r1, r2, r3;
    float demand;
};

// Cooktop, range and wall oven ratings in watts, and the demand they give.
const Case kCases[] = {
    {0, 0, 0, 0},
    // one table unit
    {0, 12000, 0, 8000},
    {0, 12500, 0, 8000}, // round(0.5) = 0
    {0, 13500, 0, 8800}, // round(1.5) = 2
    {0, 14500, 0, 8800}, // round(2.5) = 2
    {0, 16000, 0, 9600},
    {0, 27000, 0, 14000},
    {3000, 0, 0, 2400},
    {0, 0, 6000, 4800},
    {0, 10000, 0, 8000},
    // column limits
    {1750, 0, 0, 1750},    // nameplate
    {1751, 0, 0, 1400.8f}, // column A
    {3499, 0, 0, 2799.2f},
    {3500, 0, 0, 2800}, // column B
    {8750, 0, 0, 7000},
    {8751, 0, 0, 8000},   // C-low
    {27001, 0, 0, 27001}, // nameplate again
    {1500, 0, 0, 1500},
    {30000, 0, 0, 30000},
    {1500, 12000, 0, 9500}, // nameplate plus a table unit
    // two table units
    {0, 12000, 12000, 11000},
    {0, 12000, 14000, 11550}, // m = 13
    {0, 16000, 16000, 13200},
    {3000, 0, 3000, 4500},
    {3000, 0, 3200, 4650},
    {4000, 0, 5000, 5850},
    {3000, 0, 4000, 5600},
    {9000, 10000, 0, 11000},  // both C-low
    {10000, 14000, 0, 11550}, // 10 kW counted as 12: m = 13
    {12000, 12500, 0, 11000}, // m = round(12.25) = 12
    {3000, 12000, 0, 10400},  // A with C: each on its own
    {5000, 16000, 0, 13600},
    {1000, 3000, 3000, 5500}, // equal pair plus a nameplate unit
    // three table units
    {3000, 3000, 3000, 6300},
    {5000, 5000, 5000, 8250},
    {12000, 12000, 12000, 14000},
    {15000, 15000, 15000, 16100},
    {2000, 3000, 2500, 5250},     // all A
    {4000, 5000, 6000, 8250},     // all B
    {2000, 3000, 4000, 6950},     // 0.75 x 5000 + 0.8 x 4000
    {2000, 4000, 5000, 7450},     // 0.8 x 2000 + 0.65 x 9000
    {9000, 10000, 11000, 14000},  // all C-low
    {12000, 14000, 16000, 15400}, // m = 14
    {9000, 12000, 13000, 14000},  // m = round(12.33) = 12
    {3000, 16000, 17000, 15600},  // 2400 + 11000 x 1.20 (m = round(16.5) = 16)
    {3000, 4000, 12000, 13600},   // 2400 + 3200 + 8000
    {2000, 3000, 14000, 12550},   // 0.75 x 5000 + 8800
    {4000, 10000, 10000, 14200},  // 3200 + 11000
    {4000, 14000, 14000, 15300},  // 3200 + 11000 x 1.1
    {4000, 9000, 10000, 14200},   // 3200 + 11000 (both C-low)
};

TEST(CookingUnitDemand, Rules) {
    for (const auto& c : kCases)
        EXPECT_FLOAT_EQ(cookingUnitDemand(c.r1, c.r2, c.r3), c.demand)
            << c.r1 << ", " << c.r2 << ", " << c.r3;
}

TEST(CookingUnitDemand, OrderOfTheUnitsDoesNotMatter) {
    for (const auto& c : kCases) {
        EXPECT_FLOAT_EQ(cookingUnitDemand(c.r3, c.r1, c.r2), c.demand);
        EXPECT_FLOAT_EQ(cookingUnitDemand(c.r2, c.r3, c.r1), c.demand);
    }
}

TEST(CookingUnitDemand, HugeNameplateRatingsDoNotWrap) {
    const std::int32_t big = 2'000'000'000;
    EXPECT_FLOAT_EQ(cookingUnitDemand(big, big, big), 6e9f);
}

} // namespace
} // namespace ampleton
