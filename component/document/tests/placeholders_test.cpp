#include "component/document/Placeholders.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace docuvel {
namespace {

class PlaceholdersTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setPlaceholderClock([this] { return clock_; });
        setCurrentPageNumber(0);
    }
    void TearDown() override {
        setPlaceholderClock({});
        setCurrentPageNumber(0);
    }
    QDateTime clock_{QDate(2026, 3, 5), QTime(14, 7)};
};

TEST_F(PlaceholdersTest, ExpandsEachPlaceholder) {
    struct Case {
        const char* text;
        const char* expanded;
    };
    const Case cases[] = {
        {"@@@@", "Thursday, March 5, 2026"},
        {"@@@@@", "Thursday, March 5, 2026@"},
        {"@@@", "Mar 05, 2026"},
        {"on @@.", "on 3/5/26."},
        {":::", "14:07"},
        {"::", "2:07 pm"},
        {"p ##", "p 0"},
        {"a\tb", "a     b"},
        {"a\t", "a"},
        {"a\tb\t", "a     b"},
        {"@@ ## ::", "3/5/26 0 2:07 pm"},
        {"plain", "plain"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandPlaceholders(c.text), c.expanded) << c.text;
}

TEST_F(PlaceholdersTest, TwelveHourClockAroundNoonAndMidnight) {
    clock_ = QDateTime(QDate(2026, 12, 31), QTime(0, 5));
    EXPECT_EQ(ExpandPlaceholders("::"), "12:05 am");
    clock_ = QDateTime(QDate(2026, 12, 31), QTime(12, 0));
    EXPECT_EQ(ExpandPlaceholders(":: :::"), "12:00 pm 12:00");
}

TEST_F(PlaceholdersTest, PageNumberIsTheComponentWideValue) {
    setCurrentPageNumber(12);
    EXPECT_EQ(ExpandPlaceholders("Page ## of ##"), "Page 12 of 12");
}

TEST_F(PlaceholdersTest, OnlyDateTimeAndPageMarksCountAsPlaceholders) {
    EXPECT_TRUE(holdsPlaceholder("x@@"));
    EXPECT_TRUE(holdsPlaceholder("::"));
    EXPECT_TRUE(holdsPlaceholder("##"));
    EXPECT_FALSE(holdsPlaceholder("a\tb @ : #"));
}

} // namespace
} // namespace docuvel
