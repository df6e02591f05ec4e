// A macro of 1,200 characters in which every third is a Latin-1 or Windows character (far
// more distinct ones than there are spare keycodes) among characters on Shift and AltGr,
// played by the real player under the German, the French and the US international layout
// into a plain X program that reads nothing for its first 5 s (a program just started) and
// whose loop then stops 300 ms every 25 keys. The program decodes each key when it reads
// it, with the keyboard map it holds then: a spare keycode lent to another character while
// keys of its old one are still queued turns them into the new one. Every character
// arrives as sent, none other.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
#include "typed_marker.h"
// Xlib's macros last.
#include "tests/support/typed_characters.h"
#include "tests/support/xkb_layout.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

class LateReaderMixedText : public KeysDesktop, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        KeysDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(SetKeyboardLayout(xvfb_.name(), GetParam())) << "setxkbmap " << GetParam();
        target_->Drain();
        // A plain X program: it takes part in no window manager ping.
        target_->ReadLate(300ms, 25);
        target_->StopOnce(5s, 0);
    }
};

TEST_P(LateReaderMixedText, EveryCharacterArrivesAsSent) {
    const std::string text = MixedAbsentText(1200);
    Start({TypingMacro("Mixed", kCtrlAltK, text)});
    target_->keys.clear();
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    ReadUntilDoneOrQuiet(
        *target_, [&] { return TypedCharacters(*target_).size() >= text.size(); }, 10s, 300s);
    TypedWhenCaughtUp(keyboard_, *target_);
    const std::string typed = TypedCharacters(*target_);
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < std::max(typed.size(), text.size()); ++i)
        wrong += i >= typed.size() || i >= text.size() || typed[i] != text[i];
    const auto first = std::mismatch(typed.begin(), typed.end(), text.begin(), text.end());
    EXPECT_EQ(wrong, 0u) << "first difference at " << std::distance(typed.begin(), first.first) << " of "
                         << text.size() << player_->Log();
    EXPECT_EQ(typed.size(), text.size());
}

INSTANTIATE_TEST_SUITE_P(Layouts, LateReaderMixedText, ::testing::Values("de", "fr", "us(intl)"),
                         [](const auto& info) {
                             std::string name = info.param;
                             return name == "us(intl)" ? std::string("usIntl") : name;
                         });

}  // namespace
}  // namespace tessaro::testing
