// A macro of 1,200 characters in which every third is a Latin-1 or Windows character (far
// more distinct ones than there are spare keycodes) among characters on Shift and AltGr,
// played by the real player under the German, the French and the US international layout
// into a plain X program whose loop stops 300 ms every 25 keys. The program decodes each
// key when it reads it, with the keyboard map it holds then: a spare keycode lent to
// another character while keys of its old one are still queued turns them into the new
// one. Every character arrives as sent, none other.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/cp1252.h"
#include "platform/virtual_keys.h"
#include "platform/x11/legacy_keysyms.h"
#include "tests/support/macro_fixtures.h"
#include "typing_desktop.h"
#include "typed_marker.h"
// Xlib's macros last.
#include "tests/support/xkb_layout.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;

// Every third character one of the Windows-1252 upper half, the others plain, on Shift or
// (on the German layout) behind AltGr.
std::string MixedText() {
    std::string upper;
    for (int c = 0x80; c <= 0xFF; ++c)
        if (c != 0xA0 && c != 0xAD && win::Cp1252ToUnicode(static_cast<unsigned char>(c)) >= 0xA0)
            upper += static_cast<char>(c);
    const std::string others =
        "abcdefghijklmnopqrstuvwxyz0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ!\"$%&/()=?@{}[]\\~|";
    std::mt19937 rng(47);
    std::string text;
    while (text.size() < 1200) {
        const std::string& from = text.size() % 3 == 2 ? upper : others;
        text += from[rng() % from.size()];
    }
    return text;
}

// The Windows-1252 character a keysym types (by its Unicode value or its old name, as
// "EuroSign"); 0 for none (Shift, AltGr).
unsigned char CharOfKeysym(KeySym sym) {
    unsigned char byte = 0;
    if (const char32_t cp = win::KeysymToChar(sym); cp && win::UnicodeToCp1252(cp, byte)) return byte;
    for (int c = 0x80; c <= 0xFF; ++c)
        if (win::x11::LegacyKeysymForChar(win::Cp1252ToUnicode(static_cast<unsigned char>(c))) == sym)
            return static_cast<unsigned char>(c);
    return 0;
}

// The text of the key presses that typed a character.
std::string TypedText(const KeyTarget& target) {
    std::string text;
    for (const KeyTarget::Key& k : target.keys)
        if (k.press)
            if (const unsigned char c = CharOfKeysym(XStringToKeysym(k.keysym.c_str())))
                text += static_cast<char>(c);
    return text;
}

class LateReaderMixedText : public TypingDesktop, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        TypingDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(SetKeyboardLayout(xvfb_.name(), GetParam())) << "setxkbmap " << GetParam();
        target_->Drain();
        // A plain X program: it takes part in no window manager ping.
        target_->ReadLate(300ms, 25);
    }
    void TearDown() override {
        if (player_ && player_->started()) {
            EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
        }
        TypingDesktop::TearDown();
    }
};

TEST_P(LateReaderMixedText, EveryCharacterArrivesAsSent) {
    const std::string text = MixedText();
    Start({TypingMacro("Mixed", kCtrlAltK, text)});
    target_->keys.clear();
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    std::size_t seen = 0;
    auto lastKey = KeyTarget::Clock::now();
    target_->WaitUntil(
        [&] {
            if (target_->keys.size() != seen) {
                seen = target_->keys.size();
                lastKey = KeyTarget::Clock::now();
            }
            return TypedText(*target_).size() >= text.size() || KeyTarget::Clock::now() - lastKey > 10s;
        },
        300s);
    TypedWhenCaughtUp(keyboard_, *target_);
    const std::string typed = TypedText(*target_);
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
