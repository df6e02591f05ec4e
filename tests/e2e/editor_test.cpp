// The editor opened by the player on a real X server with a window manager: its menu
// deactivates, activates and removes a hot-key macro, and the running player follows
// before the next key press.
#include <gtest/gtest.h>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/messages.h"
#include "platform/sim/program_platform.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "protocol/window_messages.h"
#include "player_process.h"
#include "managed_desktop.h"
#include "typed_marker.h"
#include "tests/support/key_target.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;

class Editor : public ManagedDesktop {
protected:
    Editor() : ManagedDesktop("800x600x24") {}

    void SetUp() override {
        SetUpDesktop();
        if (IsSkipped() || HasFatalFailure()) return;
        file_ = box_->file("EDITOR.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
        TMacroRecord rec{};
        rec.Nickname = "AAA hello";  // sorted by nickname below: the first row
        rec.Scope = scGlobal;
        rec.ActivationCode = kCtrlAltK;
        rec.Enabled = 1;
        SetMacroText(rec, "hello");
        ASSERT_TRUE(WriteMacroRecordAt(file_, 1, rec).ok());
        // Sorted by nickname: the macro is the first row.
        ASSERT_TRUE(win::WritePrivateProfileString("Misc", "Primary Sort", "213", kSettingsFile));
    }
    void TearDown() override {
        // An editor left by a failed step closes as the player would close it.
        if (editor_ != 0 && win::InstanceRunning(kEditorInstanceName)) {
            win::ProgramPlatform().messages().PostMessage(static_cast<win::HWND>(editor_), WM_CLOSE,
                                                          kQuitFromPlayer, 0);
            WaitFor([] { return !win::InstanceRunning(kEditorInstanceName); }, 5s);
        }
        ManagedDesktop::TearDown();
    }

    bool Grabbed() { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }
    bool Enabled1() {
        TMacroRecord r{};
        return ReadMacroRecordAt(file_, 1, r).ok() && r.Enabled == 1;
    }

    std::string file_;
};

TEST_F(Editor, PlayerStartsTheEditorWhoseMenuDeactivatesActivatesAndRemovesAHotKeyMacro) {
    KeyTarget target(xvfb_.Open(), "Editor Target");
    ASSERT_TRUE(target.ok());

    PlayerProcess player(*box_, {"/F" + file_, "/EY"}, "player.log");
    ASSERT_TRUE(player.started());
    const Window playerWindow = WaitForPlayerWindow();
    ASSERT_NE(playerWindow, 0u) << player.Log();
    ASSERT_TRUE(
        WaitFor([&] { return (editor_ = win::RunningInstanceWindow(kEditorInstanceName)) != 0; }, 20s))
        << player.Log();
    ASSERT_TRUE(WaitFor([&] { return Grabbed(); }, 10s)) << player.Log();

    // Deactivate: the file says so, the key is let go, the next press reaches the target.
    MacrosMenu(XK_v);
    ASSERT_TRUE(WaitFor([&] { return !Enabled1(); }, 10s)) << player.Log();
    ASSERT_TRUE(WaitFor([&] { return !Grabbed(); }, 10s)) << player.Log();
    ASSERT_TRUE(target.Focus());
    EXPECT_EQ(TypedForHotKey(keyboard_, target, playerWindow, XK_k, {XK_Control_L, XK_Alt_L}).find("hello"),
              std::string::npos);
    EXPECT_TRUE(target.Pressed("k"));

    // Activate: it plays again.
    MacrosMenu(XK_v);
    ASSERT_TRUE(WaitFor([&] { return Enabled1(); }, 10s)) << player.Log();
    ASSERT_TRUE(WaitFor([&] { return Grabbed(); }, 10s)) << player.Log();
    ASSERT_TRUE(target.Focus());
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed().find("hello") != std::string::npos; }, 10s))
        << player.Log();
    ASSERT_TRUE(target.WaitUntil(PlaybackCaughtUp, 10s)) << player.Log();

    // Remove, answering the question with its default Yes: gone from the file and the player.
    const int before = CountMacroRecords(file_);
    MacrosMenu(XK_r);
    ASSERT_TRUE(WindowShown("Delete")) << player.Log();
    Press(keyboard_, XK_Return);
    ASSERT_TRUE(WaitFor([&] { return CountMacroRecords(file_) == before - 1; }, 10s)) << player.Log();
    ASSERT_TRUE(WaitFor([&] { return !Grabbed(); }, 10s)) << player.Log();
    std::vector<TMacroRecord> left;
    ASSERT_TRUE(ReadMacroRecords(file_, 500, left).ok());
    for (const TMacroRecord& r : left) EXPECT_NE(r.Nickname.str(), "AAA hello");

    // Terminating the player closes the editor as its user would.
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    EXPECT_TRUE(WaitFor([&] { return !win::InstanceRunning(kEditorInstanceName); }, 10s));
}

}  // namespace
}  // namespace tessaro::testing
