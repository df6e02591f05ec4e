// The player's notices to the editor, code by code.
#include <gtest/gtest.h>

#include <fstream>

#include "explorer_rig.h"
#include "protocol/window_messages.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::ExplorerRig;
using testing::Notice;
using testing::TestMacro;

struct MessageRig : ExplorerRig {
    std::unique_ptr<TGlobData> master = std::make_unique<TGlobData>();
    MessageRig() {
        auto recs = SystemMacros();
        recs.push_back(TestMacro("alpha", 30));
        recs.push_back(TestMacro("beta", 31));
        StartWith(recs);
        link.master = master.get();
    }
    bool Did(const std::string& event) const {
        return std::find(window.events.begin(), window.events.end(), event) != window.events.end();
    }
};

TEST(ExplorerMessages, RemapRepaintsAndFileChangeRefillsSelectingTheMacro) {
    MessageRig rig;
    rig.ex().OnPlayerMessage(puSwapKeys, 0);
    EXPECT_EQ(rig.window.events, (std::vector<std::string>{"repaint"}));
    rig.window.events.clear();
    rig.ex().OnPlayerMessage(puMacroFile, 7);
    EXPECT_TRUE(rig.Did("list"));
    EXPECT_EQ(rig.ex().SelectedMacro(), 7);
    EXPECT_TRUE(rig.link.calls.empty());
}

TEST(ExplorerMessages, PlayersFileSwitchLoadsTheSettingsFileAndMovesTheRecentList) {
    MessageRig rig;
    const std::string other = rig.dir.file("OTHER.QTM");
    ExplorerRig::WriteRecords(other, ExplorerRig::SystemMacros());
    std::ofstream(rig.dir.file("TESRO.INI")) << "[Misc]\nCurrent File=" << other << "\n";
    rig.ex().OnPlayerMessage(puSchedule, 0);
    EXPECT_EQ(rig.config->RecentFiles[0].str(), other);
    EXPECT_EQ(rig.config->RecentFiles[1].str(), rig.path);
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 5);
    EXPECT_EQ(rig.window.lastFiles[0], "&1   " + rig.path);
    EXPECT_EQ(rig.ex().lock().lockFileName(), rig.dir.file("OTHER.MAS"));
    for (const char* step : {"caption", "list", "swap", "cat"}) EXPECT_TRUE(rig.Did(step)) << step;
    EXPECT_TRUE(rig.link.Notices().empty());  // loaded without telling the player
}

TEST(ExplorerMessages, PullsTakeGroupsAndOnlyExistingMacroSlots) {
    MessageRig rig;
    rig.master->MacroCount = 7;
    rig.master->ActivationCode[6] = 99;
    rig.ex().OnPlayerMessage(puPullGroup, ggKeys);
    rig.ex().OnPlayerMessage(puPullMacro, 6);
    for (const int bad : {0, -1, 8, 501, 70000}) rig.ex().OnPlayerMessage(puPullMacro, bad);
    for (const int bad : {-1, 15, static_cast<int>(ggItem)}) rig.ex().OnPlayerMessage(puPullGroup, bad);
    EXPECT_EQ(rig.link.calls, (std::vector<Notice>{{'G', ggKeys, 0}, {'G', ggItem, 6}}));
    EXPECT_EQ(+rig.glob->ActivationCode[6], 99);
}

