#pragma once
// The user's settings and their one-line file "Ampleton.ini" in the program's folder: four report
// header lines, the drive and directory chosen in the preferences dialog, the default data
// directory and whether reports print the header.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace ampleton {

inline constexpr std::string_view kSettingsFileName = "Ampleton.ini";
inline constexpr int kHeaderLineMaxLength = 50;

struct Settings {
    std::array<std::string, 4> headerLines; // UTF-8
    std::string drive;
    std::string directory; // stored and read back, no further use
    std::string defaultDataDir;
    int printHeader = 0; // 1: print the header lines at the top of reports

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The settings of this run, loaded at start-up and replaced by the preferences dialog.
Settings& settings();

// The folder of the executable; tests point it elsewhere.
const std::filesystem::path& programFolder();
void setProgramFolder(std::filesystem::path folder);

// Reads the eight fields in order; a failure stops the reading and leaves the fields read so far
// in `into`. False on any failure.
bool readSettings(const std::filesystem::path& file, Settings& into);

// Reads as many fields as the text holds; false when it ends early or field 8 is not a number.
bool parseSettings(std::string_view text, Settings& into);

// The one line, CR LF ended, Windows-1252.
std::string formatSettings(const Settings& settings);

// Replaces the file only once the new one is complete.
std::error_code writeSettings(const std::filesystem::path& file, const Settings& settings);

// Start-up: the settings file of the program's folder when there is one, else the program's folder
// as the default data directory.
void loadStartupSettings(const std::filesystem::path& folder, Settings& into);

} // namespace ampleton
