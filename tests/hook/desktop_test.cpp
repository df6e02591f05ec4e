// The library and the window messages on a real X server (a private Xvfb).
#include <gtest/gtest.h>
// Xlib after gtest: it defines None.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "desktop_process.h"
#include "spare_keycode.h"
#include "hook/input_event.h"
#include "tests/support/key_target.h"
#include "tests/support/xvfb.h"
#include "protocol/hotkey_codes.h"
#include "protocol/window_messages.h"

namespace tessaro::hook {
namespace {

class Desktop : public ::testing::Test {
protected:
    void SetUp() override {
        if (server_.name().empty()) GTEST_SKIP() << "Xvfb could not start";
        display_ = XOpenDisplay(server_.name().c_str());
        ASSERT_NE(display_, nullptr);
        ns_ = "desktop-" + std::to_string(::getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    }
    void TearDown() override {
        if (display_) XCloseDisplay(display_);
    }

    std::unique_ptr<Probe> Start(const std::vector<std::string>& args) {
        return std::make_unique<Probe>(args, server_.name(), ns_);
    }

    // A player's window and the library watching for it in two processes.
    bool StartPlayerAndLibrary(int code, const std::string& option = "") {
        player_ = Start({"receiver"});
        playerWnd_ = Number(player_->ReadUntil("hwnd "));
        if (playerWnd_ == 0) return false;
        std::vector<std::string> args = {"hooker", std::to_string(playerWnd_), std::to_string(code)};
        if (!option.empty()) args.push_back(option);
        hooker_ = Start(args);
        return hooker_->ReadUntil("hooked ") == "hooked 1";
    }

    static unsigned long Number(const std::string& line) {
        return std::strtoul(line.substr(line.find(' ') + 1).c_str(), nullptr, 10);
    }

    void Tap(KeySym modifier, KeySym key) {
        TapCode(modifier == NoSymbol ? 0 : XKeysymToKeycode(display_, modifier),
                XKeysymToKeycode(display_, key));
    }
    void TapCode(KeyCode m, KeyCode k) {
        if (m) XTestFakeKeyEvent(display_, m, True, 0);
        testing::PressKeycode(display_, k);
        if (m) XTestFakeKeyEvent(display_, m, False, 0);
        XSync(display_, False);
    }

    testing::Xvfb server_{"640x480x24"};
    Display* display_ = nullptr;
    std::string ns_;
    std::unique_ptr<Probe> player_, hooker_;
    unsigned long playerWnd_ = 0;
};

TEST_F(Desktop, MessagesTravelBetweenTwoProcesses) {
    auto receiver = Start({"receiver"});
    const std::string hwnd = receiver->ReadUntil("hwnd ");
    ASSERT_FALSE(hwnd.empty());
    auto sender = Start({"sender", std::to_string(Number(hwnd)), "1035", "6", "-14"});
    EXPECT_EQ(sender->ReadUntil("sent "), "sent 1 bogus 0");
    EXPECT_EQ(receiver->ReadUntil("msg "), "msg 1035 6 -14");
}

TEST_F(Desktop, HotKeyPressedThroughXTestReachesThePlayerNotTheFocusedWindow) {
    auto app = Start({"focused"});
    const unsigned long focusWnd = Number(app->ReadUntil("window "));
    ASSERT_NE(focusWnd, 0u);
    const int code = HotKeyCodeForKey('J', kModCtrl);  // Ctrl+J
    ASSERT_TRUE(StartPlayerAndLibrary(code));

    // Give the window the focus and make sure ordinary keys reach it.
    for (int i = 0; i < 50; ++i) {
        XSetInputFocus(display_, focusWnd, RevertToParent, CurrentTime);
        XSync(display_, False);
        Window f;
        int r;
        XGetInputFocus(display_, &f, &r);
        if (f == focusWnd) break;
        ::usleep(50000);
    }
    Tap(NoSymbol, XK_x);
    ASSERT_EQ(app->ReadUntil("key "), "key " + std::to_string(XK_x));

    Tap(XK_Control_L, XK_j);
    const std::string fired = player_->ReadUntil("msg " + std::to_string(WM_HOTKEY_FIRED) + " ");
    std::ostringstream want;
    want << "msg " << WM_HOTKEY_FIRED << " " << code << " " << focusWnd;
    EXPECT_EQ(fired, want.str());
    if (fired.empty())
        for (std::string l = hooker_->ReadLine(100); !l.empty(); l = hooker_->ReadLine(100))
            ADD_FAILURE() << l;

    // The grabbed key never reached the window: after the Ctrl it saw, the next key is
    // the next one typed.
    Tap(NoSymbol, XK_y);
    std::string next = app->ReadUntil("key ");
    if (next == "key " + std::to_string(XK_Control_L)) next = app->ReadUntil("key ");
    EXPECT_EQ(next, "key " + std::to_string(XK_y));

    // The window reported follows the focus, whoever moves it: to the pointer root and back.
    for (const unsigned long focus : {0ul, focusWnd}) {
        XSetInputFocus(display_, focus ? focus : PointerRoot, RevertToParent, CurrentTime);
        XSync(display_, False);
        Tap(XK_Control_L, XK_j);
        std::ostringstream again;
        again << "msg " << WM_HOTKEY_FIRED << " " << code << " " << focus;
        EXPECT_EQ(player_->ReadUntil("msg " + std::to_string(WM_HOTKEY_FIRED) + " "), again.str());
    }
    // Caps Lock turned on just before: the report says so, and off again once it is off.
    for (const unsigned caps : {kHotKeyCapsLockBit, 0u}) {
        Tap(NoSymbol, XK_Caps_Lock);
        Tap(XK_Control_L, XK_j);
        std::ostringstream locked;
        locked << "msg " << WM_HOTKEY_FIRED << " " << (code | caps) << " " << focusWnd;
        EXPECT_EQ(player_->ReadUntil("msg " + std::to_string(WM_HOTKEY_FIRED) + " "), locked.str());
    }
}

TEST_F(Desktop, TypedCharactersFollowTheKeyboardMapIncludingDeadKeys) {
    ASSERT_TRUE(StartPlayerAndLibrary(0, "abbrev"));
    const std::string abbrev = "msg " + std::to_string(WM_ABBREV_CHAR) + " ";

    Tap(NoSymbol, XK_a);
    // The character with the key that typed it.
    EXPECT_EQ(player_->ReadUntil(abbrev), abbrev + "0 " + std::to_string(AbbrevCharParam('a', 'A')));
    Tap(XK_Shift_L, XK_b);
    EXPECT_EQ(player_->ReadUntil(abbrev), abbrev + "0 " + std::to_string(AbbrevCharParam('B', 'B')));

    // Turn a spare key into a dead acute; the library rereads the map on the notice.
    const KeyCode spare = SpareKeycode(display_);
    ASSERT_NE(spare, 0);
    KeySym dead = XK_dead_acute;
    XChangeKeyboardMapping(display_, spare, 1, &dead, 1);
    XSync(display_, False);
    ::usleep(200 * 1000);
    TapCode(0, spare);
    Tap(NoSymbol, XK_e);
    // é in Windows-1252, typed by the E key.
    EXPECT_EQ(player_->ReadUntil(abbrev), abbrev + "0 " + std::to_string(AbbrevCharParam(233, 'E')));
    KeySym none = NoSymbol;
    XChangeKeyboardMapping(display_, spare, 1, &none, 1);
    XSync(display_, False);
}

TEST_F(Desktop, ThePlayersMarkIsAnsweredBehindTheKeysItTyped) {
    ASSERT_TRUE(StartPlayerAndLibrary(0, "waitpb"));
    auto marker = Start({"marker"});
    ASSERT_EQ(marker->ReadUntil("typed"), "typed");
    EXPECT_EQ(player_->ReadUntil("msg " + std::to_string(WM_PLAYBACK_CAUGHT_UP) + " "),
              "msg " + std::to_string(WM_PLAYBACK_CAUGHT_UP) + " 0 0");
    // The library saw the played key go up before the mark.
    const std::string up = "event " + std::to_string(InputEvent::KeyUp) + " vk 88 ";
    const std::string mark = "event " + std::to_string(InputEvent::PlaybackMark) + " ";
    std::vector<std::string> seen;
    for (std::string l = hooker_->ReadLine(2000); !l.empty(); l = hooker_->ReadLine(300)) seen.push_back(l);
    const auto at = [&](const std::string& prefix) {
        return std::find_if(seen.begin(), seen.end(),
                            [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    ASSERT_NE(at(mark), seen.end());
    EXPECT_LT(at(up), at(mark));
}

// The hot key's grab keeps the keyboard's own events of the master keyboard from the
// library until the key is up; a modifier let go before it must not stay held.
TEST_F(Desktop, AModifierLetGoBeforeTheHotKeyIsNotHeldForTheNextKey) {
    const int code = HotKeyCodeForKey('Q', kModCtrl);
    ASSERT_TRUE(StartPlayerAndLibrary(code));
    const std::string fired = "msg " + std::to_string(WM_HOTKEY_FIRED) + " " + std::to_string(code) + " ";
    const std::string nextKey =
        "event " + std::to_string(InputEvent::KeyDown) + " vk " + std::to_string('X') + " ";
    for (const testing::LetGo order : {testing::LetGo::ModifiersFirst, testing::LetGo::KeyFirst}) {
        SCOPED_TRACE(order == testing::LetGo::KeyFirst ? "key first" : "modifier first");
        testing::PressWithModifiers(display_, XK_q, {XK_Control_L}, testing::kHold, order);
        EXPECT_EQ(player_->ReadUntil(fired).substr(0, fired.size()), fired);
        Tap(NoSymbol, XK_x);
        const std::string line = hooker_->ReadUntil(nextKey);
        EXPECT_EQ(line, nextKey + "mods 0 synthetic 0");
    }
}

TEST_F(Desktop, ThePlayersOwnPlaybackIsNoHotKey) {
    const int code = HotKeyCodeForKey('K', kModCtrl);
    ASSERT_TRUE(StartPlayerAndLibrary(code));
    auto typist = Start({"typist", std::to_string(XK_Control_L), std::to_string(XK_k)});
    ASSERT_EQ(typist->ReadUntil("typed"), "typed");
    // Right after, the same keys from another client are the user's.
    Tap(XK_Control_L, XK_k);
    const std::string fired = player_->ReadUntil("msg " + std::to_string(WM_HOTKEY_FIRED) + " ");
    ASSERT_FALSE(fired.empty());
    EXPECT_EQ(fired.substr(0, fired.rfind(' ')),
              "msg " + std::to_string(WM_HOTKEY_FIRED) + " " + std::to_string(code));
    // Exactly one: the played keys fired nothing.
    EXPECT_EQ(player_->ReadUntil("msg " + std::to_string(WM_HOTKEY_FIRED) + " ", 300), "");
}

TEST_F(Desktop, AnotherProgramsXTestHotKeyFiresBetweenPlayedKeys) {
    const int code = HotKeyCodeForKey('K', kModCtrl);
    ASSERT_TRUE(StartPlayerAndLibrary(code));
    const std::string hotKey = "msg " + std::to_string(WM_HOTKEY_FIRED) + " " + std::to_string(code) + " ";
    for (int round = 0; round < 3; ++round) {
        // The player types the hot key itself; it must fire nothing.
        auto player = Start({"player"});
        ASSERT_EQ(player->ReadUntil("typed"), "typed");
        EXPECT_EQ(player_->ReadUntil("msg " + std::to_string(WM_HOTKEY_FIRED) + " ", 100), "")
            << "round " << round;
        // Another program's injection at once after it is the user's.
        Tap(XK_Control_L, XK_k);
        const std::string fired = player_->ReadUntil("msg " + std::to_string(WM_HOTKEY_FIRED) + " ");
        EXPECT_EQ(fired.substr(0, hotKey.size()), hotKey) << "round " << round;
    }
    EXPECT_EQ(player_->ReadUntil("msg " + std::to_string(WM_HOTKEY_FIRED) + " ", 300), "");
}

}  // namespace
}  // namespace tessaro::hook
