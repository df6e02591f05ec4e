// A recapture from the editor on a real X server: the keys typed into another window until
// the "Start / Stop Capture" hot key become the macro's text, and its hot key plays them;
// the key that started the capture is not part of it, however late the player reads it.
#include <gtest/gtest.h>
#include <signal.h>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "shared_glob.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "platform/virtual_keys.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "player_process.h"
#include "hot_key_press.h"
#include "tests/support/key_target.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
#include "editor_keys.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;

TEST(RecaptureOnADesktop, TypedKeysUntilTheStopKeyBecomeTheMacroAndPlayBack) {
    Xvfb xvfb("800x600x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    Display* keyboard = xvfb.Open();
    ASSERT_NE(keyboard, nullptr);
    WindowManager wm(xvfb.name());
    if (!WaitFor([&] { return WindowManager::Running(keyboard); }, 10s)) GTEST_SKIP() << "no window manager";
    const std::string file = box.file("RECAP.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    TMacroRecord rec{};
    rec.Nickname = "AAA recapture";  // sorted by nickname: the first row
    rec.Scope = scGlobal;
    rec.ActivationCode = kCtrlAltK;
    rec.Enabled = 1;
    SetMacroText(rec, "old");
    ASSERT_TRUE(WriteMacroRecordAt(file, 1, rec).ok());
    ASSERT_TRUE(win::WritePrivateProfileString("Misc", "Primary Sort", "213", kSettingsFile));
    for (const auto& [key, value] :
         {std::pair{"Keys", "Yes"}, {"Mouse", "No"}, {"Time", "No"}, {"Global", "Yes"}})
        ASSERT_TRUE(win::WritePrivateProfileString("Capture", key, value, kSettingsFile));

    KeyTarget target(xvfb.Open(), "Recapture Target");
    ASSERT_TRUE(target.ok());
    PlayerProcess player(box, {"/F" + file, "/EY"}, "player.log");
    ASSERT_TRUE(player.started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    Window editor = 0;
    ASSERT_TRUE(WaitFor([&] { return (editor = win::RunningInstanceWindow(kEditorInstanceName)) != 0; }, 20s))
        << player.Log();
    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); }, 10s));
    const int stop = CaptureHotKey(SharedGlob());
    ASSERT_GE(stop, 0);

    ASSERT_TRUE(PickFromMenu(keyboard, editor, XK_m, XK_c)) << player.Log();
    ASSERT_NE(FocusedBox(keyboard, "Capture Macro"), 0u)
        << "no capture dialog with the focus" << player.Log();
    // The player is busy while the Enter goes down and comes up (as on a loaded machine):
    // its hook reads the key only after the editor has started the capture.
    ::kill(player.pid(), SIGSTOP);
    PressWithModifiers(keyboard, XK_Return, {});  // "&Start Capture"
    const bool started = WaitFor([] { return SharedGlob().CaptureOn == 1; }, 10s);
    ::kill(player.pid(), SIGCONT);
    ASSERT_TRUE(started) << player.Log();

    ASSERT_TRUE(target.Focus());
    for (KeySym k : {XK_x, XK_y, XK_z}) PressWithModifiers(keyboard, k, {});
    ASSERT_TRUE(target.WaitUntil([&] { return target.Typed() == "xyz"; }, 10s)) << target.Typed();
    PressHotKey(keyboard, stop);

    ASSERT_TRUE(
        WaitFor([&] { return ReadMacroRecordAt(file, 1, rec).ok() && GetMacroText(rec) == "xyz"; }, 10s))
        << GetMacroText(rec) << player.Log();
    EXPECT_EQ(SharedGlob().CaptureOn, 0);
    ASSERT_TRUE(AnswerBox(keyboard, "Capture", XK_Return)) << player.Log();

    ASSERT_TRUE(target.Focus());
    target.Drain();
    const std::size_t before = target.Typed().size();
    PressWithModifiers(keyboard, XK_k, {XK_Control_L, XK_Alt_L});
    EXPECT_TRUE(
        target.WaitUntil([&] { return target.Typed().find("xyz", before) != std::string::npos; }, 10s))
        << target.Typed() << player.Log();

    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    WaitFor([] { return !win::InstanceRunning(kEditorInstanceName); }, 10s);
    XCloseDisplay(keyboard);
}

}  // namespace
}  // namespace tessaro::testing
