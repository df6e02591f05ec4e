// The Windows characters 0x80-0x9F that a layout has keys for are typed on those keys, on
// a real X server with the real player and a window manager: the German layout's AltGr
// gives € „ “ ” – —, so typing them changes the keyboard map not once.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
// Xlib's macros last.
#include "hot_key_press.h"
#include "tests/support/xkb_layout.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

bool IsModifier(const std::string& keysym) {
    for (const char* m : {"ISO_Level3_Shift", "Shift_L", "Shift_R", "Control_L", "Alt_L"})
        if (keysym == m) return true;
    return false;
}

class WindowsCharacters : public KeysDesktop {
protected:
    void TearDown() override {
        if (watcher_) XCloseDisplay(watcher_);
        KeysDesktop::TearDown();
    }
    // Keycodes remapped, as every client was told, since the last call.
    int MappingChanges() {
        XSync(watcher_, False);
        int n = 0;
        while (XPending(watcher_)) {
            XEvent e;
            XNextEvent(watcher_, &e);
            // The whole map is announced once when the new layout reaches the XTEST
            // device; a keycode lent to a character is a change of a few keys.
            n += e.type == MappingNotify && e.xmapping.request == MappingKeyboard && e.xmapping.count < 8;
        }
        return n;
    }
    Display* watcher_ = nullptr;
};

TEST_F(WindowsCharacters, TheGermanLayoutsOwnKeysTypeThemWithoutAMappingChange) {
    ASSERT_TRUE(SetKeyboardLayout(xvfb_.name(), "de"));
    // € „ “ ” – — in Windows-1252, twice, and a letter between.
    const std::string text = "\x80\x84\x93\x94\x96\x97x\x80\x84\x93\x94\x96\x97";
    Start({TypingMacro("Windows", kCtrlAltK, text)});
    watcher_ = xvfb_.Open();
    ASSERT_NE(watcher_, nullptr);
    XKeysymToKeycode(watcher_, XK_a);  // told of map changes from now on
    MappingChanges();
    target_->Drain();
    target_->keys.clear();

    PressHotKey(keyboard_, kCtrlAltK);
    const std::vector<std::string> once = {
        "EuroSign", "doublelowquotemark", "leftdoublequotemark", "rightdoublequotemark", "endash", "emdash"};
    std::vector<std::string> expected = once;
    expected.push_back("x");
    expected.insert(expected.end(), once.begin(), once.end());
    std::vector<std::string> typed;
    ASSERT_TRUE(target_->WaitUntil(
        [&] {
            typed.clear();
            for (const KeyTarget::Key& k : target_->keys)
                if (k.press && !IsModifier(k.keysym)) typed.push_back(k.keysym);
            return typed.size() >= expected.size();
        },
        10s))
        << player_->Log();
    EXPECT_EQ(typed, expected);
    EXPECT_EQ(MappingChanges(), 0);
}

}  // namespace
}  // namespace tessaro::testing
