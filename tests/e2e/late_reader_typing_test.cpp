// A macro of 1,000 characters played by the real player into a window on a real desktop,
// under the US and the German layout: letters the layout lacks (more of them than there
// are spare keycodes) and the characters behind AltGr, into a program that reads at once
// and into one whose event loop stops 300 ms at the first key and every 150 keys, as busy
// programs do. Every character arrives, none other.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>

#include "tests/support/macro_fixtures.h"
#include "keys_desktop.h"
#include "typed_marker.h"
// Xlib's macros last.
#include "tests/support/typed_characters.h"
#include "tests/support/xkb_layout.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

// Letters with accents neither layout has a key for (the German one has dead keys for
// them), the German layout's own letters and the characters behind its AltGr.
std::string ThousandCharacters() {
    const std::string absent =
        "\xE9\xE8\xEA\xEB\xE0\xE2\xE1\xE7\xF1\xE5\xEE\xEF\xED\xEC\xF4\xF3\xF2\xF5\xFB\xFA\xF9\xFD\xFF"
        "\xC9\xC8\xCA\xC0\xC1\xC7\xD1\xC5\xCE\xCD\xD4\xD3\xDB\xDA";
    const std::string pieces[] = {
        "abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ",       "0123456789 ", "@{}[]\\|~",
        ".,;:!?'\"()-/#&*+=_$%^",     "\xE4\xF6\xFC\xDF\xC4\xD6\xDC\xB5", absent};
    const int weights[] = {45, 8, 12, 10, 8, 4, 13};
    std::mt19937 rng(39);
    std::discrete_distribution<int> pick(std::begin(weights), std::end(weights));
    std::string text;
    while (text.size() < 1000) {
        const std::string& from = pieces[pick(rng)];
        text += from[rng() % from.size()];
    }
    return text;
}

class LateReaderTyping : public KeysDesktop,
                         public ::testing::WithParamInterface<std::tuple<const char*, bool>> {
protected:
    void SetUp() override {
        KeysDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        const auto [layout, late] = GetParam();
        ASSERT_TRUE(SetKeyboardLayout(xvfb_.name(), layout)) << "setxkbmap " << layout;
        target_->Drain();
        // A program that reads at once here is a toolkit's, which answers the window
        // manager's ping; the late one is a plain X program, which does not.
        if (late)
            target_->ReadLate(300ms, 150);
        else
            target_->AnswerPings();
    }
};

TEST_P(LateReaderTyping, EveryCharacterArrivesAndNoneOther) {
    const std::string text = ThousandCharacters();
    Start({TypingMacro("Thousand", kCtrlAltK, text)});
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    // Until the whole text is in, or no key has come for a while (some were lost).
    ReadUntilDoneOrQuiet(
        *target_, [&] { return target_->Typed().size() >= text.size(); }, 5s, 120s);
    // Anything late or extra comes before the playback caught up and a key after it.
    const std::string typed = TypedWhenCaughtUp(keyboard_, *target_);
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < std::max(typed.size(), text.size()); ++i)
        wrong += i >= typed.size() || i >= text.size() || typed[i] != text[i];
    EXPECT_EQ(wrong, 0u) << "first difference at "
                         << std::distance(
                                typed.begin(),
                                std::mismatch(typed.begin(), typed.end(), text.begin(), text.end()).first)
                         << player_->Log();
    EXPECT_EQ(typed.size(), text.size());
}

INSTANTIATE_TEST_SUITE_P(Layouts, LateReaderTyping,
                         ::testing::Combine(::testing::Values("us", "de"), ::testing::Values(false, true)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "LateReader" : "PromptReader");
                         });

}  // namespace
}  // namespace tessaro::testing
