// The player's pause window and the window-relative mouse move, on a real X server with
// the real player and a window manager: the pause window has the keyboard, so Enter
// resumes and Esc aborts without a key reaching the macro's window, and the rest of the
// macro types there; "<MMW:" moves from the corner of the window's frame.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "protocol/hotkey_names.h"
#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
// Xlib's macros last.
#include "hot_key_press.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltL = 155;

class PauseAndMove : public KeysDesktop {
protected:
    Window Focused() {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(keyboard_, &focus, &revert);
        return focus;
    }
    // Waits for the pause window of the macro on `hotKey`, with the keyboard focus in it.
    Window FocusedPause(int hotKey) {
        const std::string caption = "Pause (" + HotKeyNames(hotKey) + ")";
        Window pause = 0;
        WaitFor([&] { return (pause = FindTitled(keyboard_, caption)) != 0 && Focused() == pause; }, 10s);
        return pause != 0 && Focused() == pause ? pause : 0;
    }
};

TEST_F(PauseAndMove, ThePauseWindowTakesTheKeyboardAndTheMacroTypesOnInItsWindow) {
    Start(
        {TypingMacro("Resumed", kCtrlAltJ, "ab<PAUSE>cd"), TypingMacro("Aborted", kCtrlAltK, "ef<PAUSE>gh")});

    PressHotKey(keyboard_, kCtrlAltJ);
    ASSERT_TRUE(Typed("ab")) << target_->Typed() << player_->Log();
    const Window pause = FocusedPause(kCtrlAltJ);
    ASSERT_NE(pause, 0u) << "the pause window does not have the keyboard\n" << player_->Log();
    // A letter goes to the pause window, Enter resumes: the rest types in the target.
    Tap(XK_x);
    Tap(XK_Return);
    EXPECT_TRUE(Typed("abcd")) << target_->Typed() << player_->Log();
    EXPECT_TRUE(
        WaitFor([&] { return FindTitled(keyboard_, "Pause (" + HotKeyNames(kCtrlAltJ) + ")") == 0; }, 5s));
    EXPECT_TRUE(target_->HasFocus());

    // Esc aborts.
    target_->keys.clear();
    PressHotKey(keyboard_, kCtrlAltK);
    ASSERT_TRUE(Typed("ef")) << target_->Typed() << player_->Log();
    ASSERT_NE(FocusedPause(kCtrlAltK), 0u) << player_->Log();
    Tap(XK_Escape);
    EXPECT_TRUE(
        WaitFor([&] { return FindTitled(keyboard_, "Pause (" + HotKeyNames(kCtrlAltK) + ")") == 0; }, 5s));
    // Played on, the macro would type its rest at once.
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(target_->Typed(), "ef") << player_->Log();
    EXPECT_FALSE(target_->Pressed("Escape")) << "the Esc went to the macro's window";
}

TEST_F(PauseAndMove, AWindowRelativeMoveMeasuresFromTheFrame) {
    Start({TypingMacro("Move", kCtrlAltL, "<MMW:00010,00010>moved"), TypingMacro("Other", kCtrlAltK, "k")});
    // The frame's corner: the client's less the manager's left and top extents.
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    long extents[4] = {};
    ASSERT_TRUE(WaitFor(
        [&] {
            if (XGetWindowProperty(keyboard_, target_->window(),
                                   XInternAtom(keyboard_, "_NET_FRAME_EXTENTS", False), 0, 4, False,
                                   XA_CARDINAL, &type, &format, &n, &after, &data) == Success &&
                data && n == 4)
                for (int i = 0; i < 4; ++i) extents[i] = reinterpret_cast<long*>(data)[i];
            if (data) XFree(data);
            data = nullptr;
            return extents[2] > 0;
        },
        5s))
        << "the window manager gave the window no title bar";
    const XRectangle client = ScreenRect(keyboard_, target_->window());
    PressHotKey(keyboard_, kCtrlAltL);
    ASSERT_TRUE(Typed("moved")) << player_->Log();
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(keyboard_, DefaultRootWindow(keyboard_), &root, &child, &x, &y, &wx, &wy, &mask);
    EXPECT_EQ(x, client.x - extents[0] + 10);
    EXPECT_EQ(y, client.y - extents[2] + 10);
}

}  // namespace
}  // namespace tessaro::testing
