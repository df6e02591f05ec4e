// How the player takes its hot keys from the X server, with the real player and a window
// manager: a hot key another program holds is told to the user once in the player's own
// warning window, and Alt is the modifier the server's map makes it, not a fixed one.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
#include "typed_marker.h"
// Xlib's macros last.
#include <X11/XKBlib.h>

#include "hot_key_press.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltJ = 153;
constexpr int kCtrlAltK = 154;

class HotKeyGrabs : public KeysDesktop {
protected:
    int Windows(Window parent, const std::string& title) {
        int n = 0;
        Window root = 0, up = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(keyboard_, parent, &root, &up, &children, &count)) return 0;
        for (unsigned i = 0; i < count; ++i) {
            char* name = nullptr;
            if (XFetchName(keyboard_, children[i], &name) && name) {
                n += title == name;
                XFree(name);
            }
            n += Windows(children[i], title);
        }
        if (children) XFree(children);
        return n;
    }
};

TEST_F(HotKeyGrabs, AHotKeyAnotherProgramHoldsIsItsOwnUntilItLetsGoAndIsToldOnce) {
    // Another program holds Ctrl+Alt+J (with every lock combination the player tries too).
    const KeyCode j = XKeysymToKeycode(keyboard_, XK_j);
    for (unsigned locks : {0u, unsigned{LockMask}, unsigned{Mod2Mask}, unsigned{LockMask | Mod2Mask}})
        XGrabKey(keyboard_, j, ControlMask | Mod1Mask | locks, DefaultRootWindow(keyboard_), False,
                 GrabModeAsync, GrabModeAsync);
    XSync(keyboard_, False);
    Start({TypingMacro("Held", kCtrlAltJ, "jj"), TypingMacro("Free", kCtrlAltK, "kk")});
    ASSERT_TRUE(WaitFor([&] { return FindTitled(keyboard_, "Warning") != 0; }, 10s)) << player_->Log();
    // The other hot keys work meanwhile, and nothing tells the user again.
    ASSERT_TRUE(target_->Focus());
    PressHotKey(keyboard_, kCtrlAltK);
    EXPECT_TRUE(Typed("kk")) << player_->Log();
    // The held key is the other program's: it gets each press, and no macro plays.
    auto otherGotJ = [&] {
        XEvent ev;
        bool got = false;
        while (XCheckTypedEvent(keyboard_, KeyPress, &ev)) got = got || ev.xkey.keycode == j;
        return got;
    };
    const Window player = static_cast<Window>(WaitForPlayerWindow());
    for (int press = 0; press < 2; ++press) {
        EXPECT_EQ(TypedForHotKey(keyboard_, *target_, player, XK_j, {XK_Control_L, XK_Alt_L}), "kk");
        EXPECT_TRUE(WaitFor(otherGotJ, 5s)) << press;
    }
    // Once it lets go, the key is the player's and its macro plays.
    for (unsigned locks : {0u, unsigned{LockMask}, unsigned{Mod2Mask}, unsigned{LockMask | Mod2Mask}})
        XUngrabKey(keyboard_, j, ControlMask | Mod1Mask | locks, DefaultRootWindow(keyboard_));
    XSync(keyboard_, False);
    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_j, ControlMask | Mod1Mask); }, 10s))
        << player_->Log();
    PressHotKey(keyboard_, kCtrlAltJ);
    EXPECT_TRUE(Typed("kkjj")) << target_->Typed() << player_->Log();
    EXPECT_FALSE(otherGotJ());
    EXPECT_EQ(Windows(DefaultRootWindow(keyboard_), "Warning"), 1);
}

TEST_F(HotKeyGrabs, AWindowScopedHotKeyNoMacroTakesReachesTheFocusedWindow) {
    constexpr int kCtrlE = 4;
    TMacroRecord macro = TypingMacro("Scoped", kCtrlE, "xyz", scWindow);
    macro.ScopeText = "KLW";
    Start({macro, TypingMacro("Free", kCtrlAltK, "kk")});
    // The macro's window does not exist: the focused window gets the chord.
    PressWithModifiers(keyboard_, XK_e, {XK_Control_L});
    EXPECT_TRUE(target_->WaitUntil([&] { return target_->Pressed("e"); }, 10s)) << player_->Log();
    // Where it exists, it is brought to the front and gets the macro.
    KeyTarget scoped(xvfb_.Open(), "KLW");
    ASSERT_TRUE(scoped.ok());
    ASSERT_TRUE(target_->Focus());
    PressWithModifiers(keyboard_, XK_e, {XK_Control_L});
    EXPECT_TRUE(scoped.WaitUntil([&] { return scoped.Typed() == "xyz"; }, 10s)) << player_->Log();
    EXPECT_FALSE(scoped.Pressed("e"));
}