TEST(ExplorerMessages, MacroChangedOnDiskRefreshesItsMirrorsWithoutPushing) {
    MessageRig rig;
    TMacroRecord changed = TestMacro("renamed", 44);
    changed.CategoryId = 3;
    changed.IconName = "missing.ico";
    ASSERT_TRUE(WriteMacroRecordAt(rig.path, 6, changed).ok());
    rig.ex().OnPlayerMessage(puMacroChanged, 6);
    EXPECT_EQ(rig.config->MacroNicknames[6], "renamed");
    EXPECT_EQ(rig.config->MacroCategoryIds[6], 3);
    EXPECT_EQ(+rig.glob->ActivationCode[6], 44);
    EXPECT_EQ(rig.config->MacroIcons[6].Name, "MAIN");
    EXPECT_EQ(rig.ex().SelectedMacro(), 6);
    EXPECT_TRUE(rig.link.calls.empty());

    // Numbers outside the loaded macros change nothing.
    rig.window.events.clear();
    for (const int bad : {0, -1, 8, 501}) rig.ex().OnPlayerMessage(puMacroChanged, bad);
    EXPECT_TRUE(rig.window.events.empty());
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 7);
}

TEST(ExplorerMessages, ReloadAllRereadsTheFileAndCompanionsThenSetsHotKeys) {
    MessageRig rig;
    auto recs = ExplorerRig::SystemMacros();
    recs.push_back(TestMacro("only", 50));
    ExplorerRig::WriteRecords(rig.path, recs);
    rig.ex().OnPlayerMessage(puReloadAll, 1);
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 6);
    EXPECT_EQ(rig.ex().rowMacro().size(), 6u);
    EXPECT_TRUE(rig.Did("swap"));
    EXPECT_TRUE(rig.Did("cat"));
    EXPECT_EQ(rig.link.Notices(), (std::vector<Notice>{{'E', puPullGroup, ggKeys}}));
    EXPECT_EQ(+rig.glob->HotKeyUsed[50], 1);
}

TEST(ExplorerMessages, EditorClosedCodeReselectsAndOtherCodesAreIgnored) {
    MessageRig rig;
    rig.ex().OnPlayerMessage(puEditorClosed, 7);
    EXPECT_TRUE(rig.Did("cat"));
    EXPECT_EQ(rig.ex().SelectedMacro(), 7);

    rig.window.events.clear();
    for (const std::uint32_t code : {0u, 5u, 7u, 9u, 15u, 19u, 22u, 99u}) rig.ex().OnPlayerMessage(code, 1);
    EXPECT_TRUE(rig.window.events.empty());
    EXPECT_TRUE(rig.link.calls.empty());
}

TEST(ExplorerMessages, DestroyTellsThePlayerOnce) {
    MessageRig rig;
    rig.ex().FormDestroy();
    rig.ex().FormDestroy();
    EXPECT_EQ(rig.link.Notices(), (std::vector<Notice>{{'E', puEditorClosed, 0}}));
}

TEST(ExplorerMessages, HookRepairAsksFirstAndNoPostsNothing) {
    MessageRig rig;
    rig.answers = {win::MbResult::No, win::MbResult::Yes, win::MbResult::Yes};
    MenuKeyHooks(rig.link);
    EXPECT_TRUE(rig.link.calls.empty());
    MenuKeyHooks(rig.link);
    MenuMouseHooks(rig.link);
    EXPECT_EQ(
        rig.link.Notices(),
        (std::vector<Notice>{{'E', puHooks, 2}, {'E', puHooks, 1}, {'E', puHooks, 4}, {'E', puHooks, 3}}));
    EXPECT_EQ(rig.boxes[0].caption, "Keyboard Hooks");
    EXPECT_EQ(rig.boxes[2].caption, "Mouse Hooks");
}

TEST(ExplorerMessages, ScreenSaverIsHeldOnlyForAnEnabledTimedMacroWhenAsked) {
    MessageRig rig;
    EXPECT_FALSE(ScreenSaverHeld(*rig.glob, true));
    rig.glob->ActivationCode[6] = acScheduled;
    rig.glob->Enabled[6] = 0;
    EXPECT_FALSE(ScreenSaverHeld(*rig.glob, true));
    rig.glob->Enabled[6] = 1;
    EXPECT_TRUE(ScreenSaverHeld(*rig.glob, true));
    EXPECT_FALSE(ScreenSaverHeld(*rig.glob, false));
}

}  // namespace
}  // namespace tessaro
