#include "platform/com/Variant.h"

#include "platform/com/Error.h"

#include <gtest/gtest.h>

#include <functional>

namespace com {
namespace {

std::int32_t errorOf(const std::function<void()>& f) {
    const auto e = guardCall(f);
    return e ? e->number : 0;
}

struct TypeCase {
    Variant v;
    VarType type;
    bool number, text;
};

TEST(Variant, TypeTestsOfTheMembers) {
    std::string held = "5";
    const TypeCase cases[] = {
        {Variant(), VarType::Missing, false, false},
        {Variant(true), VarType::Boolean, false, false},
        {Variant(std::int16_t(3)), VarType::Integer, true, false},
        {Variant(70000), VarType::Long, true, false},
        {Variant(1.5f), VarType::Single, true, false},
        {Variant(2.25), VarType::Double, true, false},
        {Variant(Currency::fromDouble(1.25)), VarType::Currency, true, false},
        {Variant(Date{36526}), VarType::Date, false, false},
        {Variant("5"), VarType::String, false, true}, // a numeric text is a text
        {Variant::byRef(held), VarType::String, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(describe(c.v));
        EXPECT_EQ(c.v.type(), c.type);
        EXPECT_EQ(c.v.isNumber(), c.number);
        EXPECT_EQ(c.v.isNumber(), c.v.number().has_value());
        EXPECT_EQ(c.v.isText(), c.text);
        EXPECT_EQ(c.v.isMissing(), c.type == VarType::Missing);
    }
}

struct RoundCase {
    Variant v;
    std::optional<std::int16_t> integer;
};

TEST(Variant, NumbersRoundHalfToEvenIntoAnInteger) {
    const RoundCase cases[] = {
        {Variant(2.5), 2},
        {Variant(3.5), 4},
        {Variant(-2.5f), -2},
        {Variant(1.4999), 1},
        {Variant(32767.4), 32767},
        {Variant(32767.5), std::nullopt},
        {Variant(-32768), -32768},
        {Variant(40000), std::nullopt},
        {Variant("2"), std::nullopt}, // not a number
        {Variant(Currency::fromDouble(2.5)), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(describe(c.v));
        EXPECT_EQ(c.v.roundedInteger(), c.integer);
    }
}

struct ConversionCase {
    Variant v;
    double value; // when error is 0
    std::int32_t error;
};

TEST(Variant, ConversionsOfACallByName) {
    const ConversionCase cases[] = {
        {Variant(" 2.5 "), 2.5, 0},
        {Variant("-1e3"), -1000, 0},
        {Variant(true), -1, 0},
        {Variant(std::int16_t(7)), 7, 0},
        {Variant("abc"), 0, int(StandardError::TypeMismatch)},
        {Variant(""), 0, int(StandardError::TypeMismatch)},
        {Variant("inf"), 0, int(StandardError::TypeMismatch)},
        {Variant("12abc"), 0, int(StandardError::TypeMismatch)},
        {Variant(), 0, int(StandardError::ArgumentNotOptional)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(describe(c.v));
        double got = 0;
        EXPECT_EQ(errorOf([&] { got = c.v.toDouble(); }), c.error);
        if (c.error == 0) {
            EXPECT_EQ(got, c.value);
        }
    }
    EXPECT_EQ(Variant("2.5").toInteger(), 2);
    EXPECT_EQ(errorOf([] { Variant(1e10).toInteger(); }), int(StandardError::Overflow));
    EXPECT_EQ(errorOf([] { Variant(1e40).toSingle(); }), int(StandardError::Overflow));
    EXPECT_EQ(errorOf([] { Variant(3e9).toLong(); }), int(StandardError::Overflow));
    EXPECT_TRUE(Variant(" TRUE").toBoolean());
    EXPECT_FALSE(Variant(0.0).toBoolean());
    EXPECT_EQ(Variant(-1.5f).toText(), "-1.5");
    EXPECT_EQ(Variant(false).toText(), "False");
    EXPECT_EQ(Variant(Date{36526.5}).toText(), "2000-01-01 12:00:00");
}

TEST(Variant, TextByReferenceWritesThrough) {
    std::string remaining = "before";
    Variant ref = Variant::byRef(remaining);
    EXPECT_EQ(ref.text(), "before");
    ref.assignText("after");
    EXPECT_EQ(remaining, "after");
    Variant copy = ref; // a copy still refers to the caller's text
    copy.assignText("again");
    EXPECT_EQ(remaining, "again");
    EXPECT_EQ(ref, Variant("again"));

    Variant plain("x");
    plain.assignText("y");
    EXPECT_EQ(plain.text(), "y");
}

TEST(Variant, CurrencyKeepsFourDecimals) {
    EXPECT_EQ(Currency::fromDouble(1.23455).scaled, 12346); // 12345.5 -> even
    EXPECT_EQ(Currency::fromDouble(-0.00005).scaled, 0);
    EXPECT_EQ(Variant(Currency::fromDouble(19.99)).number(), 19.99);
}

TEST(Variant, EqualityNeedsTheSameType) {
    EXPECT_NE(Variant(std::int16_t(1)), Variant(1));
    EXPECT_NE(Variant("1"), Variant(1));
    EXPECT_EQ(Variant(), Variant());
    EXPECT_EQ(Variant(2.0f), Variant(2.0f));
}

} // namespace
} // namespace com