TEST_F(HotKeyGrabs, WhatAKilledPlayerLeftIsGoneOnceTheNextOneEnds) {
    const std::vector<TMacroRecord> macros{TypingMacro("Free", kCtrlAltK, "kk")};
    Start(macros);
    PressHotKey(keyboard_, kCtrlAltK);
    ASSERT_TRUE(Typed("kk")) << player_->Log();
    EXPECT_EQ(player_->Stop(SIGKILL), 128 + SIGKILL);
    player_.reset();
    ASSERT_FALSE(box_->SharedObjects().empty());
    player_ = std::make_unique<PlayerProcess>(
        *box_, std::vector<std::string>{"/F" + box_->file("TYPING.QTM"), "/EN"}, "player2.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player_->Log();
    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s))
        << player_->Log();
    PressHotKey(keyboard_, kCtrlAltK);
    ASSERT_TRUE(Typed("kkkk")) << player_->Log();
    EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
    player_.reset();
    EXPECT_EQ(box_->SharedObjects(), std::vector<std::string>{});
    for (const auto& e : std::filesystem::directory_iterator(box_->dir() + "/run"))
        EXPECT_EQ(e.path().filename().string().find("held-input"), std::string::npos) << e.path();
}

TEST_F(HotKeyGrabs, AHotKeyPressedWhileAMacroPlaysLeavesThatMacroWhole) {
    TMacroRecord scoped = TypingMacro("Scoped", kCtrlAltK, "xyz", scWindow);
    scoped.ScopeText = "KLW";
    Start({TypingMacro("Long", kCtrlAltJ, "ab<DELAY:00.50>cd"), scoped});
    KeyTarget other(xvfb_.Open(), "KLW");
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(target_->Focus());
    PressHotKey(keyboard_, kCtrlAltJ);
    ASSERT_TRUE(target_->WaitUntil([&] { return target_->Typed() == "ab"; }, 10s)) << player_->Log();
    // The scoped macro's window is not brought to the front under the running macro's keys.
    PressHotKey(keyboard_, kCtrlAltK);
    EXPECT_EQ(TypedWhenCaughtUp(keyboard_, *target_), "abcd") << player_->Log();
    EXPECT_EQ(other.Typed(), "");
}

TEST_F(HotKeyGrabs, AltIsTheModifierTheServersMapMakesIt) {
    // Alt on Mod3 instead of Mod1: every key of Mod1 moves.
    XModifierKeymap* map = XGetModifierMapping(keyboard_);
    ASSERT_NE(map, nullptr);
    std::vector<KeyCode> alt;
    for (int k = 0; k < map->max_keypermod; ++k)
        if (const KeyCode code = map->modifiermap[Mod1MapIndex * map->max_keypermod + k]) alt.push_back(code);
    for (KeyCode code : alt) {
        map = XDeleteModifiermapEntry(map, code, Mod1MapIndex);
        map = XInsertModifiermapEntry(map, code, Mod3MapIndex);
    }
    ASSERT_EQ(XSetModifierMapping(keyboard_, map), MappingSuccess);
    XFreeModifiermap(map);
    XSync(keyboard_, False);
    Start({TypingMacro("Alt", kCtrlAltK, "kk")}, {}, false);
    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod3Mask); }, 10s))
        << player_->Log();
    PressHotKey(keyboard_, kCtrlAltK);
    EXPECT_TRUE(Typed("kk")) << target_->Typed() << player_->Log();
}

TEST_F(HotKeyGrabs, TheKeypadGivesItsDigitCodesWithNumLockOnAndItsNavigationCodesWithItOff) {
    // Each keypad code types its number: "/", "*", "-", "+" in their eight sets, the
    // digits in their four, and the plain navigation keys.
    std::vector<int> numLockOn;
    for (int code = 430; code <= 553; ++code)
        if (code < 462 || code >= 514) numLockOn.push_back(code);
    std::vector<TMacroRecord> macros{TypingMacro("Free", kCtrlAltK, "kk")};
    for (int code = 430; code <= 553; ++code)
        if (code < 472 || code >= 514)
            macros.push_back(TypingMacro("K" + std::to_string(code), code, std::to_string(code) + " "));
    Start(macros);
    auto numLock = [&] {
        XkbStateRec state{};
        XkbGetState(keyboard_, XkbUseCoreKbd, &state);
        return (state.locked_mods & Mod2Mask) != 0;
    };
    Tap(XK_Num_Lock);
    ASSERT_TRUE(WaitFor(numLock, 5s));
    std::string expected;
    for (int code : numLockOn) {
        PressHotKey(keyboard_, code);
        expected += std::to_string(code) + " ";
        ASSERT_TRUE(Typed(expected)) << code << ": " << target_->Typed() << player_->Log();
    }
    Tap(XK_Num_Lock);
    ASSERT_TRUE(WaitFor([&] { return !numLock(); }, 5s));
    const KeySym navigation[] = {XK_KP_Insert, XK_KP_Delete, XK_KP_Home,  XK_KP_End, XK_KP_Prior,
                                 XK_KP_Next,   XK_KP_Left,   XK_KP_Right, XK_KP_Up,  XK_KP_Down};
    for (int code = 462; code <= 471; ++code) {
        PressWithModifiers(keyboard_, navigation[code - 462], {});
        expected += std::to_string(code) + " ";
        ASSERT_TRUE(Typed(expected)) << code << ": " << target_->Typed() << player_->Log();
    }
}

}  // namespace
}  // namespace tessaro::testing
