#include "program/dwelling/DwellingFile.h"

#include "platform/text/cp1252.h"
#include "program/dwelling/AtomicFile.h"

#include <fstream>
#include <optional>

namespace ampleton {

std::string dwellingSaveErrorText(std::string_view fileName) {
    return "Error saving file: " + std::string(fileName) + ". File not saved.";
}

std::string dwellingOpenErrorText(std::string_view fileName) {
    return "Error opening file: " + std::string(fileName) +
           ". Selected file appears not to be a valid dwelling file.";
}

namespace {

constexpr std::string_view kTrue = "#TRUE#";
constexpr std::string_view kFalse = "#FALSE#";

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// #TRUE# / #FALSE#, or a plain number (non-zero means set); an empty field reads as 0.
std::optional<bool> parseFlagItem(std::string_view line) {
    std::string_view s = trimSpaces(line);
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        s = trimSpaces(s.substr(1, s.size() - 2));
    if (equalsIgnoringCase(s, kTrue))
        return true;
    if (equalsIgnoringCase(s, kFalse) || s.empty())
        return false;
    std::size_t i = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    bool digits = false, nonZero = false, point = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            digits = true;
            nonZero = nonZero || s[i] != '0';
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return nonZero;
}

} // namespace

std::string parseTextItem(std::string_view line) {
    std::string_view s = line;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    if (!s.empty() && s.front() == '"') {
        s.remove_prefix(1);
        const auto close = s.rfind('"');
        return std::string(close == std::string_view::npos ? s : s.substr(0, close));
    }
    const auto comma = s.find(',');
    return std::string(trimSpaces(comma == std::string_view::npos ? s : s.substr(0, comma)));
}

// ---- applying to a DwellingInput ----------------------------------------------------------------

void DwellingInputTarget::setEntryText(int index, const std::string& text) {
    input_.entryTexts[index] = text;
}

bool DwellingInputTarget::selectHeatType(const std::string& text) {
    const int index = heatTypeIndex(text);
    if (index < 0)
        return false;
    input_.heatType = index;
    return true;
}

void DwellingInputTarget::setName(NameField field, const std::string& name) {
    switch (field) {
    case NameField::OtherApp1:
        input_.otherApp1.name = name;
        break;
    case NameField::OtherApp2:
        input_.otherApp2.name = name;
        break;
    case NameField::OtherLighting:
        input_.otherLighting.name = name;
        break;
    }
}

void DwellingInputTarget::setOption(DwellingOption option, bool on) {
    using O = DwellingOption;
    switch (option) {
    case O::OtherApp1Motor:
        input_.otherApp1.motor.set(false, on);
        break;
    case O::OtherApp1NonMotor:
        input_.otherApp1.motor.set(true, on);
        break;
    case O::OtherApp1Fixed:
        input_.otherApp1.fixed.set(false, on);
        break;
    case O::OtherApp1Portable:
        input_.otherApp1.fixed.set(true, on);
        break;
    case O::OtherApp2Motor:
        input_.otherApp2.motor.set(false, on);
        break;
    case O::OtherApp2NonMotor:
        input_.otherApp2.motor.set(true, on);
        break;
    case O::OtherApp2Fixed:
        input_.otherApp2.fixed.set(false, on);
        break;
    case O::OtherApp2Portable:
        input_.otherApp2.fixed.set(true, on);
        break;
    case O::OtherLightingContinuous:
        input_.otherLighting.continuous.set(false, on);
        break;
    case O::OtherLightingNonContinuous:
        input_.otherLighting.continuous.set(true, on);
        break;
    case O::MethodStandard:
        input_.setMethodOption(NecMethod::Standard, on);
        break;
    case O::MethodOptional:
        input_.setMethodOption(NecMethod::Optional, on);
        break;
    case O::MethodAddition:
        input_.setMethodOption(NecMethod::Addition, on);
        break;
    }
}

bool optionState(const DwellingInput& in, DwellingOption option) {
    using O = DwellingOption;
    switch (option) {
    case O::OtherApp1Motor:
        return in.otherApp1.motor.first;
    case O::OtherApp1NonMotor:
        return in.otherApp1.motor.second;
    case O::OtherApp1Fixed:
        return in.otherApp1.fixed.first;
    case O::OtherApp1Portable:
        return in.otherApp1.fixed.second;
    case O::OtherApp2Motor:
        return in.otherApp2.motor.first;
    case O::OtherApp2NonMotor:
        return in.otherApp2.motor.second;
    case O::OtherApp2Fixed:
        return in.otherApp2.fixed.first;
    case O::OtherApp2Portable:
        return in.otherApp2.fixed.second;
    case O::OtherLightingContinuous:
        return in.otherLighting.continuous.first;
    case O::OtherLightingNonContinuous:
        return in.otherLighting.continuous.second;
    case O::MethodStandard:
        return in.methodOptions[0];
    case O::MethodOptional:
        return in.methodOptions[1];
    case O::MethodAddition:
        return in.methodOptions[2];
    }
    return false;
}

// ---- reading ------------------------------------------------------------------------------------

DwellingReadStatus readDwellingFile(const std::filesystem::path& path, DwellingFileTarget& target) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return DwellingReadStatus::CannotOpen;
    for (const DwellingLine& item : kDwellingLines) {
        std::string raw;
        if (!std::getline(file, raw))
            return DwellingReadStatus::NotADwellingFile;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const std::string line = cp1252::toUtf8(raw);
        switch (item.kind) {
        case LineKind::Signature:
            if (parseTextItem(line) != kDwellingSignature)
                return DwellingReadStatus::NotADwellingFile;
            break;
        case LineKind::Entry:
            target.setEntryText(item.which, parseTextItem(line));
            if (item.which == kEntryCount - 1)
                target.entriesRead();
            break;
        case LineKind::HeatType: {
            const std::string text = parseTextItem(line);
            if (!text.empty() && !target.selectHeatType(text))
                return DwellingReadStatus::NotADwellingFile;
            break;
        }
        case LineKind::Name: {
            const std::string name = parseTextItem(line);
            if (!name.empty())
                target.setName(NameField(item.which), name);
            break;
        }
        case LineKind::Option: {
            const auto flag = parseFlagItem(line);
            if (!flag)
                return DwellingReadStatus::NotADwellingFile;
            target.setOption(DwellingOption(item.which), *flag);
            break;
        }
        }
    }
    return DwellingReadStatus::Ok;
}

// ---- writing ------------------------------------------------------------------------------------

std::string formatDwellingFile(const DwellingInput& in) {
    std::string out;
    auto text = [&](std::string_view utf8) {
        out += '"';
        out += cp1252::fromUtf8(utf8);
        out += "\"\r\n";
    };
    for (const DwellingLine& item : kDwellingLines) {
        switch (item.kind) {
        case LineKind::Signature:
            text(kDwellingSignature);
            break;
        case LineKind::Entry:
            text(in.entryTexts[item.which]);
            break;
        case LineKind::HeatType:
            text(in.heatTypeText());
            break;
        case LineKind::Name:
            text(NameField(item.which) == NameField::OtherApp1   ? in.otherApp1.name
                 : NameField(item.which) == NameField::OtherApp2 ? in.otherApp2.name
                                                                 : in.otherLighting.name);
            break;
        case LineKind::Option:
            out += optionState(in, DwellingOption(item.which)) ? kTrue : kFalse;
            out += "\r\n";
            break;
        }
    }
    return out;
}

std::error_code writeDwellingFile(const std::filesystem::path& path, const DwellingInput& input) {
    return writeFileAtomically(path, formatDwellingFile(input));
}

} // namespace ampleton
