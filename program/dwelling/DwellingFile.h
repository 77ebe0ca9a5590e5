#pragma once
// Dwelling files: 38 lines, each one text item "..." or flag item #TRUE#/#FALSE#, ended by CR LF,
// in Windows-1252. The line table below is used by both the writer and the reader.

#include "program/dwelling/DwellingInput.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace ampleton {

inline constexpr std::string_view kDwellingSignature = "Dwelling File";
inline constexpr std::string_view kDwellingFilter = "Dwelling Files (*.dwl)|*.dwl";
inline constexpr std::string_view kDwellingExtension = "dwl";
inline constexpr std::string_view kOpenDwellingTitle = "Open File: Dwelling";
inline constexpr std::string_view kSaveDwellingTitle = "Save File: Dwelling";

std::string dwellingSaveErrorText(std::string_view fileName);
std::string dwellingOpenErrorText(std::string_view fileName);

enum class NameField { OtherApp1, OtherApp2, OtherLighting };

enum class DwellingOption {
    OtherApp1Motor,
    OtherApp1NonMotor,
    OtherApp1Fixed,
    OtherApp1Portable,
    OtherApp2Motor,
    OtherApp2NonMotor,
    OtherApp2Fixed,
    OtherApp2Portable,
    OtherLightingContinuous,
    OtherLightingNonContinuous,
    MethodStandard,
    MethodOptional,
    MethodAddition,
};

enum class LineKind { Signature, Entry, HeatType, Name, Option };

struct DwellingLine {
    LineKind kind;
    int which; // entry index, NameField or DwellingOption
};

inline constexpr int kDwellingLineCount = 38;

// Line 1 first.
inline constexpr std::array<DwellingLine, kDwellingLineCount> kDwellingLines = [] {
    std::array<DwellingLine, kDwellingLineCount> lines{};
    int n = 0;
    lines[n++] = {LineKind::Signature, 0};
    for (int i = 0; i < kEntryCount; ++i)
        lines[n++] = {LineKind::Entry, i};
    lines[n++] = {LineKind::HeatType, 0};
    auto option = [&](DwellingOption o) {
        lines[n++] = {LineKind::Option, int(o)};
    };
    lines[n++] = {LineKind::Name, int(NameField::OtherApp1)};
    for (auto o : {DwellingOption::OtherApp1Motor, DwellingOption::OtherApp1NonMotor,
                   DwellingOption::OtherApp1Fixed, DwellingOption::OtherApp1Portable})
        option(o);
    lines[n++] = {LineKind::Name, int(NameField::OtherApp2)};
    for (auto o : {DwellingOption::OtherApp2Motor, DwellingOption::OtherApp2NonMotor,
                   DwellingOption::OtherApp2Fixed, DwellingOption::OtherApp2Portable})
        option(o);
    lines[n++] = {LineKind::Name, int(NameField::OtherLighting)};
    option(DwellingOption::OtherLightingContinuous);
    option(DwellingOption::OtherLightingNonContinuous);
    option(DwellingOption::MethodStandard);
    option(DwellingOption::MethodOptional);
    option(DwellingOption::MethodAddition);
    return lines;
}();

// Receives the items of a file in file order while it is read. A failure stops the reading; what
// was handed over before it stays with the target.
class DwellingFileTarget {
public:
    virtual ~DwellingFileTarget() = default;
    virtual void setEntryText(int index, const std::string& text) = 0;
    // After the 20 entries: the dwelling window puts the focus into the first field here.
    virtual void entriesRead() {}
    // Called only for a non-empty text; false when no list entry has it.
    virtual bool selectHeatType(const std::string& text) = 0;
    // Called only for a non-empty name.
    virtual void setName(NameField field, const std::string& name) = 0;
    virtual void setOption(DwellingOption option, bool on) = 0;
};

// Applies a file to a DwellingInput with the window's rules.
class DwellingInputTarget : public DwellingFileTarget {
public:
    explicit DwellingInputTarget(DwellingInput& input) : input_(input) {}
    void setEntryText(int index, const std::string& text) override;
    bool selectHeatType(const std::string& text) override;
    void setName(NameField field, const std::string& name) override;
    void setOption(DwellingOption option, bool on) override;

private:
    DwellingInput& input_;
};

enum class DwellingReadStatus { Ok, CannotOpen, NotADwellingFile };

// Reads lines 1..38; lines after line 38 are not read. Any failure (wrong signature, fewer than 38
// lines, an unreadable flag, an unknown heat type, a read error) stops at that line.
DwellingReadStatus readDwellingFile(const std::filesystem::path& path, DwellingFileTarget& target);

// The option state the writer stores for a line.
bool optionState(const DwellingInput& input, DwellingOption option);

// The 38 lines, CR LF ended, Windows-1252.
std::string formatDwellingFile(const DwellingInput& input);

// Writes the file whole or not at all: an existing file is replaced only once the new one is
// complete on disk.
std::error_code writeDwellingFile(const std::filesystem::path& path, const DwellingInput& input);

// One item of a line: a quoted text ends at its last double quote, so a quote typed into a name
// reads back whole; an unquoted field ends at a comma, leading spaces skipped.
std::string parseTextItem(std::string_view line);

} // namespace ampleton
