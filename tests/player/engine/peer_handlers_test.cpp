#include "player/engine/peer_handlers.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "foundation/strings.h"
#include "platform/message_box.h"
#include "macro/macro_file.h"
#include "player/engine/player_macro_file.h"
#include "player/engine/macro_control.h"
#include "player/engine/swap_table.h"
#include "platform/sim/sim_window_control.h"
#include "tests/support/sim_platform_test.h"
#include "tests/support/macro_fixtures.h"
#include "recording_link.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::RecordingLink;
using testing::TempDir;

TMacroRecord Macro(const std::string& name, std::uint16_t code) { return testing::TestMacro(name, code); }

// The shell's upkeep: the remap table for real, the rest logged.
class StepUpkeep : public MacroFileUpkeep {
public:
    explicit StepUpkeep(PlayerSwapKeys& swaps) : swaps_(swaps) {}
    std::vector<std::string> steps;

    bool FileInUse() override { return false; }
    void ReleaseSyncFile(int) override {}
    void UseLockFileOf(const std::string&) override { steps.push_back("lock"); }
    void GetSwapFile() override {
        swaps_.GetSwapFile();
        steps.push_back("remap");
    }
    void SetHotKeys() override { steps.push_back("hotkeys"); }
    void CheckAndSetTime() override { steps.push_back("schedules"); }
    void ClearMenuTaskIcon() override { steps.push_back("removeTray"); }
    void DoMenuTaskIcon() override { steps.push_back("rebuildTray"); }
    void TellOtherPlayers() override { steps.push_back("others"); }
    void PostEditor(std::uint32_t, std::int32_t) override { steps.push_back("editor"); }

private:
    PlayerSwapKeys& swaps_;
};

class PeerHandlersTest : public testing::SimPlatformTest {
protected:
    TempDir dir;
    std::unique_ptr<TConfigRecord> config = std::make_unique<TConfigRecord>();
    std::unique_ptr<TGlobData> glob = std::make_unique<TGlobData>();
    std::unique_ptr<TGlobData> master = std::make_unique<TGlobData>();
    RecordingLink link;
    win::ScopedMessageBoxHandler boxes{[](const win::MessageBoxCall&) { return win::MbResult::Ok; }};
    PlayerMacroFile macros{{*config, *glob, link, dir.path(), [] { return 1.0; }}};
    std::unique_ptr<SwapKeysBlock> block = SwapKeysBlock::Create();
    PlayerSwapKeys swaps{*block, *config};
    StepUpkeep upkeep{swaps};
    std::vector<std::string>& steps = upkeep.steps;
    PlayerPeerContext context{*config, *glob, link, macros, upkeep, platform.windowControl()};
    PeerUpdateDispatcher dispatcher;
    std::uint32_t hookSerial = 0;
    std::vector<std::uint32_t> unhooked;

    void SetUp() override {
        link.master = master.get();
        context.hooks = {[this] { return ++hookSerial; }, [this] { return 100 + ++hookSerial; },
                         [this](std::uint32_t h) { unhooked.push_back(h); }};
        RegisterPlayerPeerHandlers(dispatcher, context);
        config->RecentFiles[0] = dir.file("TESRO.QTM");
        ASSERT_TRUE(macros.LoadMacroFile(config->RecentFiles[0].str()));  // the five system macros
        steps.clear();
        link.calls.clear();
    }
    void TearDown() override { win::sim::TheSimWindowControl().Clear(); }

    void WriteIni(const std::string& text) { std::ofstream(dir.file("TESRO.INI")) << text; }
};

TEST_F(PeerHandlersTest, MacroChangedRereadsTheRecordIntoItsMirrors) {
    TMacroRecord rec = Macro("Edited by the editor", 77);
    rec.ScopeText = "1";
    rec.Scope = scSystem;
    rec.AbbrevCase = 0;  // as stored, no default rule
    rec.IconName = "missing.ico";
    ASSERT_TRUE(WriteMacroRecordAt(config->RecentFiles[0].str(), 2, rec).ok());

    ASSERT_TRUE(dispatcher.Dispatch(puMacroChanged, 2));
    EXPECT_EQ(config->MacroNicknames[2], "Edited by the editor");
    EXPECT_EQ(config->MacroAbbrevCases[2], 0);
    EXPECT_EQ(config->MacroIcons[2].Name, "MAIN");
    EXPECT_EQ(+glob->ActivationCode[2], 77);
    EXPECT_TRUE(link.calls.empty());  // the editor has pushed it already

    // Numbers that are no macro change nothing.
    const auto nicknames = config->MacroNicknames;
    for (std::int32_t n : {0, -3, 6, 501, 100000}) dispatcher.Dispatch(puMacroChanged, n);
    EXPECT_EQ(config->MacroNicknames, nicknames);
}

