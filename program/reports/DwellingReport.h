#pragma once
// The text of the dwelling load report: fixed-pitch lines in which columns are made of spaces and
// leader characters. Lines are UTF-8; the rule of soft hyphens is U+00AD (byte 173 in
// Windows-1252).

#include "program/dwelling/DwellingInput.h"
#include "program/dwelling/LoadCalculation.h"

#include <optional>
#include <string>
#include <vector>

namespace ampleton {

// Element 0 is always empty; elements 1..n are the report's lines.
using ReportLines = std::vector<std::string>;

// The report of a finished calculation. With no method selected there is no report (nullopt) and
// the caller keeps the lines it had.
std::optional<ReportLines> buildDwellingReport(const LoadResult& result,
                                               const DwellingInput& input);

// Formatting of report amounts, exposed for the tests.
namespace report {
std::string number(std::int64_t n); // " 123", "-123"
std::string amount(std::int64_t n); // number() right-aligned in 7 characters, never cut
} // namespace report

} // namespace ampleton
