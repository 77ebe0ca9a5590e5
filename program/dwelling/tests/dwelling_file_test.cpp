#include "program/dwelling/DwellingFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

namespace ampleton {
namespace {

namespace fs = std::filesystem;

class DwellingFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("dwelling_file_test_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path path(const std::string& name) const { return dir_ / name; }

    static std::string slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void spit(const fs::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    // The first `count` lines of a file written from `in`.
    static std::string firstLines(const DwellingInput& in, int count) {
        const std::string all = formatDwellingFile(in);
        std::size_t pos = 0;
        for (int i = 0; i < count; ++i)
            pos = all.find("\r\n", pos) + 2;
        return all.substr(0, pos);
    }

    fs::path dir_;
};

DwellingInput sample() {
    DwellingInput in;
    in.entryTexts[FloorArea] = "1500";
    in.entryTexts[SmallApplianceCircuits] = "2";
    in.entryTexts[Range] = "12000";
    in.entryTexts[OtherAppliance1] = "900";
    in.entryTexts[OtherLighting] = "250";
    in.heatType = 2;
    in.otherApp1 = {"Sauna", {false, true}, {true, false}};
    in.otherApp2.name = "Kiln";
    in.otherLighting = {"Garden", {false, true}};
    in.setMethod(NecMethod::Optional);
    return in;
}

TEST_F(DwellingFileTest, LayoutOfTheLines) {
    const std::string text = formatDwellingFile(sample());
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto end = text.find("\r\n", pos);
        ASSERT_NE(end, std::string::npos) << "every line ends in CR LF";
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    ASSERT_EQ(lines.size(), 38u);
    EXPECT_EQ(lines[0], "\"Dwelling File\"");
    EXPECT_EQ(lines[1], "\"1500\""); // six characters
    EXPECT_EQ(lines[2], "\"2\"");
    EXPECT_EQ(lines[3], "\"\"");
    EXPECT_EQ(lines[21], "\"" + std::string(kHeatTypes[2]) + "\"");
    EXPECT_EQ(lines[22], "\"Sauna\"");
    EXPECT_EQ(lines[23], "#FALSE#");
    EXPECT_EQ(lines[24], "#TRUE#");
    EXPECT_EQ(lines[25], "#TRUE#");
    EXPECT_EQ(lines[26], "#FALSE#");
    EXPECT_EQ(lines[27], "\"Kiln\"");
    EXPECT_EQ(lines[32], "\"Garden\"");
    EXPECT_EQ(lines[33], "#FALSE#");
    EXPECT_EQ(lines[34], "#TRUE#");
    EXPECT_EQ(lines[35], "#FALSE#");
    EXPECT_EQ(lines[36], "#TRUE#");
    EXPECT_EQ(lines[37], "#FALSE#");
}

TEST_F(DwellingFileTest, RoundTrip) {
    const DwellingInput in = sample();
    ASSERT_FALSE(writeDwellingFile(path("house.dwl"), in));
    DwellingInput back;
    DwellingInputTarget target(back);
    EXPECT_EQ(readDwellingFile(path("house.dwl"), target), DwellingReadStatus::Ok);
    EXPECT_EQ(back, in);
}

TEST_F(DwellingFileTest, EmptyFieldsStayEmpty) {
    DwellingInput in;
    ASSERT_FALSE(writeDwellingFile(path("empty.dwl"), in));
    DwellingInput back = sample();
    DwellingInputTarget target(back);
    ASSERT_EQ(readDwellingFile(path("empty.dwl"), target), DwellingReadStatus::Ok);
    for (const auto& text : back.entryTexts)
        EXPECT_EQ(text, "");
    // Empty names and heat type keep what was there.
    EXPECT_EQ(back.otherApp1.name, "Sauna");
    EXPECT_EQ(back.heatType, 2);
    EXPECT_EQ(back.method(), NecMethod::Standard);
}

TEST_F(DwellingFileTest, NameWithADoubleQuoteReadsBackWhole) {
    DwellingInput in;
    in.otherApp1.name = "12\" pipe \"heater\"";
    in.otherApp2.name = "\"";
    ASSERT_FALSE(writeDwellingFile(path("quote.dwl"), in));
    DwellingInput back;
    DwellingInputTarget target(back);
    ASSERT_EQ(readDwellingFile(path("quote.dwl"), target), DwellingReadStatus::Ok);
    EXPECT_EQ(back.otherApp1.name, "12\" pipe \"heater\"");
    EXPECT_EQ(back.otherApp2.name, "\"");
}

TEST_F(DwellingFileTest, NamesAreWindows1252OnDisk) {
    DwellingInput in;
    in.otherLighting.name = "Caf\u00E9 \u20AC";
    ASSERT_FALSE(writeDwellingFile(path("cafe.dwl"), in));
    EXPECT_NE(slurp(path("cafe.dwl")).find("\"Caf\xE9 \x80\""), std::string::npos);
    DwellingInput back;
    DwellingInputTarget target(back);
    ASSERT_EQ(readDwellingFile(path("cafe.dwl"), target), DwellingReadStatus::Ok);
    EXPECT_EQ(back.otherLighting.name, "Caf\u00E9 \u20AC");
}

TEST_F(DwellingFileTest, RefusedFilesKeepWhatWasRead) {
    struct Case {
        const char* what;
        std::string bytes;
        int entriesApplied;
    };
    DwellingInput in = sample();
    std::string badFlag = formatDwellingFile(in);
    badFlag.replace(badFlag.find("#FALSE#"), 7, "#MAYBE#");
    std::string badHeat = formatDwellingFile(in);
    badHeat.replace(badHeat.find("Less than"), 4, "More");
    const Case cases[] = {
        {"signature in another case", "\"Dwelling file\"\r\n\"1500\"\r\n", 0},
        {"no signature", "\"1500\"\r\n", 0},
        {"empty file", "", 0},
        {"30 lines", firstLines(in, 30), 20},
        {"ends inside the entries", firstLines(in, 8), 7},
        {"unreadable flag", badFlag, 20},
        {"unknown heat type", badHeat, 20},
    };
    for (const auto& c : cases) {
        spit(path("bad.dwl"), c.bytes);
        DwellingInput back;
        DwellingInputTarget target(back);
        EXPECT_EQ(readDwellingFile(path("bad.dwl"), target), DwellingReadStatus::NotADwellingFile)
            << c.what;
        for (int i = 0; i < kEntryCount; ++i)
            EXPECT_EQ(back.entryTexts[i], i < c.entriesApplied ? in.entryTexts[i] : "")
                << c.what << " entry " << i;
    }
}

TEST_F(DwellingFileTest, ThirtyLinesApplyEverythingBeforeLine31) {
    const DwellingInput in = sample();
    spit(path("short.dwl"), firstLines(in, 30));
    DwellingInput back;
    DwellingInputTarget target(back);
    EXPECT_EQ(readDwellingFile(path("short.dwl"), target), DwellingReadStatus::NotADwellingFile);
    EXPECT_EQ(back.heatType, 2);
    EXPECT_EQ(back.otherApp1, in.otherApp1);
    EXPECT_EQ(back.otherApp2.name, "Kiln");
    EXPECT_EQ(back.otherApp2.motor, in.otherApp2.motor); // lines 29 and 30
    EXPECT_EQ(back.otherLighting.name, "");
}

TEST_F(DwellingFileTest, MissingFileCannotBeOpened) {
    DwellingInput back;
    DwellingInputTarget target(back);
    EXPECT_EQ(readDwellingFile(path("nowhere.dwl"), target), DwellingReadStatus::CannotOpen);
}

TEST_F(DwellingFileTest, LenientReading) {
    // LF endings, plain-number flags, unquoted fields, and lines after line 38.
    std::string text = formatDwellingFile(sample());
    for (std::size_t pos; (pos = text.find("\r\n")) != std::string::npos;)
        text.replace(pos, 2, "\n");
    text.replace(text.find("\"1500\""), 6, "  1500 , junk");
    text.replace(text.find("#TRUE#"), 6, "1");
    text += "trailing rubbish\n";
    spit(path("lenient.dwl"), text);
    DwellingInput back;
    DwellingInputTarget target(back);
    ASSERT_EQ(readDwellingFile(path("lenient.dwl"), target), DwellingReadStatus::Ok);
    EXPECT_EQ(back, sample());
}

TEST_F(DwellingFileTest, SettingAnOptionSelectsItWithinItsPair) {
    std::string text = formatDwellingFile(DwellingInput{});
    // Lines 24 and 25: Motor and NonMotor both set; the later one wins.
    std::vector<std::size_t> starts{0};
    for (std::size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos; pos += 2)
        starts.push_back(pos + 2);
    std::string edited;
    for (int line = 0; line < 38; ++line) {
        std::string l = text.substr(starts[line], starts[line + 1] - starts[line]);
        if (line == 23 || line == 24)
            l = "#TRUE#\r\n";
        if (line == 35 || line == 36 || line == 37) // no method at all
            l = "#FALSE#\r\n";
        edited += l;
    }
    spit(path("pairs.dwl"), edited);
    DwellingInput back;
    DwellingInputTarget target(back);
    ASSERT_EQ(readDwellingFile(path("pairs.dwl"), target), DwellingReadStatus::Ok);
    EXPECT_EQ(back.otherApp1.motor, (OptionPair{false, true}));
    EXPECT_EQ(back.method(), std::nullopt);
}

TEST_F(DwellingFileTest, NameIsTakenAsTyped) {
    ASSERT_FALSE(writeDwellingFile(path("house"), sample()));
    EXPECT_TRUE(fs::exists(path("house")));
    EXPECT_FALSE(fs::exists(path("house.dwl")));
}

TEST_F(DwellingFileTest, SavingReplacesAnExistingFile) {
    spit(path("old.dwl"), "something else entirely, and longer than the new file would be......");
    ASSERT_FALSE(writeDwellingFile(path("old.dwl"), DwellingInput{}));
    EXPECT_EQ(slurp(path("old.dwl")), formatDwellingFile(DwellingInput{}));
}

TEST_F(DwellingFileTest, FailedSaveKeepsTheOldFileAndLeavesNoTrace) {
    spit(path("keep.dwl"), "precious");
    // Let writes fail part-way: the file-size limit stops the new file after 64 bytes.
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::error_code error = writeDwellingFile(path("keep.dwl"), sample());
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_TRUE(error);
    EXPECT_EQ(slurp(path("keep.dwl")), "precious");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(DwellingFileTest, SaveIntoAMissingFolderFails) {
    EXPECT_TRUE(writeDwellingFile(path("no/such/folder/x.dwl"), sample()));
    EXPECT_TRUE(writeDwellingFile(dir_, sample())); // a folder is no file
}

TEST(DwellingFileTexts, Messages) {
    EXPECT_EQ(dwellingOpenErrorText("a.dwl"),
              "Error opening file: a.dwl. Selected file appears not to be a valid dwelling file.");
    EXPECT_EQ(dwellingSaveErrorText("a.dwl"), "Error saving file: a.dwl. File not saved.");
}

TEST(DwellingFileTexts, TextItems) {
    EXPECT_EQ(parseTextItem("\"abc\""), "abc");
    EXPECT_EQ(parseTextItem("  \"a,b\"  "), "a,b");
    EXPECT_EQ(parseTextItem("\"unterminated"), "unterminated");
    EXPECT_EQ(parseTextItem("  plain , rest"), "plain");
    EXPECT_EQ(parseTextItem(""), "");
}

} // namespace
} // namespace ampleton
