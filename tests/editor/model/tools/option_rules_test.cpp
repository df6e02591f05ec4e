#include "editor/model/tools/option_rules.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(OptionRules, ABackslashPassesWhileTypingButNotOnLeaving) {
    EXPECT_EQ(PrefixKeysError(" ;\\ ", false), "");
    EXPECT_NE(PrefixKeysError(";\\", true), "");
    EXPECT_TRUE(PrefixKeysError(";\\", true).ends_with("* - / +"));
    EXPECT_TRUE(PrefixKeysError("'", false).ends_with("* - / + \\"));  // named in the text, yet refused
    EXPECT_EQ(PrefixKeysError("Ab9@", true), "");
}

TEST(OptionRules, SortStringsAndNamesGoBothWays) {
    EXPECT_EQ(SortNames("213", kPrimarySortNames),
              (std::vector<std::string>{"Nickname", "Activation", "Scope"}));
    EXPECT_EQ(SortString(SortNames("213", kPrimarySortNames), kPrimarySortNames), "213");
    EXPECT_EQ(SortString(SortNames("54321", kScopeSortNames), kScopeSortNames), "54321");
    // Anything but a permutation gives the default order.
    for (const char* bad : {"", "1123", "12", "124", "abc"})
        EXPECT_EQ(SortNames(bad, kPrimarySortNames), SortNames("123", kPrimarySortNames)) << bad;
}

TEST(OptionRules, MoveButtonsFollowTheSelection) {
    EXPECT_FALSE(SortButtons(-1, 3).Up || SortButtons(-1, 3).Down);
    EXPECT_TRUE(!SortButtons(0, 3).Up && SortButtons(0, 3).Down);
    EXPECT_TRUE(SortButtons(1, 3).Up && SortButtons(1, 3).Down);
    EXPECT_TRUE(SortButtons(2, 3).Up && !SortButtons(2, 3).Down);
    EXPECT_FALSE(SortButtons(0, 1).Up || SortButtons(0, 1).Down);
}

TEST(OptionRules, WidthsAreCheckedInOrderAndTheCategoryOnlyWhenShown) {
    EXPECT_EQ(CheckAppearanceWidths({"100", "0", "abc"}, "10", true).Field, 1);
    EXPECT_EQ(CheckAppearanceWidths({"abc", "1", "1"}, "10", true).Message, "Invalid width specified.");
    const WidthCheck cat = CheckAppearanceWidths({"1", "1", "1"}, "119", true);
    EXPECT_EQ(cat.Field, 3);
    EXPECT_EQ(cat.Message, "Category width must be at least 120.");
    EXPECT_EQ(CheckAppearanceWidths({"1", "1", "1"}, "0", false).Field, -1);
    EXPECT_EQ(CheckAppearanceWidths({" 80 ", "1", "1"}, "120", true).Field, -1);
    EXPECT_EQ(LenientNumber("12x"), 12);
    EXPECT_EQ(LenientNumber(""), 0);
}

}  // namespace
}  // namespace tessaro

namespace tessaro {
namespace {

TEST(OptionRules, ThePickerOpensBelowTheCellAboveItOrCentred) {
    EXPECT_EQ(SwapPickerTop(100, 200, 768), 100);
    EXPECT_EQ(SwapPickerTop(600, 200, 768), 350);  // little room below: above the cell
    EXPECT_EQ(SwapPickerTop(200, 700, 768), std::nullopt);
}

}  // namespace
}  // namespace tessaro
