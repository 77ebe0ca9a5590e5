#include "tools/dvscript/Script.h"

#include <gtest/gtest.h>

namespace dvscript {
namespace {

using com::Variant;

TEST(ScriptTest, LinesParseIntoCallsAssignmentsAndPrints) {
    struct Case {
        const char* line;
        Statement::Kind kind;
        const char* member;
        std::vector<Variant> args;
    };
    const Case cases[] = {
        {"DrawText \"Hi\", 1, 1, , , 2",
         Statement::Kind::Call,
         "DrawText",
         {Variant("Hi"), Variant(std::int16_t(1)), Variant(std::int16_t(1)), Variant(), Variant(),
          Variant(std::int16_t(2))}},
        {"  NewPage  ", Statement::Kind::Call, "NewPage", {}},
        {"PageWidth = 21.59", Statement::Kind::Assign, "PageWidth", {Variant(21.59)}},
        {"Title=\"say \"\"hi\"\"\"", Statement::Kind::Assign, "Title", {Variant("say \"hi\"")}},
        {"? FontName", Statement::Kind::Print, "FontName", {}},
        {"?GetTextWidth \"abc\"", Statement::Kind::Print, "GetTextWidth", {Variant("abc")}},
        {"SetPen 32767, -32768",
         Statement::Kind::Call,
         "SetPen",
         {Variant(std::int16_t(32767)), Variant(std::int16_t(-32768))}},
        {"SetPen 32768, 16777216, True",
         Statement::Kind::Call,
         "SetPen",
         {Variant(std::int32_t(32768)), Variant(std::int32_t(16777216)), Variant(true)}},
        {"SaveDoc \"a b\", false",
         Statement::Kind::Call,
         "SaveDoc",
         {Variant("a b"), Variant(false)}},
        {"DrawRectangle 1, , 2,",
         Statement::Kind::Call,
         "DrawRectangle",
         {Variant(std::int16_t(1)), Variant(), Variant(std::int16_t(2)), Variant()}},
    };
    for (const Case& c : cases) {
        const Parsed p = parseLine(c.line);
        const auto* st = std::get_if<Statement>(&p);
        ASSERT_TRUE(st) << c.line;
        EXPECT_EQ(st->kind, c.kind) << c.line;
        EXPECT_EQ(st->member, c.member) << c.line;
        EXPECT_EQ(st->args, c.args) << c.line;
    }
}

TEST(ScriptTest, CommentsBlanksAndFaults) {
    EXPECT_TRUE(std::holds_alternative<std::monostate>(parseLine("' a comment")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(parseLine("  # another")));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(parseLine("   \r")));
    for (const char* bad : {"DrawText \"open", "DrawLine 1 2", "= 3", "Title = ", "DrawLine x"})
        EXPECT_TRUE(std::holds_alternative<std::string>(parseLine(bad))) << bad;
}

TEST(ScriptTest, ValuesAndErrorsPrint) {
    EXPECT_EQ(formatValue(Variant(8.5f)), "8.5");
    EXPECT_EQ(formatValue(Variant(21.59f)), "21.59");
    EXPECT_EQ(formatValue(Variant(std::int16_t(-1))), "-1");
    EXPECT_EQ(formatValue(Variant(true)), "True");
    EXPECT_EQ(formatValue(Variant("Times New Roman")), "Times New Roman");
    EXPECT_EQ(formatError({212, "a.\r\rb"}), "error 212: a.\\r\\rb");
}

} // namespace
} // namespace dvscript
