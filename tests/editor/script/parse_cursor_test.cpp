// Reading token fields: clipped at the end of the text, numbers independent of the locale.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "editor/script/parse_cursor.h"

namespace tessaro::parse {
namespace {

TEST(ParseCursor, ReadsStopAtTheEndOfTheText) {
    const std::string text = "ab<REP:00";
    const Cursor c(text, 2);
    EXPECT_TRUE(c.StartsWith("<REP:"));
    EXPECT_FALSE(c.StartsWith("<REP:0005"));
    EXPECT_EQ(c.Field(5, 4), "00");
    EXPECT_EQ(c.Field(7, 4), "");
    EXPECT_EQ(c.Field(70, 4), "");
    EXPECT_FALSE(c.ClosedAt(24));
    EXPECT_FALSE(c.At(7).has_value());
    EXPECT_FALSE(c.Until(5, '>').has_value());
    EXPECT_FALSE(c.Until(8, '>').has_value());

    const std::string closed = "<REM:x>y";
    const auto free = Cursor(closed, 0).Until(5, '>');
    ASSERT_TRUE(free.has_value());
    EXPECT_EQ(free->text, "x");
    EXPECT_EQ(free->next, 7u);
}

TEST(ParseCursor, IntegersFollowTheNumberRule) {
    EXPECT_EQ(ToInt("0250"), 250);
    EXPECT_EQ(ToInt("  -12x"), -12);
    EXPECT_EQ(ToInt("+7"), 7);
    EXPECT_EQ(ToInt("abc"), 0);
    EXPECT_EQ(ToInt(""), 0);
    EXPECT_EQ(ToInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ToInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(ParseCursor, RealsIgnoreTheLocale) {
    // A decimal-comma locale must not turn "00.50" into 0.
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // where installed
    EXPECT_DOUBLE_EQ(ToReal("00.50"), 0.5);
    EXPECT_DOUBLE_EQ(ToReal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ToReal(" -1.25"), -1.25);
    EXPECT_DOUBLE_EQ(ToReal("+2.50 "), 2.5);
    EXPECT_DOUBLE_EQ(ToReal("5."), 5.0);
    EXPECT_DOUBLE_EQ(ToReal("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(ToReal("1.2.3"), 0.0);
    EXPECT_DOUBLE_EQ(ToReal("ab.cd"), 0.0);
    EXPECT_DOUBLE_EQ(ToReal("--1"), 0.0);
    EXPECT_DOUBLE_EQ(ToReal(""), 0.0);
    std::setlocale(LC_NUMERIC, before.c_str());
}

}  // namespace
}  // namespace tessaro::parse
