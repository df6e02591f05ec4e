// Hot keys held down as a hand holds them, on a real X server with the real player: the
// macro plays once, whole, into the focused window, whatever the hold; the held key's
// repeats neither play it again nor reach the window; the popup chooser takes its number
// key while the hot key is still down.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
#include "typed_marker.h"
// Xlib's macros last.
#include <X11/XKBlib.h>

#include "hot_key_press.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kMiddleMouse = 713;
// Repeats start this long after a key went down: the longer holds below pass it.
constexpr unsigned kRepeatDelayMs = 300;
constexpr unsigned kRepeatIntervalMs = 30;

class HeldHotKeys : public KeysDesktop {
protected:
    void SetUp() override {
        KeysDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(XkbSetAutoRepeatRate(keyboard_, XkbUseCoreKbd, kRepeatDelayMs, kRepeatIntervalMs));
        XSync(keyboard_, False);
        Start({TypingMacro("Hello", kCtrlAltJ, "hello world<ENTER>"),
               TypingMacro("Middle", kMiddleMouse, "<LCLK>middle"), TypingMacro("One", acNone, "one"),
               TypingMacro("Two", acNone, "two"), PopupMenuMacro("Choose", kCtrlAltK, false, {4, 3})});
        // The player learns of the focused window through its hook.
        ASSERT_TRUE(WaitFor(
            [] {
                const std::string active = CurrentGlob().ActiveProgram.str();
                return !active.empty() && active != "TESRUN";
            },
            10s))
            << player_->Log();
    }

    // Waits for `text` and for the playback to catch up, then takes anything typed twice or
    // late; the text the target received since the last look.
    std::string TypedAfter(const std::string& text) {
        target_->WaitUntil([&] { return target_->Typed().size() >= text.size(); }, 10s);
        const std::string typed = TypedWhenCaughtUp(keyboard_, *target_);
        target_->keys.clear();
        return typed;
    }
    int Presses(const std::string& keysym) {
        target_->Drain();
        int n = 0;
        for (const KeyTarget::Key& k : target_->keys) n += k.press && k.keysym == keysym;
        return n;
    }
};

TEST_F(HeldHotKeys, AKeyHeldAnyTimePlaysItsMacroOnceWhole) {
    // The longest hold is long enough for the key to repeat.
    PressWithModifiers(keyboard_, XK_a, {}, 600ms);
    // Its last repeat may reach the window late: read until a marker key after it.
    ReadUpToNow(keyboard_, *target_);
    EXPECT_GT(Presses("a"), 1) << "the key did not repeat";
    target_->keys.clear();

    for (const auto hold : {30ms, 80ms, 150ms, 300ms, 600ms}) {
        SCOPED_TRACE("held " + std::to_string(hold.count()) + " ms");
        PressWithModifiers(keyboard_, XK_j, {XK_Control_L, XK_Alt_L}, hold);
        EXPECT_EQ(TypedAfter("hello world\r"), "hello world\r") << player_->Log();
    }
}

TEST_F(HeldHotKeys, AMouseButtonHeldAnyTimePlaysItsMacroOnce) {
    // The macro clicks where the pointer is: on the target.
    const XRectangle r = ScreenRect(keyboard_, target_->window());
    XTestFakeMotionEvent(keyboard_, DefaultScreen(keyboard_), r.x + r.width / 2, r.y + r.height / 2,
                         CurrentTime);
    XSync(keyboard_, False);
    for (const auto hold : {30ms, 150ms, 600ms}) {
        SCOPED_TRACE("held " + std::to_string(hold.count()) + " ms");
        PressHotKey(keyboard_, kMiddleMouse, hold);
        target_->WaitUntil([&] { return target_->Typed() == "middle"; }, 10s);
        EXPECT_EQ(Presses("Button1"), 1) << player_->Log();
        EXPECT_EQ(Presses("Button2"), 0);
        EXPECT_EQ(TypedAfter("middle"), "middle") << player_->Log();
    }
}

TEST_F(HeldHotKeys, TheChooserTakesItsNumberKeyWhileTheHotKeyIsStillDown) {
    HeldHotKey held(keyboard_, kCtrlAltK);
    Window chooser = 0;
    ASSERT_TRUE(WaitFor([&] { return (chooser = FindTitled(keyboard_, "Choose A Macro")) != 0; }, 10s))
        << player_->Log();
    // Past the repeat delay: the held key repeats while the chooser is up.
    std::this_thread::sleep_for(kRepeatDelayMs * 2ms);
    PressKeycode(keyboard_, XKeysymToKeycode(keyboard_, XK_1));  // the second item: "One"
    EXPECT_TRUE(WaitFor([&] { return FindTitled(keyboard_, "Choose A Macro") == 0; }, 5s)) << player_->Log();
    std::this_thread::sleep_for(200ms);
    held.Release();
    EXPECT_EQ(TypedAfter("one"), "one") << player_->Log();
}

}  // namespace
}  // namespace tessaro::testing
