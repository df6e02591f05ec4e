// The menu of macros for the top window: which macros it lists and what the chooser's
// answer runs.
#include "player/engine/top_window_menu.h"

#include <gtest/gtest.h>

#include "protocol/glob_data.h"
#include "trigger_fixture.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::MacroDraft;

class TopWindow : public testing::TriggerFixture, public ::testing::Test {
protected:
    // The foreground window: its title and program.
    void Front(const std::string& title, const std::string& program) {
        desktop.SetForegroundWindow(desktop.AddWindow(title, 77, program));
    }
    std::vector<std::uint16_t> Listed() { return ReadPopupMenu(host.lastMenu, glob().MacroCount).items; }
};

TEST_F(TopWindow, ListsWindowAndProgramMacrosOfTheForegroundWindowInFileOrder) {
    SetMacros({{scWindow, 1, "a", "notes"},
               {scGlobal, 2, "b"},
               {scProgram, 3, "c", "gedit"},
               {scProgram, 4, "d", "other"},
               {scWindow, 5, "e", "NOT"},
               {scWindow, 6, "f", "Calculator"},
               {scPopupMenu, 7, ""}});
    Front("My Notes - Text Editor", "gedit");
    host.choose = [](int) { return std::nullopt; };
    dispatch.MenuTopWindow(2);
    EXPECT_EQ(Listed(), (std::vector<std::uint16_t>{1, 3, 5}));
    EXPECT_EQ(host.lastMenu.Abbreviation.str(), " 22");
    EXPECT_TRUE(host.warnings.empty());
    EXPECT_TRUE(host.played.empty());
}

TEST_F(TopWindow, TheChosenMacroRunsAsAfterAHotKeyForTheForegroundWindow) {
    SetMacros({{scWindow, 1, "typed", "Editor"}, {scWindow, 2, "other", "Editor"}});
    Front("Editor", "gedit");
    host.choose = [this](int) -> std::optional<int> {
        EXPECT_TRUE(dispatch.PopupShowing());
        return 2;
    };
    dispatch.MenuTopWindow(1);
    EXPECT_EQ(host.lastMenu.Abbreviation.str(), " 12");
    EXPECT_EQ(host.played, std::vector<std::string>{"other"});
    EXPECT_EQ(host.inUsePushes, 1);
    EXPECT_EQ(host.clearTimers, 1);
    EXPECT_EQ(host.keys, (std::vector<std::string>{"M"}));
    EXPECT_EQ(dispatch.TargetWindow(), desktop.ForegroundWindow());
    EXPECT_FALSE(dispatch.PopupShowing());
}

TEST_F(TopWindow, AnEmptyScopeTextMatchesNoWindowAndAnEmptyMenuWarns) {
    // Window and program macros whose scope text is empty belong to no window.
    SetMacros({{scWindow, 1, "a", ""}, {scProgram, 2, "b", ""}});
    Front("Anything", "gedit");
    dispatch.MenuTopWindow(3);
    EXPECT_EQ(host.warnings, std::vector<std::string>{kNoTopWindowMacros});
    EXPECT_TRUE(host.played.empty());
    EXPECT_EQ(Unpacked(host.lastMenu.Scope), 0);  // no chooser was shown
}

TEST(TopWindowMenu, AtMostThirtySixItemsAndTheStyleDigitOnlyForOneToThree) {
    auto glob = std::make_unique<TGlobData>();
    for (int n = 1; n <= 40; ++n) {
        glob->Scope[n] = scWindow;
        glob->ScopeText[n] = "EDIT";
    }
    glob->MacroCount = 40;
    const TMacroRecord menu = TopWindowMenu(*glob, "EDITOR", "GEDIT", 7);
    EXPECT_EQ(Unpacked(menu.Scope), scPopupMenu);
    EXPECT_EQ(menu.Abbreviation.str(), "  2");  // a blank: name style
    const PopupMenu read = ReadPopupMenu(menu, 40);
    ASSERT_EQ(read.items.size(), 36u);
    EXPECT_EQ(read.items.front(), 1);
    EXPECT_EQ(read.items.back(), 36);
    EXPECT_EQ(read.show, PopupShow::NicknameAndScope);
    EXPECT_EQ(read.IconPixels(), 32);
}

}  // namespace
}  // namespace tessaro
