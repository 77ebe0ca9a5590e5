#include "tools/dvscript/Script.h"

#include "platform/com/Names.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <sstream>

namespace dvscript {
namespace {

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

void skipSpaces(std::string_view s, std::size_t& i) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
}

// One literal, or nothing for an empty argument; throws the reason when it is no literal.
std::optional<com::Variant> parseLiteral(std::string_view s, std::size_t& i) {
    skipSpaces(s, i);
    if (i == s.size() || s[i] == ',')
        return std::nullopt;
    if (s[i] == '"') {
        std::string text;
        for (++i;; ++i) {
            if (i == s.size())
                throw std::string("unterminated text");
            if (s[i] == '"') {
                if (i + 1 < s.size() && s[i + 1] == '"') {
                    text += '"';
                    ++i;
                    continue;
                }
                ++i;
                return com::Variant(std::move(text));
            }
            text += s[i];
        }
    }
    const std::size_t start = i;
    while (i < s.size() && s[i] != ',' && s[i] != ' ' && s[i] != '\t')
        ++i;
    const std::string_view word = s.substr(start, i - start);
    if (com::sameName(word, "True"))
        return com::Variant(true);
    if (com::sameName(word, "False"))
        return com::Variant(false);
    const bool decimal = word.find('.') != std::string_view::npos ||
                         word.find_first_of("eE") != std::string_view::npos;
    if (decimal) {
        double d = 0;
        const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), d);
        if (ec != std::errc() || end != word.data() + word.size())
            throw "not a literal: " + std::string(word);
        return com::Variant(d);
    }
    long long n = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), n);
    if (ec == std::errc::result_out_of_range) {
        return com::Variant(std::stod(std::string(word)));
    }
    if (ec != std::errc() || end != word.data() + word.size() || word.empty())
        throw "not a literal: " + std::string(word);
    if (n >= std::numeric_limits<std::int16_t>::min() &&
        n <= std::numeric_limits<std::int16_t>::max())
        return com::Variant(std::int16_t(n));
    if (n >= std::numeric_limits<std::int32_t>::min() &&
        n <= std::numeric_limits<std::int32_t>::max())
        return com::Variant(std::int32_t(n));
    return com::Variant(double(n));
}

std::vector<com::Variant> parseArguments(std::string_view s, std::size_t& i) {
    std::vector<com::Variant> args;
    skipSpaces(s, i);
    if (i == s.size())
        return args;
    for (;;) {
        auto value = parseLiteral(s, i);
        args.push_back(value ? std::move(*value) : com::Variant());
        skipSpaces(s, i);
        if (i == s.size())
            break;
        if (s[i] != ',')
            throw std::string("expected a comma");
        ++i;
    }
    return args;
}

std::string formatFloat(double v, int digits) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    return buf;
}

} // namespace

Parsed parseLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    std::size_t i = 0;
    skipSpaces(line, i);
    if (i == line.size() || line[i] == '\'' || line[i] == '#')
        return std::monostate{};
    Statement st;
    if (line[i] == '?') {
        st.kind = Statement::Kind::Print;
        ++i;
        skipSpaces(line, i);
    }
    const std::size_t start = i;
    while (i < line.size() && isNameChar(line[i]))
        ++i;
    st.member = std::string(line.substr(start, i - start));
    if (st.member.empty())
        return std::string("expected a member name");
    try {
        std::size_t j = i;
        skipSpaces(line, j);
        if (st.kind == Statement::Kind::Call && j < line.size() && line[j] == '=') {
            st.kind = Statement::Kind::Assign;
            ++j;
            auto value = parseLiteral(line, j);
            skipSpaces(line, j);
            if (!value || j != line.size())
                return std::string("expected one value after =");
            st.args.push_back(std::move(*value));
            return st;
        }
        if (i < line.size() && line[i] != ' ' && line[i] != '\t')
            return std::string("unexpected character after the member name");
        st.args = parseArguments(line, i);
    } catch (const std::string& why) {
        return why;
    }
    return st;
}

std::string formatValue(const com::Variant& v) {
    switch (v.type()) {
    case com::VarType::Missing:
        return "";
    case com::VarType::Boolean:
        return *v.boolean() ? "True" : "False";
    case com::VarType::Integer:
    case com::VarType::Long:
        return std::to_string(*v.roundedLong());
    case com::VarType::Single:
        return formatFloat(*v.number(), 7);
    case com::VarType::Double:
    case com::VarType::Currency:
        return formatFloat(*v.number(), 15);
    case com::VarType::String:
        return *v.text();
    case com::VarType::Date:
        return v.toText();
    }
    return "";
}

std::string formatError(const com::ErrorInfo& e) {
    std::string text;
    for (char c : e.description)
        text += c == '\r' ? std::string("\\r") : std::string(1, c);
    return "error " + std::to_string(e.number) + ": " + text;
}

void runScript(com::Dispatch& object, std::string_view script, std::ostream& out) {
    std::size_t lineNumber = 0;
    while (!script.empty()) {
        const auto end = script.find('\n');
        const std::string_view line = script.substr(0, end);
        script = end == std::string_view::npos ? std::string_view() : script.substr(end + 1);
        ++lineNumber;
        const Parsed parsed = parseLine(line);
        if (const auto* why = std::get_if<std::string>(&parsed)) {
            out << "line " << lineNumber << ": " << *why << '\n';
            continue;
        }
        const auto* st = std::get_if<Statement>(&parsed);
        if (!st)
            continue;
        std::vector<com::Variant> args = st->args;
        const auto kind = st->kind == Statement::Kind::Assign  ? com::InvokeKind::PropertyPut
                          : st->kind == Statement::Kind::Print ? com::InvokeKind::PropertyGet
                                                               : com::InvokeKind::Method;
        const com::CallResult result = object.invoke(st->member, kind, args);
        if (result.error)
            out << formatError(*result.error) << '\n';
        else if (st->kind == Statement::Kind::Print)
            out << formatValue(result.value) << '\n';
    }
}

} // namespace dvscript
