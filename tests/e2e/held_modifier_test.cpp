// A modifier the hand keeps down across macros, on a real X server with the real player and
// a window manager: after each macro the server holds it again as the hand does, so the
// same hot key pressed again plays again, another key with the same modifier plays its own
// macro, and a macro that waited for the user's key types without the Shift still held.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "shared_glob.h"
#include "protocol/glob_data.h"
#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
// Xlib's macros last.
#include "hot_key_press.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kAltQ = 64;
constexpr int kCtrlShiftQ = 112;

class HeldModifiers : public KeysDesktop {
protected:
    // The server holds every one of `keys` down.
    bool ServerHolds(const std::vector<KeySym>& keys) {
        char map[32];
        XQueryKeymap(keyboard_, map);
        for (KeySym k : keys) {
            const KeyCode code = XKeysymToKeycode(keyboard_, k);
            if (!(map[code / 8] & (1 << (code % 8)))) return false;
        }
        return true;
    }
    // Waits until the target has `text`, and the server again holds what the hand holds.
    bool TypedAndHeld(const std::string& text, const std::vector<KeySym>& held) {
        return target_->WaitUntil([&] { return target_->Typed() == text && ServerHolds(held); }, 10s);
    }
    // The keys the target saw, for failure messages.
    std::string Seen() {
        std::string out;
        for (const KeyTarget::Key& k : target_->keys) out += (k.press ? "+" : "-") + k.keysym + " ";
        return out;
    }
};

TEST_F(HeldModifiers, TheSameHotKeyPressedTwiceWithItsModifiersKeptDownPlaysTwice) {
    Start({TypingMacro("Ctrl Q", kCtrlQ, "aa"), TypingMacro("Alt Q", kAltQ, "dd"),
           TypingMacro("Ctrl Shift Q", kCtrlShiftQ, "ee"), TypingMacro("F2", kF2, "bb"),
           TypingMacro("Ctrl F2", kCtrlF2, "cc"), TypingMacro("Hello", kCtrlAltK, "hk")});
    const struct {
        std::vector<KeySym> modifiers;
        std::string twice;
    } kCases[] = {{{XK_Control_L}, "aaaa"}, {{XK_Alt_L}, "dddd"}, {{XK_Control_L, XK_Shift_L}, "eeee"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.twice);
        {
            HeldKeys held(keyboard_, c.modifiers);
            std::this_thread::sleep_for(kLetGoGap);
            Tap(XK_q);
            ASSERT_TRUE(TypedAndHeld(c.twice.substr(0, 2), c.modifiers))
                << target_->Typed() << player_->Log();
            Tap(XK_q);
            ASSERT_TRUE(TypedAndHeld(c.twice, c.modifiers)) << target_->Typed() << player_->Log();
        }
        EXPECT_EQ(Next(4), c.twice) << player_->Log();
        // Let go now, the modifiers are up on the server too.
        EXPECT_FALSE(ServerHolds({c.modifiers.front()}));
    }

    // Ctrl kept down, Q then F2: the second is Ctrl+F2.
    {
        HeldKeys ctrl(keyboard_, {XK_Control_L});
        std::this_thread::sleep_for(kLetGoGap);
        Tap(XK_q);
        ASSERT_TRUE(TypedAndHeld("aa", {XK_Control_L})) << target_->Typed() << player_->Log();
        Tap(XK_F2);
        ASSERT_TRUE(TypedAndHeld("aacc", {XK_Control_L})) << target_->Typed() << player_->Log();
    }
    EXPECT_EQ(Next(4), "aacc") << player_->Log();
    // And a plain F2 after that is F2 alone.
    Tap(XK_F2);
    EXPECT_EQ(Next(2), "bb") << player_->Log();
}

TEST_F(HeldModifiers, AMacroThatWaitedForTheUsersKeyTypesWithoutTheUsersShift) {
    // "2" is key 28 of the wait's list.
    Start({TypingMacro("Wait key", kCtrlAltJ, "<WAITKEY:000:28>2b"),
           TypingMacro("Wait text", kCtrlAltK, "<WAITTXTY:000:X>3c")});
    const struct {
        int hotKey;
        KeySym ends;
        std::uint8_t TGlobData::*armed;
        std::string typed;
    } kCases[] = {{kCtrlAltJ, XK_2, &TGlobData::WaitKey, "2b"},
                  {kCtrlAltK, XK_x, &TGlobData::WaitText, "3c"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.typed);
        PressHotKey(keyboard_, c.hotKey);
        ASSERT_TRUE(WaitFor([&] { return SharedGlob().*c.armed != 0; }, 10s)) << player_->Log();
        target_->Drain();
        target_->keys.clear();
        HeldKeys shift(keyboard_, {XK_Shift_L});
        std::this_thread::sleep_for(kLetGoGap);
        Tap(c.ends);
        // What the user typed arrives as typed; what the macro types after it is as written.
        ASSERT_TRUE(target_->WaitUntil([&] { return target_->Typed().size() >= 3; }, 10s))
            << Seen() << player_->Log();
        EXPECT_TRUE(TypedAndHeld(target_->Typed().substr(0, 1) + c.typed, {XK_Shift_L}))
            << target_->Typed() << player_->Log();
        shift.Release();
        target_->keys.clear();
    }
}

}  // namespace
}  // namespace tessaro::testing
