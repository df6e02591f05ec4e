// Keys pressed while a hot key is still down, or in the very instant it comes up, on a real
// X server with the real player and a window manager: none is lost, each reaches the
// focused window (or plays its own hot key's macro) in the order it was pressed.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
// Xlib's macros last.
#include "hot_key_press.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

class Rollover : public KeysDesktop {
protected:
    void SetUp() override {
        KeysDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        Start({TypingMacro("Ctrl Q", kCtrlQ, "aa"), TypingMacro("F2", kF2, "bb"),
               TypingMacro("Hello", kCtrlAltK, "hk")});
    }

    void Key(KeySym key, bool down) {
        XTestFakeKeyEvent(keyboard_, XKeysymToKeycode(keyboard_, key), down, CurrentTime);
        XFlush(keyboard_);
    }
    void Hold() { std::this_thread::sleep_for(kHold / 2); }
};

TEST_F(Rollover, AKeyPressedWhileAHotKeyIsDownReachesTheWindowBeforeTheMacro) {
    // F2 down, x down, F2 up, x up.
    Key(XK_F2, true);
    Hold();
    Key(XK_x, true);
    Hold();
    Key(XK_F2, false);
    std::this_thread::sleep_for(kLetGoGap);
    Key(XK_x, false);
    EXPECT_EQ(Next(3), "xbb") << player_->Log();

    // Ctrl+Q with Ctrl let go first, and x down before the Q is up.
    Key(XK_Control_L, true);
    Key(XK_q, true);
    Hold();
    Key(XK_Control_L, false);
    std::this_thread::sleep_for(kLetGoGap);
    Key(XK_x, true);
    Hold();
    Key(XK_q, false);
    std::this_thread::sleep_for(kLetGoGap);
    Key(XK_x, false);
    EXPECT_EQ(Next(3), "xaa") << player_->Log();

    // A word rolled over while F2 is held: every letter, in order.
    Key(XK_F2, true);
    Hold();
    TypeRolledOver(keyboard_, "word");
    Key(XK_F2, false);
    EXPECT_EQ(Next(6), "wordbb") << player_->Log();
}

// The next hot key's report must reach the player while it still waits for the release,
// however busy the machine: it runs after the macro, never lost in it.
TEST_F(Rollover, TheNextHotKeyPressedInTheInstantTheLastOneComesUpPlaysToo) {
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // Ctrl+Q, Ctrl let go, then F2 down and the Q up in one instant.
        Key(XK_Control_L, true);
        Key(XK_q, true);
        Hold();
        Key(XK_Control_L, false);
        std::this_thread::sleep_for(kLetGoGap);
        XTestFakeKeyEvent(keyboard_, XKeysymToKeycode(keyboard_, XK_F2), True, CurrentTime);
        XTestFakeKeyEvent(keyboard_, XKeysymToKeycode(keyboard_, XK_q), False, CurrentTime);
        XFlush(keyboard_);
        Hold();
        Key(XK_F2, false);
        EXPECT_EQ(Next(4), "aabb") << player_->Log();
    }
}

}  // namespace
}  // namespace tessaro::testing
