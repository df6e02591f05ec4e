// Keys let go in the orders hands let go of them, on a real X server with the real player
// and a window manager: the player's idea of the held keys is the server's, so the next
// plain key plays its own macro, the keys of other system macros stay plain, typed
// abbreviations go on working and type their whole text however long their last key is
// held, a resumed macro types without the resuming hot key's modifiers, and macros that
// fire while a hot key is held wait for its release.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "shared_glob.h"
#include "platform/profile.h"
#include "protocol/glob_data.h"
#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
#include "typed_marker.h"
// Xlib's macros last.
#include "hot_key_press.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kResumePause = 264;  // Ctrl+Alt+Shift+Y; Z the menu of the top window, X capture

TMacroRecord Abbreviation(const std::string& abbreviation, const std::string& text) {
    TMacroRecord rec = TypingMacro("Abbreviation " + abbreviation, acAbbreviation, text);
    rec.Abbreviation = abbreviation;
    return rec;
}

const char* NameOf(LetGo order) {
    switch (order) {
        case LetGo::KeyFirst: return "key first";
        case LetGo::ModifiersFirst: return "modifiers first";
        case LetGo::AltFirst: return "Alt first";
    }
    return "";
}

class ReleaseOrders : public KeysDesktop {
protected:
    // What `target` received once it has `size` characters and the playback caught up (for
    // anything typed late); the keys it saw are forgotten.
    std::string Next(KeyTarget& target, std::size_t size) {
        target.WaitUntil([&] { return target.Typed().size() >= size; }, 10s);
        const std::string typed = TypedWhenCaughtUp(keyboard_, target);
        target.keys.clear();
        return typed;
    }
    std::string Next(std::size_t size) { return Next(*target_, size); }

    void Tap(KeySym key, std::chrono::milliseconds hold = kHold) {
        PressKeycode(keyboard_, XKeysymToKeycode(keyboard_, key), hold);
    }
};

TEST_F(ReleaseOrders, WhateverTheOrderTheNextPlainKeyPlaysItsOwnMacroAndStaysPlain) {
    Start({TypingMacro("Ctrl Q", kCtrlQ, "cq"), TypingMacro("Ctrl F2", kCtrlF2, "cf"),
           TypingMacro("F2", kF2, "ff"), TypingMacro("Hello", kCtrlAltK, "hk"), Abbreviation("kp", "KEPT")});

    for (const LetGo order : {LetGo::ModifiersFirst, LetGo::KeyFirst}) {
        SCOPED_TRACE(NameOf(order));
        PressWithModifiers(keyboard_, XK_q, {XK_Control_L}, kHold, order);
        EXPECT_EQ(Next(2), "cq") << player_->Log();
        Tap(XK_F2);
        EXPECT_EQ(Next(2), "ff") << player_->Log();
    }

    // "Resume Pause" outside a pause does nothing; its modifiers must not stay held.
    for (const LetGo order : {LetGo::ModifiersFirst, LetGo::AltFirst, LetGo::KeyFirst}) {
        SCOPED_TRACE(NameOf(order));
        PressHotKey(keyboard_, kResumePause, kHold, order);
        // That the player took the key and did nothing shows nowhere: the next keys come a
        // moment on, as a hand's would.
        std::this_thread::sleep_for(200ms);
        TypeAscii(keyboard_, "zx", 30ms);
        EXPECT_EQ(Next(2), "zx") << player_->Log();
        EXPECT_EQ(FindTitled(keyboard_, "Choose A Macro"), 0u);
        EXPECT_EQ(FindTitled(keyboard_, "Warning"), 0u);
        EXPECT_EQ(SharedGlob().CaptureOn, 0) << "a plain x started a capture";
        TypeAscii(keyboard_, "kp", 30ms);
        EXPECT_EQ(Next(8), "kp\b\bKEPT") << player_->Log();
    }

    // A quick hand: the k still down when the p goes down.
    TypeRolledOver(keyboard_, "kp");
    EXPECT_EQ(Next(8), "kp\b\bKEPT") << player_->Log();
}

