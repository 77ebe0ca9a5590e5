#include "program/reports/ReferenceTables.h"

#include <array>
#include <initializer_list>

namespace ampleton {

namespace {

constexpr int kCookingRules[] = {6, 11, 43};
constexpr int kGroundRules[] = {6, 11, 30};
constexpr int kNote3Rules[] = {7, 19};

constexpr std::array<ReferenceTableLayout, 3> kLayouts = {{
    {kCookingUnitDemandKey, 77, kCookingRules, 66},
    {kGroundElectrodeKey, 42, kGroundRules, 0},
    {kNote3Key, 26, kNote3Rules, 0},
}};

void put(TableLines& lines, int first, std::initializer_list<std::string_view> texts) {
    for (auto t : texts)
        lines[first++] = std::string(t);
}

// A text placed at 1-based columns in a row of spaces.
void place(std::string& row, int firstColumn, std::string_view text) {
    row.replace(firstColumn - 1, text.size(), text);
}

struct CookingRow {
    std::string_view appliances, columnA, columnB, columnC;
};

constexpr CookingRow kCookingRows[] = {
    {"1", "8 kw", "80 %", "80 %"},
    {"2", "11 kw", "75 %", "65 %"},
    {"3", "14 kw", "70 %", "55 %"},
    {"4", "17 kw", "66 %", "50 %"},
    {"5", "20 kw", "62 %", "45 %"},
    {"6", "21 kw", "59 %", "43 %"},
    {"7", "22 kw", "56 %", "40 %"},
    {"8", "23 kw", "53 %", "36 %"},
    {"9", "24 kw", "51 %", "35 %"},
    {"10", "25 kw", "49 %", "34 %"},
    {"11", "26 kw", "47 %", "32 %"},
    {"12", "27 kw", "45 %", "32 %"},
    {"13", "28 kw", "43 %", "32 %"},
    {"14", "29 kw", "41 %", "32 %"},
    {"15", "30 kw", "40 %", "32 %"},
    {"16", "31 kw", "39 %", "28 %"},
    {"17", "32 kw", "38 %", "28 %"},
    {"18", "33 kw", "37 %", "28 %"},
    {"19", "34 kw", "36 %", "28 %"},
    {"20", "35 kw", "35 %", "28 %"},
    {"21", "36 kw", "34 %", "26 %"},
    {"22", "37 kw", "33 %", "26 %"},
    {"23", "38 kw", "32 %", "26 %"},
    {"24", "39 kw", "31 %", "26 %"},
    {"25", "40 kw", "30 %", "26 %"},
    {"26-30", "15 kw + 1 kw/range", "30 %", "24 %"},
    {"31-40", "15 kw + 1 kw/range", "30 %", "22 %"},
    {"41-50", "25 kw + .75 kw/range", "30 %", "20 %"},
    {"51-60", "25 kw + .75 kw/range", "30 %", "18 %"},
    {"61 and over", "25 kw + .75 kw/range", "30 %", "16 %"},
};

bool isDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return !s.empty();
}

// A row of the NEC table, 71 characters: single numbers end in column 5, ranges start in column 4;
// kilowatt values end in column 24, formulas start in column 20; percentages fill 46..49
// and 68..71.
std::string cookingRow(const CookingRow& row) {
    std::string line(71, ' ');
    if (isDigits(row.appliances))
        place(line, 6 - int(row.appliances.size()), row.appliances);
    else
        place(line, 4, row.appliances);
    if (row.columnA.find('+') == std::string_view::npos)
        place(line, 25 - int(row.columnA.size()), row.columnA);
    else
        place(line, 20, row.columnA);
    place(line, 46, row.columnB);
    place(line, 68, row.columnC);
    return line;
}

TableLines cookingTable() {
    TableLines t(78);
    t[0] = "DEMAND LOADS FOR HOUSEHOLD COOKING APPLIANCES [NEC 220-19]";
    put(t, 3,
        {"                  Maximum                        Demand Factors",
         "                  Demand                            Percent",
         "                (see notes)                       (see Note 3)"});
    put(t, 8,
        {"                  Column A                Column B             Column C",
         "Number of       (not over 12            (less than 3.5      (3.5 kw to 8.75",
         "Appliances       kw rating)              kw rating)            kw rating)"});
    int element = 13;
    for (const auto& row : kCookingRows)
        t[element++] = cookingRow(row);
    put(t, 44,
        {
            "Note 1.   Over 12 kw through 27 kw ranges all of same rating. For ranges",
            "          individually rated more than 12 kw but not more than 27 kw, the maximum",
            "          demand in Column A shall be increased 5 percent for each additional",
            "          kilowatt of rating or major fraction thereof by which the rating of",
            "          individual ranges exceeds 12 kw.",
        });
    put(t, 50,
        {
            "Note 2.   Over 8.75 kw through 27 kw ranges of unequal ratings. For ranges",
            "          individually rated more than 8.75 kw and of different ratings, but none",
            "          exceeding 27 kw, an average value of rating shall be computed by adding",
            "          together the ratings of all ranges to obtain the total connected load",
            "          (using 12 kw for any range rated less than 12 kw) and dividing by the",
            "          total number of ranges. Then the maximum demand in Column A shall be",
            "          increased 5 percent for each kilowatt or major fraction thereof by",
            "          which this average value exceeds 12 kw.",
        });
    put(t, 59,
        {
            "Note 3.   Over 1.75 kw through 8.75 kw. In lieu of the method provided in Column",
            "          A, the nameplate ratings of all household cooking appliances rated more",
            "          than 1.75 kw but not more than 8.75 kw may be added and the sum",
            "          multiplied by the demand factors of Column B or C for the given number",
            "          of appliances. Where the ratings fall under both Column B and Column C,",
            "          the demand factors of each column apply to the appliances of that",
            "          column, and the results are added together.",
        });
    put(t, 67,
        {
            "Note 4.   Branch-circuit load. The branch-circuit load for one range may be",
            "          computed in accordance with Table 220-19. The branch-circuit load for",
            "          one wall-mounted oven or one counter-mounted cooking unit shall be the",
            "          nameplate rating of the appliance. The branch-circuit load for a",
            "          counter-mounted cooking unit and not more than two wall-mounted ovens,",
            "          all supplied from a single branch circuit and located in the same room,",
            "          shall be computed by adding the nameplate rating of the individual",
            "          appliances and treating this total as equivalent to one range.",
        });
    put(t, 76,
        {
            "Note 5.   This table also applies to household cooking appliances rated over 1.75",
            "          kw and used in instructional programs.",
        });
    return t;
}

TableLines groundTable() {
    TableLines t(43);
    t[0] = "GROUNDING ELECTRODE CONDUCTOR FOR AC SYSTEMS [NEC 250-94]";
    put(t, 3,
        {"Size of Largest Service-Entrance                     Size of Grounding",
         "Conductor or Equivalent Area For                         Electrode",
         "     Parallel Conductors                                 Conductor"});
    put(t, 8,
        {"                         Aluminum or                            Aluminum or",
         "                         Copper Clad                            Copper Clad",
         "Copper                   Aluminum                 Copper        Aluminum"});
    t[13] = "2 or Smaller             1/0 or Smaller           8             6";
    t[15] = "1 or 1/0                 2/0 or 3/0               6             4";
    t[17] = "2/0 or 3/0               4/0 or 250 kcmil         4             2";
    t[19] = "Over 3/0 thru            Over 250 kcmil           2             0";
    t[20] = "  350 kcmil                thru 500 kcmil";
    t[22] = "Over 350 kcmil           Over 500 kcmil           1/0           3/0";
    t[23] = "  thru 600 kcmil           thru 900 kcmil";
    t[25] = "Over 600 kcmil           Over 900 kcmil           2/0           4/0";
    t[26] = "  thru 1100 kcmil          thru 1750 kcmil";
    t[28] = "Over 1100 kcmil          Over 1750 kcmil          3/0           250 kcmil";
    put(t, 32,
        {
            "Where multiple sets of service-entrance conductors are used as permitted in",
            "Section 230-40, Exception No. 2, the equivalent size of the largest",
            "service-entrance conductor shall be determined by the largest sum of the areas of",
            "the corresponding conductors of each set.",
        });
    put(t, 37,
        {
            "Where there are no service-entrance conductors, the grounding electrode conductor",
            "size shall be determined by the equivalent size of the largest service-entrance",
            "conductor required for the load to be served.",
        });
    t[41] = "*See installation restrictions in Section 250-92(a).";
    return t;
}

TableLines note3Table() {
    TableLines t(27);
    t[0] = "DWELLING SERVICE ENTRANCE/FEEDER CONDUCTOR SIZES [NEC 310-16 Note 3]";
    t[1] = t[2] = t[4] = " ";
    t[3] = "Conductor Types RH, RHH, RHW, THHW, THW, THWN, THHN, XHHW, USE";
    t[5] = "Service Size\tCopper    \tAluminum Or Copper Clad";
    t[6] = "In Amperes  \tConductors\tAluminum Conductors";
    put(t, 8,
        {"100               4              2", "110               3              1",
         "125               2              1/0", "150               1              2/0",
         "175               1/0            3/0", "200               2/0            4/0",
         "225               3/0            250 kcmil", "250               4/0            300 kcmil",
         "300               250 kcmil      350 kcmil", "350               350 kcmil      500 kcmil",
         "400               400 kcmil      600 kcmil"});
    put(t, 20,
        {
            "In dwelling units, conductors as listed in this table shall be permitted to be",
            "utilized as 120/240 volt, 3-wire, single-phase service-entrance conductors and",
            "feeder conductors that serve as the main power feeder to a dwelling unit and are",
            "installed in raceway or cable. The grounded conductor shall be permitted to be up",
            "to two sizes smaller than the ungrounded conductors, provided the requirements of",
            "Sections 215-2, 220-22 and 230-42 are met.",
        });
    return t;
}

} // namespace

const ReferenceTableLayout* findReferenceTable(std::string_view key) {
    for (const auto& layout : kLayouts)
        if (layout.key == key)
            return &layout;
    return nullptr;
}

std::optional<TableLines> buildReferenceTable(std::string_view key) {
    if (key == kCookingUnitDemandKey)
        return cookingTable();
    if (key == kGroundElectrodeKey)
        return groundTable();
    if (key == kNote3Key)
        return note3Table();
    return std::nullopt;
}

} // namespace ampleton
