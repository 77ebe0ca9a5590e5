#pragma once
// The script language of dvscript: one member call per line, by name, with literal arguments.
//
//     Member arg, arg, ...      calls a method; arguments may be left out (missing)
//     Property = value          writes a property
//     ? Property  /  ? Function arg, ...   prints the value
//     ' comment  /  # comment
//
// Literals: "text" ("" stands for one quote), whole numbers -32768..32767 (Integer), other whole
// numbers (Long), numbers with a decimal point (Double), True and False (Boolean).

#include "platform/com/Unknown.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace dvscript {

struct Statement {
    enum class Kind { Call, Assign, Print } kind = Kind::Call;
    std::string member;
    std::vector<com::Variant> args; // for Assign, the one value
};

// Nothing for a blank or comment line; a text saying what is wrong for a line that does not
// parse.
using Parsed = std::variant<std::monostate, Statement, std::string>;
Parsed parseLine(std::string_view line);

// How a value prints: numbers in their shortest form, Booleans True/False, texts as they are.
std::string formatValue(const com::Variant& v);

// "error N: TEXT", with carriage returns shown as \r.
std::string formatError(const com::ErrorInfo& e);

// Runs every line of the script against the object, writing printed values and errors to out.
void runScript(com::Dispatch& object, std::string_view script, std::ostream& out);

} // namespace dvscript
