#include "program/reports/ReferenceTables.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace ampleton {
namespace {

TableLines table(std::string_view key) {
    auto lines = buildReferenceTable(key);
    EXPECT_TRUE(lines.has_value()) << key;
    return lines.value_or(TableLines{});
}

TEST(ReferenceTables, SizesAndTitles) {
    const std::tuple<std::string_view, std::size_t, const char*> cases[] = {
        {kCookingUnitDemandKey, 78, "DEMAND LOADS FOR HOUSEHOLD COOKING APPLIANCES [NEC 220-19]"},
        {kGroundElectrodeKey, 43, "GROUNDING ELECTRODE CONDUCTOR FOR AC SYSTEMS [NEC 250-94]"},
        {kNote3Key, 27, "DWELLING SERVICE ENTRANCE/FEEDER CONDUCTOR SIZES [NEC 310-16 Note 3]"},
    };
    for (const auto& [key, size, title] : cases) {
        const TableLines lines = table(key);
        ASSERT_EQ(lines.size(), size) << key;
        EXPECT_EQ(lines[0], title);
        const ReferenceTableLayout* layout = findReferenceTable(key);
        ASSERT_NE(layout, nullptr);
        EXPECT_EQ(std::size_t(layout->lastElement) + 1, size);
        for (int rule : layout->rules)
            EXPECT_EQ(lines[rule], "") << key << " rule " << rule;
    }
}

TEST(ReferenceTables, UnknownKey) {
    EXPECT_FALSE(buildReferenceTable("cookingunitdemand").has_value());
    EXPECT_EQ(findReferenceTable("Note4"), nullptr);
}

TEST(ReferenceTables, RulesAndPages) {
    EXPECT_EQ(std::vector<int>(findReferenceTable(kGroundElectrodeKey)->rules.begin(),
                               findReferenceTable(kGroundElectrodeKey)->rules.end()),
              (std::vector<int>{6, 11, 30}));
    EXPECT_EQ(findReferenceTable(kNote3Key)->rules.size(), 2u);
    EXPECT_EQ(findReferenceTable(kCookingUnitDemandKey)->secondPageFrom, 66);
    EXPECT_EQ(findReferenceTable(kNote3Key)->secondPageFrom, 0);
}

TEST(CookingTable, RowsOf71Characters) {
    const TableLines lines = table(kCookingUnitDemandKey);
    EXPECT_EQ(lines[13], "    1               8 kw                     80 %                  80 %");
    EXPECT_EQ(lines[38], "   26-30           15 kw + 1 kw/range        30 %                  24 %");
    EXPECT_EQ(lines[22], "   10              25 kw                     49 %                  34 %");
    EXPECT_EQ(lines[42], "   61 and over     25 kw + .75 kw/range      30 %                  16 %");
    for (int i = 13; i <= 42; ++i) {
        EXPECT_EQ(lines[i].size(), 71u) << i;
        EXPECT_EQ(lines[i].substr(47, 2), " %") << i;
        EXPECT_EQ(lines[i].substr(69, 2), " %") << i;
    }
}

TEST(CookingTable, NotesStartWhereTheyShould) {
    const TableLines lines = table(kCookingUnitDemandKey);
    const std::pair<int, std::string_view> starts[] = {
        {44, "Note 1.   Over 12 kw through 27 kw ranges all of same rating."},
        {50, "Note 2.   Over 8.75 kw through 27 kw ranges of unequal ratings."},
        {59, "Note 3.   Over 1.75 kw through 8.75 kw."},
        {67, "Note 4.   Branch-circuit load."},
        {76, "Note 5.   This table also applies to household cooking appliances"},
    };
    for (const auto& [element, start] : starts)
        EXPECT_EQ(lines[element].substr(0, start.size()), start) << element;
    for (int empty : {49, 58, 66, 75})
        EXPECT_EQ(lines[empty], "") << empty;
    // Each note fills its element range without a gap.
    for (auto [first, last] : {std::pair{44, 48}, {50, 57}, {59, 65}, {67, 74}, {76, 77}})
        for (int i = first; i <= last; ++i)
            EXPECT_FALSE(lines[i].empty()) << i;
}

TEST(ReferenceTables, NoLineLongerThan81) {
    for (auto key : {kCookingUnitDemandKey, kGroundElectrodeKey, kNote3Key})
        for (const auto& line : table(key))
            EXPECT_LE(line.size(), 81u) << key << ": " << line;
}

TEST(GroundTable, NotesAndFootnote) {
    const TableLines lines = table(kGroundElectrodeKey);
    EXPECT_EQ(lines[13], "2 or Smaller             1/0 or Smaller           8             6");
    EXPECT_EQ(lines[28],
              "Over 1100 kcmil          Over 1750 kcmil          3/0           250 kcmil");
    EXPECT_EQ(lines[32].rfind("Where multiple sets of service-entrance conductors", 0), 0u);
    EXPECT_EQ(lines[37].rfind("Where there are no service-entrance conductors", 0), 0u);
    for (int i : {32, 33, 34, 35, 37, 38, 39})
        EXPECT_FALSE(lines[i].empty()) << i;
    for (int i : {14, 16, 18, 21, 24, 27, 29, 31, 36, 40, 42})
        EXPECT_EQ(lines[i], "") << i;
    EXPECT_EQ(lines[41], "*See installation restrictions in Section 250-92(a).");
}

TEST(Note3Table, TabsAndServiceSizes) {
    const TableLines lines = table(kNote3Key);
    EXPECT_EQ(lines[1], " ");
    EXPECT_EQ(lines[2], " ");
    EXPECT_EQ(lines[4], " ");
    EXPECT_EQ(lines[5], "Service Size\tCopper    \tAluminum Or Copper Clad");
    EXPECT_EQ(lines[6], "In Amperes  \tConductors\tAluminum Conductors");
    EXPECT_EQ(lines[8].substr(0, 3), "100");
    EXPECT_EQ(lines[18], "400               400 kcmil      600 kcmil");
    EXPECT_EQ(lines[20].rfind("In dwelling units, conductors as listed in this table", 0), 0u);
    for (int i = 20; i <= 25; ++i)
        EXPECT_FALSE(lines[i].empty()) << i;
    EXPECT_EQ(lines[26], "");
}

TEST(ReferenceTables, RebuildingGivesTheSameLines) {
    const TableLines first = table(kGroundElectrodeKey);
    table(kCookingUnitDemandKey);
    EXPECT_EQ(table(kGroundElectrodeKey), first);
}

} // namespace
} // namespace ampleton
