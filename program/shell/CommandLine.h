#pragma once
// Batch use without a window: `ampleton calc|report|table ...`.

#include "program/dwelling/LoadCalculation.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace ampleton {

// Runs the command in `args` (program name excluded) and returns the exit status.
int runCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

std::string commandLineHelp();

// The LoadResult as one JSON object keyed by its field names.
std::string loadResultJson(const LoadResult& result);

} // namespace ampleton
