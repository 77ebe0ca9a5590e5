#pragma once
// The automation variant: the value type of optional arguments and of calls by name.
//
// A member of an object-server class receives its optional arguments as Variants and inspects
// them itself: absent, a number, a text, a Boolean, ... Texts are UTF-8. A text passed by
// reference (a client's string variable) reads like any text and can be written back through
// assignText(); its referent must outlive the call.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace com {

// VarType order and names follow the automation types; `Missing` is an argument not given.
enum class VarType { Missing, Boolean, Integer, Long, Single, Double, Currency, Date, String };

// Fixed point with four decimals, as the automation currency type (value × 10000 in 64 bits).
struct Currency {
    std::int64_t scaled = 0;

    static Currency fromDouble(double value); // rounded half to even at the fourth decimal
    double toDouble() const { return double(scaled) / 10000.0; }
    friend auto operator<=>(const Currency&, const Currency&) = default;
};

// Automation date: days since 30 December 1899, the fraction being the time of day.
struct Date {
    double days = 0;
    friend auto operator<=>(const Date&, const Date&) = default;
};

class Variant {
public:
    Variant() = default; // missing
    Variant(bool b) : value_(b) {}
    Variant(std::int16_t i) : value_(i) {}
    Variant(std::int32_t l) : value_(l) {}
    Variant(float s) : value_(s) {}
    Variant(double d) : value_(d) {}
    Variant(Currency c) : value_(c) {}
    Variant(Date d) : value_(d) {}
    Variant(std::string s) : value_(std::move(s)) {}
    Variant(std::string_view s) : value_(std::string(s)) {}
    Variant(const char* s) : value_(std::string(s)) {}

    // A text variable of the caller, passed by reference.
    static Variant byRef(std::string& text) {
        Variant v;
        v.value_ = &text;
        return v;
    }

    VarType type() const;

    // The type tests members make of their arguments.
    bool isMissing() const { return type() == VarType::Missing; }
    bool isBoolean() const { return type() == VarType::Boolean; }
    bool isDate() const { return type() == VarType::Date; }
    // Integer, Long, Single, Double or Currency. A numeric text such as "5" is a text, not a
    // number.
    bool isNumber() const;
    // A text, given by value or by reference.
    bool isText() const { return type() == VarType::String; }
    bool isByRef() const { return std::holds_alternative<std::string*>(value_); }

    // The value of a number (see isNumber), else nothing.
    std::optional<double> number() const;
    // A number rounded half to even to an Integer (16 bits) or Long (32 bits); nothing when the
    // variant is no number or the rounded value does not fit.
    std::optional<std::int16_t> roundedInteger() const;
    std::optional<std::int32_t> roundedLong() const;
    // The text of a text, else nothing.
    std::optional<std::string> text() const;
    // The value of a Boolean, else nothing.
    std::optional<bool> boolean() const;

    // Writes a text back: through the reference when passed by reference, else into this variant.
    void assignText(std::string text);

    // Conversions a call by name applies to a typed parameter, with the automation rules: numbers,
    // Booleans (True = -1), dates and numeric texts convert; overflow raises error 6, anything else
    // error 13; a missing argument raises error 449. See Error.h.
    bool toBoolean() const;
    std::int16_t toInteger() const;
    std::int32_t toLong() const;
    float toSingle() const;
    double toDouble() const;
    std::string toText() const;

    // Equal type and value; a text by reference compares by its current text.
    friend bool operator==(const Variant& a, const Variant& b);

private:
    std::variant<std::monostate, bool, std::int16_t, std::int32_t, float, double, Currency, Date,
                 std::string, std::string*>
        value_;
};

// How a variant is shown in test output and diagnostics: type and value.
std::string describe(const Variant& v);

} // namespace com
