#include "program/shell/DiskError.h"
#include "program/shell/Settings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace ampleton {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "settings-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::string contentOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

Settings sample() {
    Settings s;
    s.headerLines = {"Smith, Jones & Co.", "Electrical Engineers", "12 Main St.", "Springfield"};
    s.drive = "/";
    s.directory = "/home/u/dwellings";
    s.defaultDataDir = "/home/u/dwellings";
    s.printHeader = 1;
    return s;
}

TEST(SettingsFile, IsOneLineOfEightFieldsAndReadsBackWhole) {
    TempFolder folder;
    const fs::path file = folder.path() / kSettingsFileName;
    ASSERT_FALSE(writeSettings(file, sample()));
    EXPECT_EQ(contentOf(file), "\"Smith, Jones & Co.\",\"Electrical Engineers\",\"12 Main St.\","
                               "\"Springfield\",\"/\",\"/home/u/dwellings\",\"/home/u/dwellings\",1"
                               "\r\n");
    Settings back;
    EXPECT_TRUE(readSettings(file, back));
    EXPECT_EQ(back, sample());
}

TEST(SettingsFile, ReadsLenientlyAndKeepsTheFieldsBeforeAFailure) {
    const struct {
        const char* text;
        bool ok;
        const char* line1;
        const char* dataDir;
        int printHeader;
    } cases[] = {
        {"\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",1\r\n", true, "a", "g", 1},
        {"  \"a\" , b ,\"c\",\"d\",\"e\",\"f\",  g  ,0", true, "a", "g", 0},   // spaces, unquoted
        {"\"a\",\"b\",\"c\"\r\n", false, "a", "keep", 7},                      // short file
        {"\"a\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",yes", false, "a", "g", 7}, // bad number
        {"\"a\r\n\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"h\",2", true, "a\r\n", "h", 2},
        {"", false, "keep", "keep", 7},
    };
    for (const auto& c : cases) {
        Settings s;
        s.headerLines[0] = "keep";
        s.defaultDataDir = "keep";
        s.printHeader = 7;
        EXPECT_EQ(parseSettings(c.text, s), c.ok) << c.text;
        EXPECT_EQ(s.headerLines[0], c.line1) << c.text;
        EXPECT_EQ(s.defaultDataDir, c.dataDir) << c.text;
        EXPECT_EQ(s.printHeader, c.printHeader) << c.text;
    }
}

TEST(SettingsFile, AFailedWriteLeavesNothingBehindAndTheOldFileWhole) {
    TempFolder folder;
    EXPECT_TRUE(writeSettings(folder.path() / "missing" / kSettingsFileName, sample()));
    fs::create_directory(folder.path() / "taken");
    EXPECT_TRUE(writeSettings(folder.path() / "taken", sample()));
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::recursive_directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 1u); // only the directory "taken"
}

TEST(StartupSettings, WithoutAFileTheDataDirectoryIsTheProgramsFolder) {
    TempFolder folder;
    Settings s;
    loadStartupSettings(folder.path(), s);
    EXPECT_EQ(s.defaultDataDir, folder.path().string());
    EXPECT_EQ(s.headerLines, (std::array<std::string, 4>{}));
    EXPECT_EQ(s.printHeader, 0);

    std::ofstream(folder.path() / kSettingsFileName, std::ios::binary) << "\"x\",\"y\"";
    Settings damaged;
    loadStartupSettings(folder.path(), damaged);
    EXPECT_EQ(damaged.headerLines[1], "y");
    EXPECT_EQ(damaged.defaultDataDir, ""); // the file was there: no default
}

TEST(DiskError, OurFailuresMapToTheMessages) {
    const struct {
        int error;
        std::optional<DiskError> row;
        const char* text;
    } cases[] = {
        {ENOMEDIUM, DiskError::DiskNotReady, "Insert a disk in the drive and close the door."},
        {ENOENT, DiskError::PathNotFound, "That path does not exist."},
        {ENXIO, DiskError::DeviceUnavailable, "That device appears unavailable."},
        {EIO, DiskError::DeviceIO, "Internal disk error."},
        {ENOSPC, DiskError::DiskFull, "Disk is full. Continue?"},
        {ENAMETOOLONG, DiskError::BadFileName, "That filename is illegal."},
        {EACCES, DiskError::BadFileMode, "Can't open your file for that type of access."},
        {EBUSY, DiskError::FileAlreadyOpen, "This file is already open."},
        {EINTR, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        const auto row = diskErrorOf(std::error_code(c.error, std::generic_category()));
        EXPECT_EQ(row, c.row) << c.error;
        if (row) {
            EXPECT_EQ(diskErrorText(*row), c.text);
        }
    }
    EXPECT_EQ(diskErrorText(DiskError::InputPastEnd),
              "This file has a nonstandard end-of-file marker.or an attempt was made to read "
              "beyond the end-of-file marker.");
    EXPECT_EQ(diskErrorOf({}), std::nullopt);
}

} // namespace
} // namespace ampleton
