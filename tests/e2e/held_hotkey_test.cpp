// Hot keys held down as a hand holds them, on a real X server with the real player: the
// macro plays once, whole, into the focused window, whatever the hold; the held key's
// repeats neither play it again nor reach the window; the popup chooser takes its number
// key while the hot key is still down.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "tests/support/macro_fixtures.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
// Xlib's macros last.
#include <X11/XKBlib.h>

#include "hot_key_press.h"
#include "tests/support/key_target.h"
#include "tray_host.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltJ = 153;
constexpr int kCtrlAltK = 154;
constexpr int kMiddleMouse = 713;
// Repeats start this long after a key went down: the longer holds below pass it.
constexpr unsigned kRepeatDelayMs = 300;
constexpr unsigned kRepeatIntervalMs = 30;

TMacroRecord Typing(const std::string& nickname, std::uint16_t code, const std::string& text) {
    TMacroRecord rec = TestMacro(nickname, code);
    SetMacroText(rec, text);
    return rec;
}

class HeldHotKeys : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
        keyboard_ = xvfb_.Open();
        ASSERT_NE(keyboard_, nullptr);
        ASSERT_TRUE(XkbSetAutoRepeatRate(keyboard_, XkbUseCoreKbd, kRepeatDelayMs, kRepeatIntervalMs));
        XSync(keyboard_, False);
        wm_ = std::make_unique<WindowManager>(xvfb_.name());
        ASSERT_TRUE(WaitFor([&] { return WindowManager::Running(keyboard_); }, 10s)) << "no window manager";
        const std::string file = box_->file("HELD.QTM");
        ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
        const std::vector<TMacroRecord> macros = {Typing("Hello", kCtrlAltJ, "hello world<ENTER>"),
                                                  Typing("Middle", kMiddleMouse, "<LCLK>middle"),
                                                  Typing("One", acNone, "one"), Typing("Two", acNone, "two"),
                                                  PopupMenuMacro("Choose", kCtrlAltK, false, {4, 3})};
        for (const TMacroRecord& rec : macros) ASSERT_TRUE(WriteMacroRecordAt(file, -1, rec).ok());
        target_ = std::make_unique<KeyTarget>(xvfb_.Open(), "Typing Target");
        ASSERT_TRUE(target_->ok());
        ASSERT_TRUE(target_->Focus());
        player_ = std::make_unique<PlayerProcess>(*box_, std::vector<std::string>{"/F" + file, "/EN"},
                                                  "player.log");
        ASSERT_TRUE(player_->started());
        ASSERT_NE(WaitForPlayerWindow(), 0u) << player_->Log();
        ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s))
            << player_->Log();
        // The player learns of the focused window through its hook, a moment later.
        std::this_thread::sleep_for(500ms);
    }
    void TearDown() override {
        if (player_ && player_->started()) {
            EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
        }
        player_.reset();
        if (keyboard_) XCloseDisplay(keyboard_);
    }

    // Waits for `text` and then a while longer, for anything typed twice or late; the
    // text the target received since the last look.
    std::string TypedAfter(const std::string& text) {
        target_->WaitUntil([&] { return target_->Typed().size() >= text.size(); }, 10s);
        std::this_thread::sleep_for(kRepeatDelayMs * 2ms);
        const std::string typed = target_->Typed();
        target_->keys.clear();
        return typed;
    }
    int Presses(const std::string& keysym) {
        target_->Drain();
        int n = 0;
        for (const KeyTarget::Key& k : target_->keys) n += k.press && k.keysym == keysym;
        return n;
    }

    Xvfb xvfb_{"640x480x24"};
    std::unique_ptr<PlayerSandbox> box_;
    Display* keyboard_ = nullptr;
    std::unique_ptr<WindowManager> wm_;
    std::unique_ptr<KeyTarget> target_;
    std::unique_ptr<PlayerProcess> player_;
};

TEST_F(HeldHotKeys, AKeyHeldAnyTimePlaysItsMacroOnceWhole) {
    // The longest hold is long enough for the key to repeat.
    PressWithModifiers(keyboard_, XK_a, {}, 600ms);
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
