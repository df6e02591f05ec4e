// A player killed in the middle of a macro that holds Shift and has an accented letter on
// a spare keycode: the next start lets go of the key and gives the keycode back, so the
// user types lower case again and the keyboard map is the one before the first start.
#include <gtest/gtest.h>

#include <algorithm>

#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "tests/support/key_target.h"
#include "tests/support/keyboard_state.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;

bool KeyDown(Display* d, KeySym sym) { return KeyIsDown(d, XKeysymToKeycode(d, sym)); }

TMacroRecord Macro(const std::string& nickname, int code, const std::string& text) {
    TMacroRecord rec{};
    rec.Nickname = nickname;
    rec.Scope = scGlobal;
    rec.ActivationCode = static_cast<std::uint16_t>(code);
    rec.Enabled = 1;
    SetMacroText(rec, text);
    return rec;
}

TEST(CrashRestore, KilledMidMacroTheNextStartReleasesShiftAndRestoresTheKeyboardMap) {
    Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    const std::string file = box.file("CRASH.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    ASSERT_TRUE(WriteMacroRecordAt(file, 1, Macro("Held", kCtrlAltK, "<SHFD>\xE9<DELAY:30.00>x")).ok());
    ASSERT_TRUE(WriteMacroRecordAt(file, 2, Macro("Plain", 30000, "ok")).ok());

    Display* keyboard = xvfb.Open();
    ASSERT_NE(keyboard, nullptr);
    const std::vector<KeySym> before = KeyboardMap(keyboard);
    KeyTarget target(xvfb.Open(), "Crash Target");
    ASSERT_TRUE(target.ok());
    ASSERT_TRUE(target.Focus());

    {
        PlayerProcess crashed(box, {"/F" + file, "/EN"}, "crashed.log");
        ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); }, 15s))
            << crashed.Log();
        PressWithModifiers(keyboard, XK_k, {XK_Control_L, XK_Alt_L});
        // Shift, then the letter's key: the macro is in its delay.
        auto letterAfterShift = [&] {
            auto shift = std::find_if(target.keys.begin(), target.keys.end(), [](const KeyTarget::Key& k) {
                return k.press && k.keysym == "Shift_L";
            });
            return shift != target.keys.end() &&
                   std::any_of(shift + 1, target.keys.end(), [](const KeyTarget::Key& k) { return k.press; });
        };
        ASSERT_TRUE(target.WaitUntil(letterAfterShift, 10s)) << crashed.Log();
        // The letter let go too: the macro waits in its delay.
        const auto letterUp = [&] {
            const auto shift =
                std::find_if(target.keys.begin(), target.keys.end(),
                             [](const KeyTarget::Key& k) { return k.press && k.keysym == "Shift_L"; });
            const auto letter =
                std::find_if(shift + 1, target.keys.end(), [](const KeyTarget::Key& k) { return k.press; });
            return letter != target.keys.end() &&
                   std::any_of(letter + 1, target.keys.end(), [&](const KeyTarget::Key& k) {
                       return !k.press && k.keysym == letter->keysym;
                   });
        };
        ASSERT_TRUE(target.WaitUntil(letterUp, 10s)) << crashed.Log();
        EXPECT_EQ(crashed.Stop(SIGKILL), 128 + SIGKILL);
    }
    // What the killed player left: Shift down, the letter on a spare keycode.
    ASSERT_TRUE(KeyDown(keyboard, XK_Shift_L));
    ASSERT_NE(KeyboardMap(keyboard), before);

    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    EXPECT_TRUE(WaitFor([&] { return !KeyDown(keyboard, XK_Shift_L); }, 5s));

    // While it runs the map is the one before the first start.
    EXPECT_EQ(KeyboardMap(keyboard), before);

    // The user types lower case again.
    target.keys.clear();
    PlayerProcess second(box, {"/Aplain"}, "second.log");
    EXPECT_EQ(second.WaitExit(10s), 0);
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "ok"; }, 10s)) << target.Typed();

    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    EXPECT_EQ(KeyboardMap(keyboard), before);
    EXPECT_FALSE(KeyDown(keyboard, XK_Shift_L));
    XCloseDisplay(keyboard);
}

}  // namespace
}  // namespace tessaro::testing
