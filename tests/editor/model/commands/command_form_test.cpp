#include "editor/model/commands/command_form.h"

#include <gtest/gtest.h>

#include <clocale>

namespace tessaro {
namespace {

TEST(FormReaders, FieldTextTrimsBlanksOnlyAndCutsNothing) {
    EXPECT_EQ(FieldText("  12 \t "), "12 \t");
    EXPECT_EQ(FieldText(std::string(300, 'a')).size(), 300u);
    EXPECT_EQ(FieldText(std::string(250, ' ') + "abcdefgh"), "abcdefgh");
}

TEST(FormReaders, WholeNumbersAreWholeTextInTheCLocale) {
    EXPECT_EQ(WholeNumber("0"), 0);
    EXPECT_EQ(WholeNumber("-12"), -12);
    EXPECT_EQ(WholeNumber("+7"), 7);
    EXPECT_EQ(WholeNumber("2147483647"), 2147483647);
    EXPECT_EQ(WholeNumber("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", "1x", "0x10", "1e3", "0,5", "2147483648", "-2147483649", " 1", "-", "$10",
                            "99999999999999999999"})
        EXPECT_EQ(WholeNumber(bad), std::nullopt) << bad;
    EXPECT_EQ(WholeInRange("60", 1, 60), 60);
    EXPECT_EQ(WholeInRange("61", 1, 60), std::nullopt);
    EXPECT_EQ(WholeInRange("0", 1, 60), std::nullopt);
}

TEST(FormReaders, RealsIgnoreTheProcessLocale) {
    // A desktop locale with a decimal comma must not change what "0.5" means.
    const char* old = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(RealNumber("0.5"), 0.5);
    if (old) std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(RealNumber(".5"), 0.5);
    EXPECT_EQ(RealNumber("5."), 5.0);
    EXPECT_EQ(RealNumber("-1.25"), -1.25);
    EXPECT_EQ(RealNumber("60.00"), 60.0);
    for (const char* bad : {"", "1x", "0x10", "1e3", "0,5", ".", "-", "1.2.3", "inf", "nan", " 1"})
        EXPECT_EQ(RealNumber(bad), std::nullopt) << bad;
}

TEST(FreeText, GreaterThanIsRefusedNamingTheCharacter) {
    EXPECT_EQ(CheckFreeText("C:/Programs/edit", "ProgPath"), std::nullopt);
    const auto bad = CheckFreeText("a>b", "ProgPath");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->message, "The character \">\" cannot be used in this entry.  Please correct.");
    EXPECT_EQ(bad->focus, "ProgPath");
    // A launch window title also ends at "<".
    const auto lt = CheckFreeText("x<y", "WinTitle", "<>");
    ASSERT_TRUE(lt);
    EXPECT_EQ(lt->message, "The character \"<\" cannot be used in this entry.  Please correct.");
}

TEST(FreeText, PasswordsRefuseOnlyWhatBecomesAClosingBracket) {
    EXPECT_EQ(CheckPassword("secretU", "LogPass"), std::nullopt);  // "U" turns into "<"
    const auto bad = CheckPassword("Wonder", "LogPass");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->focus, "LogPass");
    EXPECT_EQ(bad->message, "The character \"W\" cannot be used in this entry.  Please correct.");
}

TEST(RadioTables, LookUpByKindControlAndCode) {
    constexpr RadioChoice table[] = {{"A", "&A", 1, 10, TokenKind::Tab},
                                     {"B", "&B", 2, 11, TokenKind::Enter}};
    EXPECT_EQ(ChoiceOfKind(table, 2)->control, "B");
    EXPECT_EQ(ChoiceOfControl(table, "A")->code, 10);
    EXPECT_EQ(ChoiceOfCode(table, 11)->kind, 2);
    EXPECT_EQ(ChoiceOfKind(table, 3), nullptr);
}

}  // namespace
}  // namespace tessaro
