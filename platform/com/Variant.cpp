#include "platform/com/Variant.h"

#include "platform/com/Error.h"
#include "platform/com/Names.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace com {
namespace {

double roundHalfEven(double d) {
    const double r = std::round(d);
    if (std::abs(d - std::trunc(d)) == 0.5)
        return 2.0 * std::round(d / 2.0);
    return r;
}

template <class I> std::optional<I> roundedTo(double d) {
    const double r = roundHalfEven(d);
    if (!(r >= double(std::numeric_limits<I>::min()) && r <= double(std::numeric_limits<I>::max())))
        return std::nullopt;
    return I(r);
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A numeric text as the automation conversions read it: optional sign, decimal digits, optional
// fraction and exponent, surrounding blanks allowed.
std::optional<double> parseNumber(std::string_view s) {
    s = trimmed(s);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '-' ||
                       s.front() == '.'))
        return std::nullopt;
    double d = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), d);
    if (ec == std::errc::result_out_of_range)
        raise(StandardError::Overflow);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(d))
        return std::nullopt;
    return d;
}

template <class F> std::string shortest(F value) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

// The calendar date (and time, when not midnight) of an automation date, by the days-to-civil
// algorithm of Howard Hinnant.
std::string isoDate(double days) {
    const double whole = std::floor(days);
    long long z = static_cast<long long>(whole) - 25569 + 719468; // 1899-12-30 is day -25569
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long long d = doy - (153 * mp + 2) / 5 + 1;
    const long long m = mp < 10 ? mp + 3 : mp - 9;
    const long long y = yoe + era * 400 + (m <= 2);
    char buf[96];
    const long long secs = std::llround((days - whole) * 86400.0);
    if (secs == 0)
        std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld", y, m, d);
    else
        std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", y, m, d,
                      secs / 3600, secs / 60 % 60, secs % 60);
    return buf;
}

} // namespace

Currency Currency::fromDouble(double value) {
    const double scaled = roundHalfEven(value * 10000.0);
    if (!(std::abs(scaled) < 9.2e18))
        raise(StandardError::Overflow);
    return Currency{static_cast<std::int64_t>(scaled)};
}

VarType Variant::type() const {
    static constexpr VarType kTypes[] = {
        VarType::Missing, VarType::Boolean,  VarType::Integer, VarType::Long,   VarType::Single,
        VarType::Double,  VarType::Currency, VarType::Date,    VarType::String, VarType::String};
    return kTypes[value_.index()];
}

bool Variant::isNumber() const {
    switch (type()) {
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
        return true;
    default:
        return false;
    }
}

std::optional<double> Variant::number() const {
    if (auto* i = std::get_if<std::int16_t>(&value_))
        return *i;
    if (auto* l = std::get_if<std::int32_t>(&value_))
        return *l;
    if (auto* s = std::get_if<float>(&value_))
        return *s;
    if (auto* d = std::get_if<double>(&value_))
        return *d;
    if (auto* c = std::get_if<Currency>(&value_))
        return c->toDouble();
    return std::nullopt;
}

std::optional<std::int16_t> Variant::roundedInteger() const {
    const auto n = number();
    return n ? roundedTo<std::int16_t>(*n) : std::nullopt;
}

std::optional<std::int32_t> Variant::roundedLong() const {
    const auto n = number();
    return n ? roundedTo<std::int32_t>(*n) : std::nullopt;
}

std::optional<std::string> Variant::text() const {
    if (auto* s = std::get_if<std::string>(&value_))
        return *s;
    if (auto* r = std::get_if<std::string*>(&value_))
        return **r;
    return std::nullopt;
}

std::optional<bool> Variant::boolean() const {
    if (auto* b = std::get_if<bool>(&value_))
        return *b;
    return std::nullopt;
}

void Variant::assignText(std::string text) {
    if (auto* r = std::get_if<std::string*>(&value_))
        **r = std::move(text);
    else
        value_ = std::move(text);
}

double Variant::toDouble() const {
    switch (type()) {
    case VarType::Missing:
        raise(StandardError::ArgumentNotOptional);
    case VarType::Boolean:
        return *boolean() ? -1.0 : 0.0;
    case VarType::Date:
        return std::get<Date>(value_).days;
    case VarType::String:
        if (const auto n = parseNumber(*text()))
            return *n;
        raise(StandardError::TypeMismatch);
    default:
        return *number();
    }
}

float Variant::toSingle() const {
    const double d = toDouble();
    if (std::abs(d) > double(std::numeric_limits<float>::max()))
        raise(StandardError::Overflow);
    return float(d);
}

std::int16_t Variant::toInteger() const {
    if (const auto i = roundedTo<std::int16_t>(toDouble()))
        return *i;
    raise(StandardError::Overflow);
}

std::int32_t Variant::toLong() const {
    if (const auto l = roundedTo<std::int32_t>(toDouble()))
        return *l;
    raise(StandardError::Overflow);
}

bool Variant::toBoolean() const {
    if (const auto b = boolean())
        return *b;
    if (const auto t = text()) {
        const auto s = trimmed(*t);
        if (sameName(s, "true"))
            return true;
        if (sameName(s, "false"))
            return false;
    }
    return toDouble() != 0.0;
}

std::string Variant::toText() const {
    switch (type()) {
    case VarType::Missing:
        raise(StandardError::ArgumentNotOptional);
    case VarType::Boolean:
        return *boolean() ? "True" : "False";
    case VarType::Integer:
        return std::to_string(std::get<std::int16_t>(value_));
    case VarType::Long:
        return std::to_string(std::get<std::int32_t>(value_));
    case VarType::Single:
        return shortest(std::get<float>(value_));
    case VarType::Double:
        return shortest(std::get<double>(value_));
    case VarType::Currency:
        return shortest(std::get<Currency>(value_).toDouble());
    case VarType::Date:
        return isoDate(std::get<Date>(value_).days);
    case VarType::String:
        break;
    }
    return *text();
}

bool operator==(const Variant& a, const Variant& b) {
    if (a.type() != b.type())
        return false;
    if (a.isText())
        return *a.text() == *b.text();
    return a.value_ == b.value_;
}

std::string describe(const Variant& v) {
    static constexpr std::string_view kNames[] = {
        "Missing", "Boolean", "Integer", "Long", "Single", "Double", "Currency", "Date", "String"};
    std::string out(kNames[int(v.type())]);
    if (v.isByRef())
        out += " by reference";
    if (!v.isMissing())
        out += v.isText() ? " \"" + *v.text() + "\"" : " " + v.toText();
    return out;
}

} // namespace com
