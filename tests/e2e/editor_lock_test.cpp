// Two users share one macro file in network mode, each with a player and an editor on
// their own display: one user's open Delete question keeps the other out; after a change
// by the other, the first editor reloads and its player stops playing the changed macro.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "player_process.h"
#include "protocol/window_messages.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
#include "editor_keys.h"

namespace tessaro::testing {
namespace {

constexpr int kCtrlAltK = 154;

// One user's desk: an X server with a window manager, a sandbox, a player and its editor.
struct Desk {
    Xvfb xvfb{"800x600x24"};
    std::unique_ptr<WindowManager> wm;
    std::unique_ptr<PlayerSandbox> box;
    Display* keyboard = nullptr;
    std::unique_ptr<PlayerProcess> player;
    Window editor = 0;

    ~Desk() {
        // The player closes its editor as it ends.
        if (player) {
            Use();
            player->Stop(SIGTERM);
            WaitFor([] { return !win::InstanceRunning(kEditorInstanceName); }, 5s);
        }
        player.reset();
        if (keyboard) XCloseDisplay(keyboard);
    }

    // This process looks at this desk's guards and settings from now on.
    void Use() const {
        ::setenv("TESSARO_HOME", box->dir().c_str(), 1);
        ::setenv("TESSARO_WINDIR", box->dir().c_str(), 1);
        ::setenv("TESSARO_NS", box->ns().c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (box->dir() + "/run").c_str(), 1);
        ::setenv("DISPLAY", xvfb.name().c_str(), 1);
    }
    bool Up() {
        if (xvfb.name().empty()) return false;
        box = std::make_unique<PlayerSandbox>(xvfb.name());
        keyboard = xvfb.Open();
        wm = std::make_unique<WindowManager>(xvfb.name());
        return keyboard && WaitFor([&] { return WindowManager::Running(keyboard); }, 10s);
    }
    bool Start(const std::string& file) {
        Use();
        // Sorted by nickname: the macro is the first row.
        if (!win::WritePrivateProfileString("Misc", "Primary Sort", "213", kSettingsFile)) return false;
        player = std::make_unique<PlayerProcess>(*box, std::vector<std::string>{"/F" + file, "/N", "/EY"},
                                                 "player.log");
        return WaitFor([&] { return (editor = win::RunningInstanceWindow(kEditorInstanceName)) != 0; }, 20s);
    }
    bool Grabbed() { return HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); }
    void MacrosMenu(KeySym item) { ASSERT_TRUE(PickFromMenu(keyboard, editor, XK_m, item)); }
    bool Box(const char* title) {
        return WaitFor([&] { return ClientTitled(keyboard, title); }, 10s);
    }
};

TEST(EditorLock, ASecondUserWaitsForTheLockAndTheFirstReloadsAfterTheirChange) {
    Desk a, b;
    if (!a.Up() || !b.Up()) GTEST_SKIP() << "no Xvfb or window manager";
    const std::string shared = a.box->file("SHARED.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(shared).ok());
    TMacroRecord rec{};
    rec.Nickname = "AAA hello";
    rec.Scope = scGlobal;
    rec.ActivationCode = kCtrlAltK;
    rec.Enabled = 1;
    SetMacroText(rec, "hello");
    ASSERT_TRUE(WriteMacroRecordAt(shared, 1, rec).ok());
    auto enabled = [&] {
        TMacroRecord r{};
        return ReadMacroRecordAt(shared, 1, r).ok() && r.Enabled == 1;
    };

    ASSERT_TRUE(a.Start(shared)) << a.player->Log();
    ASSERT_TRUE(b.Start(shared)) << b.player->Log();
    ASSERT_TRUE(WaitFor([&] { return a.Grabbed() && b.Grabbed(); }, 10s));

    // A asks to remove the macro and leaves the question open: A holds the file.
    a.MacrosMenu(XK_r);
    ASSERT_TRUE(a.Box("Delete"));
    // B is told the file is in use and changes nothing.
    b.MacrosMenu(XK_v);
    ASSERT_TRUE(AnswerBox(b.keyboard, "Error", XK_Return));
    EXPECT_TRUE(enabled());
    // A says No; now B deactivates the macro.
    ASSERT_TRUE(AnswerBox(a.keyboard, "Delete", XK_Escape));
    b.MacrosMenu(XK_v);
    ASSERT_TRUE(WaitFor([&] { return !enabled(); }, 10s)) << b.player->Log();

    // A's next command reports the change and reloads instead of acting; A's player follows.
    a.MacrosMenu(XK_v);
    ASSERT_TRUE(AnswerBox(a.keyboard, "Notice", XK_Return));
    EXPECT_FALSE(enabled());
    ASSERT_TRUE(WaitFor([&] { return !a.Grabbed(); }, 10s)) << a.player->Log();
    a.Use();
    KeyTarget target(a.xvfb.Open(), "Lock Target");
    ASSERT_TRUE(target.ok());
    ASSERT_TRUE(target.Focus());
    PressWithModifiers(a.keyboard, XK_k, {XK_Control_L, XK_Alt_L});
    EXPECT_TRUE(target.WaitUntil([&] { return target.Pressed("k"); }, 5s));
    // A player that still took the key would type soon after it; nothing it does later
    // comes in order with the key, so the look comes a moment on.
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(target.Typed().find("hello"), std::string::npos);
}

}  // namespace
}  // namespace tessaro::testing
