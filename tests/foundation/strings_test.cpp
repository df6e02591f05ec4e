#include "foundation/strings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(FormatNumbers, RealWidthAndDecimals) {
    EXPECT_EQ(tessaro::FormatReal(5, 1, 0), "5");
    EXPECT_EQ(tessaro::FormatReal(2.5, 6, 2), "  2.50");
    EXPECT_EQ(tessaro::FormatReal(-42, 1, 0), "-42");
    EXPECT_EQ(tessaro::FormatReal(123456, 3, 0), "123456");  // a longer text is not cut
    EXPECT_EQ(tessaro::FormatReal(0.125, 1, 2), "0.13");     // half away from zero
    EXPECT_EQ(tessaro::FormatReal(-0.125, 1, 2), "-0.13");
    EXPECT_EQ(tessaro::FormatReal(2.5, 1, 0), "3");
    EXPECT_EQ(tessaro::FormatReal(1.005, 1, 2), "1.01");   // the decimal value, not its binary neighbour
    EXPECT_EQ(tessaro::FormatReal(9.996, 1, 2), "10.00");  // carry into a new digit
    EXPECT_EQ(tessaro::FormatReal(-0.001, 1, 2), "0.00");
    EXPECT_EQ(tessaro::FormatReal(INT_MIN, 1, 0), "-2147483648");
    EXPECT_LE(tessaro::FormatReal(1e300, 1, 0).size(), 255u);
}

TEST(FormatNumbers, Thousands) {
    EXPECT_EQ(tessaro::FormatThousands(1234567, 0, 0), "1,234,567");
    EXPECT_EQ(tessaro::FormatThousands(1234.5, 0, 2), "1,234.50");
    EXPECT_EQ(tessaro::FormatThousands(-123456, 0, 0), "-123,456");
    EXPECT_EQ(tessaro::FormatThousands(-123, 0, 0), "-123");
    EXPECT_EQ(tessaro::FormatThousands(999, 6, 0), "   999");
    EXPECT_EQ(tessaro::FormatThousands(1000, 1, 0), "1,000");
    EXPECT_EQ(tessaro::FormatThousands(-1000000.25, 0, 1), "-1,000,000.3");
    EXPECT_EQ(tessaro::FormatThousands(3, 1, 0), "3");
}

TEST(ShortStrings, TrimPadFillAndExtension) {
    EXPECT_EQ(tessaro::TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(tessaro::TrimBlanks("     "), "");
    EXPECT_EQ(tessaro::TrimBlanks("\ta\t"), "\ta\t");  // only blanks go
    EXPECT_EQ(tessaro::PadLeft("ab", 5), "   ab");
    EXPECT_EQ(tessaro::PadLeft("abcdef", 3), "abcdef");
    EXPECT_EQ(tessaro::FillChars('x', 3), "xxx");
    EXPECT_EQ(tessaro::FillChars('x', 0), "");
    EXPECT_EQ(tessaro::ChangeExtension3("/home/u/MACROS.QTM", "MAS"), "/home/u/MACROS.MAS");
    EXPECT_EQ(tessaro::ChangeExtension3("QT", "MAS"), "MAS");
    EXPECT_EQ(tessaro::ChangeExtension3(std::string(255, 'a'), "MAS").size(), 255u);
}

TEST(PasswordSubstitution, ExamplesAndBands) {
    EXPECT_EQ(tessaro::SwapPasswordChars("A"), std::string(1, static_cast<char>(90)));
    EXPECT_EQ(tessaro::SwapPasswordChars("Z"), "A");
    EXPECT_EQ(tessaro::SwapPasswordChars("a"), "H");
    EXPECT_EQ(tessaro::SwapPasswordChars(std::string(1, '\x01')), std::string(1, '\x1A'));  // 1 -> 26
    EXPECT_EQ(tessaro::SwapPasswordChars(std::string(1, '\xC8')), std::string(1, '\xAF'));  // 200 -> 175
    EXPECT_EQ(tessaro::SwapPasswordChars(std::string(1, '\xC9')), std::string(1, '\xC9'));  // 201 stays
    EXPECT_EQ(tessaro::SwapPasswordChars(std::string(1, '\0')), std::string(1, '\0'));
}

TEST(PasswordSubstitution, IsItsOwnInverseOverEveryByte) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string once = tessaro::SwapPasswordChars(all);
    ASSERT_EQ(once.size(), all.size());
    EXPECT_EQ(tessaro::SwapPasswordChars(once), all);
    int changed = 0;
    for (int c = 0; c < 256; ++c) {
        const int to = static_cast<unsigned char>(once[static_cast<std::size_t>(c)]);
        changed += to != c;
        EXPECT_EQ(std::abs(to - c) == 25, c >= 1 && c <= 200) << c;
    }
    EXPECT_EQ(changed, 200);
}

TEST(IntegerValueTest, LeadingDigitsSignAndHex) {
    EXPECT_EQ(tessaro::IntegerValue("  42"), 42);
    EXPECT_EQ(tessaro::IntegerValue("-17"), -17);
    EXPECT_EQ(tessaro::IntegerValue("+8"), 8);
    EXPECT_EQ(tessaro::IntegerValue("12abc"), 12);
    EXPECT_EQ(tessaro::IntegerValue("abc"), 0);
    EXPECT_EQ(tessaro::IntegerValue(""), 0);
    EXPECT_EQ(tessaro::IntegerValue("$1F"), 31);
    EXPECT_EQ(tessaro::IntegerValue("0x10"), 16);
    EXPECT_EQ(tessaro::IntegerValue("-$10"), -16);
    EXPECT_EQ(tessaro::IntegerValue("2147483647"), INT32_MAX);
    EXPECT_EQ(tessaro::IntegerValue("-2147483648"), INT32_MIN);
    EXPECT_EQ(tessaro::IntegerValue("99999999999"), 999999999);  // the overflowing digit is bad
}

}  // namespace
