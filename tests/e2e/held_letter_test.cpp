// A macro typing keys that the hand still holds down: a synthetic press of a key already
// down produces no key press, so each of these keys is typed through another keycode that
// carries the same symbol, or (a letter of either case) once the hand lets go. Every key of
// the macro arrives, after the hand's own press.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
#include "typed_marker.h"

namespace tessaro::testing {
namespace {

struct HeldCase {
    const char* name;
    KeySym held;
    const char* macro;
    const char* typed;  // by the hand's press first, then the macro
};

class HeldLetter : public KeysDesktop, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(HeldLetter, EveryKeyOfTheMacroArrivesWhileTheHandHoldsOne) {
    // No repeats of the held key: what arrives is the hand's one press and the macro's keys.
    XAutoRepeatOff(keyboard_);
    Start({TypingMacro("Held", kCtrlAltK, GetParam().macro)});
    target_->keys.clear();
    HeldKeys hand(keyboard_, {GetParam().held});
    ASSERT_TRUE(target_->WaitUntil([&] { return !target_->keys.empty(); }, std::chrono::seconds(10)));
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    // The hand's press and the macro's first key: the macro is at the held key now (a letter
    // waits there for the hand to let go).
    const std::string first = std::string(GetParam().typed).substr(0, 2);
    ASSERT_TRUE(
        target_->WaitUntil([&] { return target_->Typed().rfind(first, 0) == 0; }, std::chrono::seconds(10)))
        << target_->Typed() << player_->Log();
    hand.Release();
    EXPECT_EQ(TypedWhenCaughtUp(keyboard_, *target_), GetParam().typed) << player_->Log();
}

INSTANTIATE_TEST_SUITE_P(Keys, HeldLetter,
                         ::testing::Values(HeldCase{"Letter", XK_b, "abBc", "babBc"},
                                           HeldCase{"Return", XK_Return, "x<ENTER>y", "\rx\ry"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tessaro::testing