TEST_F(ReleaseOrders, AnAbbreviationsLastKeyHeldLongTypesTheWholeText) {
    Start({TypingMacro("Hello", kCtrlAltK, "hk"), Abbreviation("kp", "KEPT")});
    for (const auto hold : {80ms, 300ms, 600ms}) {
        SCOPED_TRACE("p held " + std::to_string(hold.count()) + " ms");
        Tap(XK_k);
        Tap(XK_p, hold);
        EXPECT_EQ(Next(8), "kp\b\bKEPT") << player_->Log();
    }
    // Held on and on (no repeats here): the wait ends, the player lets go of it and types.
    XAutoRepeatOff(keyboard_);
    Tap(XK_k);
    {
        HeldKeys p(keyboard_, {XK_p});
        EXPECT_TRUE(target_->WaitUntil([&] { return target_->Typed() == "kp\b\bKEPT"; }, 3s))
            << target_->Typed() << player_->Log();
    }
    EXPECT_EQ(Next(8), "kp\b\bKEPT");
}

TEST_F(ReleaseOrders, AResumedMacroTypesWithoutTheModifiersOfTheKeyThatResumedIt) {
    Start({TypingMacro("Paused", kCtrlAltJ, "a<PAUSE>b<PAUSE>c"), TypingMacro("Hello", kCtrlAltK, "hk")});
    PressWithModifiers(keyboard_, XK_j, {XK_Control_L, XK_Alt_L});
    const std::string pause = "Pause (" + HotKeyNames(kCtrlAltJ) + ")";
    ASSERT_TRUE(WaitFor([&] { return FindTitled(keyboard_, pause) != 0; }, 10s)) << player_->Log();
    // "Resume Pause", let go key first, the modifiers after it.
    PressHotKey(keyboard_, kResumePause, kHold, LetGo::KeyFirst);
    ASSERT_TRUE(target_->WaitUntil([&] { return target_->Typed().size() >= 2; }, 10s)) << player_->Log();
    ASSERT_TRUE(WaitFor([&] { return FindTitled(keyboard_, pause) != 0; }, 10s)) << player_->Log();
    // The macro's own hot key resumes it too.
    PressHotKey(keyboard_, kCtrlAltJ, kHold, LetGo::KeyFirst);
    EXPECT_EQ(Next(3), "abc") << player_->Log();
}

TEST_F(ReleaseOrders, AWindowTitleMacroThatFiresWhileTheHotKeyIsHeldTypesOnceItIsUp) {
    // Made before the player runs, so that its first activation fires nothing.
    KeyTarget other(xvfb_.Open(), "Other Target");
    ASSERT_TRUE(other.ok());
    ASSERT_TRUE(target_->Focus());
    TMacroRecord scoped = TypingMacro("Scoped", kCtrlAltJ, "hot", scWindow);
    scoped.ScopeText = "Other Target";
    scoped.TopmostOnly = 0;
    TMacroRecord title = TypingMacro("Title", acWindowTitle, "title");
    title.ScopeText = "Other Target";
    Start({scoped, title, TypingMacro("Hello", kCtrlAltK, "hk")});
    other.Drain();
    other.keys.clear();

    // The hot key brings the scoped window to the front, which fires the title macro,
    // all while the key is still down.
    PressWithModifiers(keyboard_, XK_j, {XK_Control_L, XK_Alt_L}, 600ms);
    EXPECT_EQ(Next(other, 8), "titlehot") << player_->Log();
}

TEST_F(ReleaseOrders, AStartUpMacroThatFiresWhileTheHotKeyIsHeldTypesOnceItIsUp) {
    const auto spawned = std::chrono::steady_clock::now();
    Start({TypingMacro("Boot", acScheduled, "boot"), TypingMacro("Hello", kCtrlAltK, "hot")});
    // The start-up macros run 5 s after the start: the key is held across that moment.
    ASSERT_EQ(target_->Typed(), "") << "the start-up macro ran before the key went down";
    {
        HeldHotKey held(keyboard_, kCtrlAltK);
        std::this_thread::sleep_until(spawned + 9s);
    }
    EXPECT_EQ(Next(7), "boothot") << player_->Log();
}

}  // namespace
}  // namespace tessaro::testing
