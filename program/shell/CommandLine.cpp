#include "program/shell/CommandLine.h"

#include "program/dwelling/DwellingFile.h"
#include "program/reports/DwellingReport.h"
#include "program/reports/ReferenceTables.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <type_traits>

namespace ampleton {

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitBadFile = 2;

void appendJsonString(std::string& out, std::string_view s) {
    out += '"';
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    out += '"';
}

// Reads a dwelling file into a DwellingInput that starts as a new dwelling window does.
std::optional<DwellingInput> loadDwelling(const std::string& path, std::ostream& err) {
    DwellingInput input;
    DwellingInputTarget target(input);
    if (readDwellingFile(path, target) != DwellingReadStatus::Ok) {
        err << dwellingOpenErrorText(path) << '\n';
        return std::nullopt;
    }
    return input;
}

// The calculation as the dwelling window runs it once the focus has left the dryer field.
LoadCalculation calculate(DwellingInput& input, std::ostream& err) {
    LoadCalculation calc = calculateLoad(input);
    if (calc.dryerMinimumApplied) {
        err << kDryerMinimumMessage << '\n';
        input.entryTexts[Dryer] = std::string(kDryerMinimumText);
    }
    return calc;
}

} // namespace

std::string loadResultJson(const LoadResult& result) {
    std::string out = "{";
    bool first = true;
    forEachField(result, [&](std::string_view name, const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if (!first)
            out += ", ";
        first = false;
        appendJsonString(out, name);
        out += ": ";
        if constexpr (std::is_same_v<T, std::string>) {
            appendJsonString(out, value);
        } else if constexpr (std::is_same_v<T, bool>) {
            out += value ? "true" : "false";
        } else if constexpr (std::is_floating_point_v<T>) {
            // Whole values print as integers; others in the shortest form that reads back the same.
            char buf[32];
            const bool whole = std::abs(value) < 1e15f && value == std::trunc(value);
            const auto [end, ec] = whole ? std::to_chars(buf, buf + sizeof buf, std::int64_t(value))
                                         : std::to_chars(buf, buf + sizeof buf, value);
            out.append(buf, end);
        } else {
            out += std::to_string(value);
        }
    });
    out += "}";
    return out;
}

std::string commandLineHelp() {
    return "Usage: ampleton [COMMAND ARGS]\n"
           "Computes the service load of a one-family dwelling by the NEC load-calculation rules.\n"
           "\n"
           "Without a command the program opens its main window.\n"
           "\n"
           "Commands:\n"
           "  calc FILE.dwl     print the calculation of a dwelling file as one JSON object\n"
           "  report FILE.dwl   print the dwelling load report, one line each\n"
           "  table KEY         print a reference table; KEY is CookingUnitDemand,\n"
           "                    GroundElectrode or Note3\n"
           "  --help            show this text\n"
           "\n"
           "An invalid dwelling file ends with exit status 2. A dryer below 5000 VA in the\n"
           "Standard method is reported on standard error and counted at 5000 VA.\n";
}

int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << commandLineHelp();
        return 0;
    }
    const std::string& command = args[0];
    if (args.size() != 2) {
        err << "ampleton: " << command << ": expected one argument\n\n" << commandLineHelp();
        return kExitUsage;
    }
    if (command == "calc" || command == "report") {
        auto input = loadDwelling(args[1], err);
        if (!input)
            return kExitBadFile;
        const LoadCalculation calc = calculate(*input, err);
        if (command == "calc") {
            out << loadResultJson(calc.result) << '\n';
        } else if (auto lines = buildDwellingReport(calc.result, *input)) {
            for (std::size_t i = 1; i < lines->size(); ++i)
                out << (*lines)[i] << '\n';
        }
        return 0;
    }
    if (command == "table") {
        const auto lines = buildReferenceTable(args[1]);
        if (!lines) {
            err << "ampleton: unknown table \"" << args[1]
                << "\"; use CookingUnitDemand, GroundElectrode or Note3\n";
            return kExitUsage;
        }
        for (const auto& line : *lines)
            out << line << '\n';
        return 0;
    }
    err << "ampleton: unknown command \"" << command << "\"\n\n" << commandLineHelp();
    return kExitUsage;
}

} // namespace ampleton
