#pragma once
// A private X server with a window manager, the player's sandbox on it and the connection
// the test's keyboard types through: what the editor's end-to-end fixtures start from.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "player_process.h"
// Xlib's macros last: they clash with names above.
#include "editor_desk.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {

class ManagedDesktop : public ::testing::Test {
protected:
    explicit ManagedDesktop(const char* geometry) : xvfb_(geometry) {}

    // From SetUp: skips the test when there is no X server or window manager.
    void SetUpDesktop() {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
        keyboard_ = xvfb_.Open();
        ASSERT_NE(keyboard_, nullptr);
        wm_ = std::make_unique<WindowManager>(xvfb_.name());
        if (!WindowManager::Managing(keyboard_, std::chrono::seconds(10)))
            GTEST_SKIP() << "no window manager";
    }
    void TearDown() override {
        if (keyboard_) XCloseDisplay(keyboard_);
        keyboard_ = nullptr;
    }

    // The editor's window `editor_` in front with the keyboard focus.
    void ToEditor() {
        Activate(keyboard_, editor_);
        ASSERT_TRUE(WaitFor([&] { return FocusWithin(keyboard_, editor_); }, std::chrono::seconds(5)));
        // The toolkit takes the focus on its own time after the server gave it.
        ASSERT_TRUE(ProcessCaughtUp(keyboard_, FocusedProcess(keyboard_)));
    }
    // True once the window titled `title` has the keyboard focus, so keys typed next reach it.
    bool WindowShown(const std::string& title) {
        return WaitFor([&] { return FocusTitled(title); }, std::chrono::seconds(10));
    }
    bool FocusTitled(const std::string& title) {
        const Window w = ClientWindowTitled(keyboard_, title);
        return w != 0 && FocusWithin(keyboard_, w);
    }
    // Opens "&Macros" and picks the item by its underlined letter.
    void MacrosMenu(KeySym item) {
        ToEditor();
        Press(keyboard_, XK_m, {XK_Alt_L});
        Press(keyboard_, item);
    }

    Xvfb xvfb_;
    std::unique_ptr<PlayerSandbox> box_;
    std::unique_ptr<WindowManager> wm_;
    Display* keyboard_ = nullptr;
    Window editor_ = 0;
};

}  // namespace tessaro::testing
