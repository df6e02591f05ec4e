#pragma once
// One editor session on a private X server: Xvfb with openbox, a macro file in a temporary
// home, the real player started on it with its editor, a target window that records keys,
// and the keyboard of the test driving both through XTEST.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/messages.h"
#include "platform/single_instance.h"
#include "protocol/glob_data.h"
#include "protocol/window_messages.h"
// Xlib's macros last: they clash with names above.
#include "player_process.h"
#include "managed_desktop.h"
#include "tests/support/key_target.h"
#include "shared_glob.h"
#include "typed_marker.h"

namespace tessaro::testing {

class EditorSession : public ManagedDesktop {
protected:
    EditorSession() : ManagedDesktop("1024x768x24") {}

    void SetUp() override {
        SetUpSession();
        if (IsSkipped() || HasFatalFailure()) return;
        StartPlayer();
    }
    // The desktop, the empty macro file `file_` and the target, before the player starts.
    void SetUpSession() {
        SetUpDesktop();
        if (IsSkipped() || HasFatalFailure()) return;
        file_ = box_->file("SESSION.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(file_).ok());
        target_ = std::make_unique<KeyTarget>(xvfb_.Open(), "Typing Target");
        ASSERT_TRUE(target_->ok());
    }
    // The player on the file, and the editor it starts.
    void StartPlayer() {
        player_ = std::make_unique<PlayerProcess>(*box_, std::vector<std::string>{"/F" + file_, "/EY"},
                                                  "player.log");
        ASSERT_TRUE(player_->started());
        ASSERT_NE(playerWindow_ = WaitForPlayerWindow(), 0u) << player_->Log();
        ASSERT_TRUE(
            WaitFor([&] { return (editor_ = win::RunningInstanceWindow(kEditorInstanceName)) != 0; }, 20s))
            << player_->Log();
    }
    void TearDown() override {
        if (player_ && player_->started()) {
            EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
            WaitFor([] { return !win::InstanceRunning(kEditorInstanceName); }, 10s);
        }
        player_.reset();
        target_.reset();
        ManagedDesktop::TearDown();
    }
    // Opens "Add Macro" and chooses the hot key Ctrl+Alt+`key` by pressing it in the hot-key
    // box, then leaves the box (plain Tab names no hot key, so the choice stays).
    void AddMacroWithHotKey(KeySym key) {
        MacrosMenu(XK_a);
        ASSERT_TRUE(WindowShown("Add Macro")) << player_->Log();
        // The box has the focus: pressed hot keys go to the dialog, not to macros.
        ASSERT_TRUE(WaitFor([] { return SharedGlob().SecWndOn == 1; }, 10s)) << player_->Log();
        // The player's hook reports the key to the box: once it took in the whole press, the
        // report is with the editor ahead of the Tab that leaves the box.
        ASSERT_TRUE(PressTakenInByTheHook(keyboard_, key, {XK_Control_L, XK_Alt_L})) << player_->Log();
        Press(keyboard_, XK_Tab);
        ASSERT_TRUE(WaitFor([] { return SharedGlob().SecWndOn == 0; }, 10s)) << player_->Log();
    }
    // Types lower-case letters, digits and blanks as their keys; '\t' is the Tab key.
    // Returns once the program that had the focus has dealt with every key.
    void Type(const std::string& text) {
        const long program = FocusedProcess(keyboard_);
        for (char c : text) {
            const KeySym sym = c == '\t'  ? XK_Tab
                               : c == ' ' ? XK_space
                                          : KeySym(static_cast<unsigned char>(c));
            PressWithModifiers(keyboard_, sym, {});
            std::this_thread::sleep_for(40ms);  // a typist's gap between keys
        }
        ASSERT_TRUE(ProcessCaughtUp(keyboard_, program));
    }
    // The macros of the file whose hot key is `code`.
    std::vector<TMacroRecord> MacrosOnKey(int code) {
        std::vector<TMacroRecord> all, out;
        if (!ReadMacroRecords(file_, kMaxMacros, all).ok()) return out;
        for (const TMacroRecord& r : all)
            if (r.ActivationCode == code) out.push_back(r);
        return out;
    }
    // Presses the hot key in the target window and waits for `text` to arrive there.
    bool HotKeyTypes(KeySym key, std::initializer_list<KeySym> modifiers, const std::string& text) {
        if (!target_->Focus()) return false;
        target_->Drain();
        const std::size_t before = target_->Typed().size();
        pressedAt_ = std::chrono::steady_clock::now();
        PressWithModifiers(keyboard_, key, modifiers);
        return target_->WaitUntil([&] { return target_->Typed().find(text, before) != std::string::npos; },
                                  10s);
    }

    std::string file_;
    std::unique_ptr<KeyTarget> target_;
    std::unique_ptr<PlayerProcess> player_;
    Window playerWindow_ = 0;
    std::chrono::steady_clock::time_point pressedAt_;  // of the last hot key in the target
};

}  // namespace tessaro::testing