TEST_F(PeerHandlersTest, MacroFileSwitchReadsTheSettingAndReloadsInOrder) {
    const std::string other = dir.file("Other.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(other).ok());
    ASSERT_TRUE(WriteMacroRecordAt(other, -1, Macro("first of other", 5)).ok());
    WriteIni("[Misc]\nCurrent File=" + other + "\n");

    ASSERT_TRUE(dispatcher.Dispatch(puMacroFile, 0));
    EXPECT_EQ(config->RecentFiles[0].str(), other);
    EXPECT_EQ(config->MacroNicknames[1], "first of other");
    EXPECT_EQ(+glob->MacroCount, 6);
    EXPECT_EQ(steps, (std::vector<std::string>{"removeTray", "lock", "hotkeys", "schedules", "remap",
                                               "rebuildTray"}));
    EXPECT_TRUE(std::filesystem::exists(dir.file("Other.QTS")));
}

TEST_F(PeerHandlersTest, ReloadAllTouchesTheTrayOnlyWhenAsked) {
    ASSERT_TRUE(WriteMacroRecordAt(config->RecentFiles[0].str(), -1, Macro("new", 9)).ok());
    ASSERT_TRUE(dispatcher.Dispatch(puReloadAll, 0));
    EXPECT_EQ(+glob->MacroCount, 6);
    EXPECT_EQ(steps, (std::vector<std::string>{"remap", "hotkeys", "schedules"}));

    steps.clear();
    ASSERT_TRUE(dispatcher.Dispatch(puReloadAll, 1));
    EXPECT_EQ(steps,
              (std::vector<std::string>{"removeTray", "remap", "hotkeys", "schedules", "rebuildTray"}));
}

TEST_F(PeerHandlersTest, PullsForgetAndSettingsReach) {
    master->MacroCount = 42;
    master->ActivationCode[3] = 321;
    ASSERT_TRUE(dispatcher.Dispatch(puPullGroup, ggNumKeys));
    ASSERT_TRUE(dispatcher.Dispatch(puPullMacro, 3));
    EXPECT_EQ(+glob->MacroCount, 42);
    EXPECT_EQ(+glob->ActivationCode[3], 321);
    EXPECT_EQ(link.calls, (std::vector<RecordingLink::Call>{{'G', ggNumKeys, 0}, {'G', ggItem, 3}}));

    ASSERT_TRUE(dispatcher.Dispatch(puEditorClosed, 0));
    EXPECT_EQ(link.forgets, 1);

    WriteIni("[Snipra]\nCase Sensative=1\n[Main Window]\nWidth=100\n");
    config->SnipraCaseMode = 3;
    ASSERT_TRUE(dispatcher.Dispatch(puSettingsSnipra, 0));
    EXPECT_EQ(config->SnipraCaseMode, 1);
    ASSERT_TRUE(dispatcher.Dispatch(puSettingsMainWindow, 0));
    EXPECT_EQ(config->MainWidth, 150);
}

// The editor's bounds are kept on the screen of the desktop the player was handed, as it is
// when they are read again.
TEST_F(PeerHandlersTest, ReloadedMainWindowBoundsAreKeptOnThePlatformsScreen) {
    win::sim::SimWindowControl& control = win::sim::TheSimWindowControl();
    WriteIni("[Main Window]\nWidth=1000\nHeight=700\nLeft=700\nTop=100\nCol 1 Width=900\n");
    control.screen = {640, 480};
    ASSERT_TRUE(dispatcher.Dispatch(puSettingsMainWindow, 0));
    EXPECT_EQ(config->MainWidth, 640);
    EXPECT_EQ(config->MainHeight, 480);
    EXPECT_EQ(config->MainLeft, 0);  // beyond the right edge of this screen
    EXPECT_EQ(config->MainTop, 100);
    EXPECT_EQ(config->Col1Width, 640);
    // A larger mode later: the same file keeps what fits.
    control.screen = {1280, 1024};
    ASSERT_TRUE(dispatcher.Dispatch(puSettingsMainWindow, 0));
    EXPECT_EQ(config->MainWidth, 1000);
    EXPECT_EQ(config->MainHeight, 700);
    EXPECT_EQ(config->MainLeft, 700);
    EXPECT_EQ(config->Col1Width, 900);
}

TEST_F(PeerHandlersTest, PulledHotKeysArePushedBackSoTheyAreGrabbedAtOnce) {
    master->HotKeyUsed[77] = 1;
    ASSERT_TRUE(dispatcher.Dispatch(puPullGroup, ggKeys));
    EXPECT_EQ(+glob->HotKeyUsed[77], 1);
    EXPECT_EQ(link.calls, (std::vector<RecordingLink::Call>{{'G', ggKeys, 0}, {'U', ggKeys, 0}}));
}

TEST_F(PeerHandlersTest, HookRequestsInstallStoreAndRemoveTheHandles) {
    ASSERT_TRUE(dispatcher.Dispatch(puHooks, 1));
    ASSERT_TRUE(dispatcher.Dispatch(puHooks, 3));
    EXPECT_EQ(+glob->KeyboardHook, 1u);
    EXPECT_EQ(+glob->MouseHook, 102u);
    EXPECT_EQ(link.calls, (std::vector<RecordingLink::Call>{{'U', ggKeyHook, 0}, {'U', ggMouseHook, 0}}));

    ASSERT_TRUE(dispatcher.Dispatch(puHooks, 4));
    ASSERT_TRUE(dispatcher.Dispatch(puHooks, 2));
    ASSERT_TRUE(dispatcher.Dispatch(puHooks, 9));  // no such request
    EXPECT_EQ(unhooked, (std::vector<std::uint32_t>{102, 1}));
    EXPECT_EQ(link.calls.size(), 2u);
}

TEST_F(PeerHandlersTest, IgnoredCodesAndClosingChangeNothing) {
    ASSERT_TRUE(WriteMacroRecordAt(config->RecentFiles[0].str(), 1, Macro("renamed", 1)).ok());
    const auto nicknames = config->MacroNicknames;
    for (std::uint32_t code : {0u, 18u, 19u, 22u}) EXPECT_FALSE(dispatcher.Dispatch(code, 1));
    dispatcher.SetClosing(true);
    EXPECT_FALSE(dispatcher.Dispatch(puMacroChanged, 1));
    EXPECT_FALSE(dispatcher.Dispatch(puReloadAll, 1));
    EXPECT_EQ(config->MacroNicknames, nicknames);
    EXPECT_TRUE(steps.empty());
    EXPECT_TRUE(link.calls.empty());
}

}  // namespace
}  // namespace tessaro
