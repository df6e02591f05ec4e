#include "editor/model/wizard/combined_pages.h"

#include <gtest/gtest.h>

#include "foundation/settings.h"
#include "protocol/window_messages.h"
#include "tests/support/macro_fixtures.h"
#include "misc_rig.h"

namespace tessaro::wizard {
namespace {

using testing::MiscRig;
using testing::TestMacro;

const CombinedItem kA{"Alpha", 4}, kB{"Beta", 2}, kC{"Gamma", 9};

std::vector<std::string> Names(const CombinedList& list) {
    std::vector<std::string> names;
    for (const CombinedItem& item : list.items) names.push_back(item.nickname);
    return names;
}

TEST(CombinedPages, AvailableMacrosAreSortedByNicknameWithoutSystemOrNamelessOnes) {
    MiscRig rig;
    rig.Add(TestMacro("zeta", 1));
    rig.Add(TestMacro("   ", 2));
    rig.Add(TestMacro("Sys", 3, scSystem));
    rig.Add(TestMacro("Alpha", 4));
    rig.Add(TestMacro("beta", 5, scPopupMenu));
    EXPECT_EQ(CombinableMacros(*rig.glob, *rig.config),
              (std::vector<CombinedItem>{{"Alpha", 4}, {"beta", 5}, {"zeta", 1}}));
}

TEST(CombinedPages, EachAddStyleLandsWhereItSaysAndSelectsTheNewLine) {
    struct Case {
        const char* what;
        std::vector<CombinedItem> start;
        int selected;
        AddStyle style;
        std::vector<std::string> after;
        int newSelection;
    };
    const Case cases[] = {
        {"add to empty", {}, -1, AddStyle::AtEnd, {"Gamma"}, 0},
        {"insert after into empty goes to the top", {}, -1, AddStyle::After, {"Gamma"}, 0},
        {"insert before into empty", {}, -1, AddStyle::Before, {"Gamma"}, 0},
        {"add ignores the selection", {kA, kB}, 0, AddStyle::AtEnd, {"Alpha", "Beta", "Gamma"}, 2},
        {"before the selected line", {kA, kB}, 1, AddStyle::Before, {"Alpha", "Gamma", "Beta"}, 1},
        {"after the selected line", {kA, kB}, 0, AddStyle::After, {"Alpha", "Gamma", "Beta"}, 1},
        {"after the last line", {kA, kB}, 1, AddStyle::After, {"Alpha", "Beta", "Gamma"}, 2},
        {"before with nothing selected goes to the top",
         {kA, kB},
         -1,
         AddStyle::Before,
         {"Gamma", "Alpha", "Beta"},
         0},
        {"after with nothing selected follows the first",
         {kA, kB},
         -1,
         AddStyle::After,
         {"Alpha", "Gamma", "Beta"},
         1},
    };
    for (const Case& c : cases) {
        CombinedList list{c.start, c.selected};
        EXPECT_EQ(list.AddALine(c.style, &kC), "") << c.what;
        EXPECT_EQ(Names(list), c.after) << c.what;
        EXPECT_EQ(list.selected, c.newSelection) << c.what;
        EXPECT_EQ(list.items[list.selected].number, 9) << c.what;
    }
}

TEST(CombinedPages, AddingWithoutAChosenMacroRefusesAndChangesNothing) {
    CombinedList list{{kA}, 0};
    EXPECT_EQ(list.AddALine(AddStyle::AtEnd, nullptr), "No macro selected.  Please select one.");
    EXPECT_EQ(Names(list), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(list.selected, 0);
}

TEST(CombinedPages, TheSameMacroMayBeAddedAnyNumberOfTimes) {
    CombinedList list;
    for (int i = 0; i < 3; ++i) list.AddALine(AddStyle::AtEnd, &kA);
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "Alpha", "Alpha"}));
}

TEST(CombinedPages, MovesKeepTheLineSelectedAndStopAtTheEnds) {
    CombinedList list{{kA, kB, kC}, 0};
    list.Up();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    list.Down();
    list.Down();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Beta", "Gamma", "Alpha"}));
    EXPECT_EQ(list.selected, 2);
    list.Down();
    EXPECT_EQ(list.selected, 2);
    list.Up();
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Beta", "Alpha", "Gamma"}));
    EXPECT_EQ(list.selected, 1);
    CombinedList none{{kA, kB}, -1};
    none.Down();
    EXPECT_EQ(Names(none), (std::vector<std::string>{"Alpha", "Beta"}));
}

TEST(CombinedPages, DeleteSelectsTheLineInItsPlaceOrTheNewLast) {
    CombinedList list{{kA, kB, kC}, 1};
    EXPECT_EQ(list.Delete(), "");
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_EQ(list.selected, 1);
    EXPECT_EQ(list.Delete(), "");
    EXPECT_EQ(list.selected, 0);
    EXPECT_EQ(list.Delete(), "");
    EXPECT_TRUE(list.items.empty());
    EXPECT_EQ(list.selected, -1);
    EXPECT_EQ(list.EnableDisable(), CombinedButtons{});
    EXPECT_EQ(list.Delete(), "No line selected.  Please select one.");
}

TEST(CombinedPages, ButtonsFollowTheSelectedLine) {
    struct Case {
        std::vector<CombinedItem> items;
        int selected;
        CombinedButtons buttons;
    };
    const Case cases[] = {
        {{kA, kB}, -1, {false, false, false}},  {{kA}, 0, {false, false, true}},
        {{kA, kB, kC}, 0, {false, true, true}}, {{kA, kB, kC}, 1, {true, true, true}},
        {{kA, kB, kC}, 2, {true, false, true}}, {{kA}, 5, {false, false, false}},
    };
    for (const Case& c : cases)
        EXPECT_EQ((CombinedList{c.items, c.selected}.EnableDisable()), c.buttons) << c.selected;
}

TEST(CombinedPages, TheWelcomeCheckBoxStoresFirstUseAtOnceAndTellsThePlayer) {
    MiscRig rig;
    rig.config->FirstUse = true;
    P65ShowClick(rig.ctx, true);
    EXPECT_FALSE(rig.config->FirstUse);
    auto stored = std::make_unique<TConfigRecord>();
    LoadAllSettings(*stored, win::kDefaultScreenSize);
    EXPECT_FALSE(stored->FirstUse);

    P65ShowClick(rig.ctx, false);
    LoadAllSettings(*stored, win::kDefaultScreenSize);
    EXPECT_TRUE(stored->FirstUse);
    EXPECT_EQ(rig.notices, (std::vector<std::pair<std::uint32_t, std::int32_t>>{{puSettingsMisc, 0},
                                                                                {puSettingsMisc, 0}}));
}

}  // namespace
}  // namespace tessaro::wizard
