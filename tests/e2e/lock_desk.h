#pragma once
// One user's desk for the network-lock tests: an X server with a window manager, a sandbox,
// a player in network mode and the editor it starts.
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "macro/macro_file.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "player_process.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
#include "editor_keys.h"

namespace tessaro::testing {

inline constexpr int kCtrlAltK = 154;

// The shared file of both desks: one enabled global macro, Ctrl+Alt+K typing "hello".
inline bool WriteHelloMacro(const std::string& file) {
    if (!CreateEmptyMacroFile(file).ok()) return false;
    TMacroRecord rec{};
    rec.Nickname = "AAA hello";
    rec.Scope = scGlobal;
    rec.ActivationCode = kCtrlAltK;
    rec.Enabled = 1;
    SetMacroText(rec, "hello");
    return WriteMacroRecordAt(file, 1, rec).ok();
}

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

}  // namespace tessaro::testing
