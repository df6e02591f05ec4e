#pragma once
// A private X server with a window manager, a focused window that records what it
// receives, and the real player started on a macro file of the test's own: the desktop of
// the tests that press hot keys and watch what is typed.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "tests/support/key_target.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
#include "tray_host.h"

namespace tessaro::testing {

class TypingDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
        keyboard_ = xvfb_.Open();
        ASSERT_NE(keyboard_, nullptr);
        wm_ = std::make_unique<WindowManager>(xvfb_.name());
        ASSERT_TRUE(WaitFor([&] { return WindowManager::Running(keyboard_); }, std::chrono::seconds(10)))
            << "openbox did not start";
        target_ = std::make_unique<KeyTarget>(xvfb_.Open(), "Typing Target");
        ASSERT_TRUE(target_->ok());
        ASSERT_TRUE(target_->Focus());
    }
    void TearDown() override {
        player_.reset();
        if (keyboard_) XCloseDisplay(keyboard_);
    }

    // Starts the player on a file of `macros`; with `hotKey`, waits until Ctrl+Alt+K (which
    // one of them uses) is grabbed.
    void Start(const std::vector<TMacroRecord>& macros, std::vector<std::string> more = {},
               bool hotKey = true) {
        const std::string path = box_->file("TYPING.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(path).ok());
        for (const TMacroRecord& rec : macros) ASSERT_TRUE(WriteMacroRecordAt(path, -1, rec).ok());
        std::vector<std::string> args{"/F" + path, "/EN"};
        args.insert(args.end(), more.begin(), more.end());
        player_ = std::make_unique<PlayerProcess>(*box_, args, "player.log");
        ASSERT_TRUE(player_->started());
        ASSERT_NE(WaitForPlayerWindow(), 0u) << player_->Log();
        if (hotKey) {
            ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); },
                                std::chrono::seconds(10)))
                << player_->Log();
        }
    }
    bool Typed(const std::string& text) {
        return target_->WaitUntil([&] { return target_->Typed() == text; }, std::chrono::seconds(10));
    }

    Xvfb xvfb_{"640x480x24"};
    std::unique_ptr<PlayerSandbox> box_;
    Display* keyboard_ = nullptr;
    std::unique_ptr<WindowManager> wm_;
    std::unique_ptr<KeyTarget> target_;
    std::unique_ptr<PlayerProcess> player_;
};

}  // namespace tessaro::testing
