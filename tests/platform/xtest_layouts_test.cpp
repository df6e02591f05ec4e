// Typing through XTest under real layouts on a private X server: AltGr characters, a
// second group, the keypad whatever NumLock, and characters no key has, into a window
// that reads at once or late, as busy programs do.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/virtual_keys.h"
#include "platform/x11/xtest_input.h"
#include "xtest_backend_fixture.h"
// Last: Xlib's macros would clash with names above.
#include "tests/support/key_target.h"
#include "tests/support/xkb_layout.h"

namespace win::x11 {
namespace {

using namespace std::chrono_literals;
using tessaro::testing::KeyboardMap;
using tessaro::testing::KeyTarget;
using tessaro::testing::SetKeyboardLayout;

// ASCII as the player types it: the key and Shift that KeyScan names, else the character
// by its code.
void TypeAsThePlayer(XTestInput& input, const std::string& text) {
    for (char c : text) {
        const short scan = input.KeyScan(static_cast<unsigned char>(c));
        if (scan == -1) {
            input.TypeAltCode("0" + std::to_string(static_cast<unsigned char>(c)));
            continue;
        }
        const auto vk = static_cast<unsigned char>(scan & 0xFF);
        const bool shift = (scan >> 8) & kScanShift;
        if (shift) input.KeyEvent(VK_SHIFT, false);
        input.KeyEvent(vk, false);
        input.KeyEvent(vk, true);
        if (shift) input.KeyEvent(VK_SHIFT, true);
    }
}

class XTestLayouts : public XTestBackend {
protected:
    void SetUp() override {
        XTestBackend::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
    }
    // The layout first: the target reads the map it starts with.
    void Open(const std::string& layouts) {
        ASSERT_TRUE(SetKeyboardLayout(server_.name(), layouts)) << "setxkbmap " << layouts;
        XSync(watcher_, False);
        MappingNotices();
        original_ = KeyboardMap(watcher_);
        target_ = std::make_unique<KeyTarget>(server_.Open(), "Layouts Target");
        ASSERT_TRUE(target_->ok());
        ASSERT_TRUE(target_->Focus());
    }
    // The keysyms of the key presses the target has read.
    std::vector<std::string> Pressed() {
        target_->Drain();
        std::vector<std::string> out;
        for (const KeyTarget::Key& k : target_->keys)
            if (k.press) out.push_back(k.keysym);
        return out;
    }
    bool Typed(const std::string& text) {
        return target_->WaitUntil([&] { return target_->Typed() == text; }, 5s);
    }
    void LockGroup(int group) {
        XkbLockGroup(watcher_, XkbUseCoreKbd, static_cast<unsigned>(group));
        XSync(watcher_, False);
    }
    void LockNumLock(bool on) {
        XkbLockModifiers(watcher_, XkbUseCoreKbd, Mod2Mask, on ? Mod2Mask : 0);
        XSync(watcher_, False);
    }
    int Group() {
        XkbStateRec state{};
        XkbGetState(watcher_, XkbUseCoreKbd, &state);
        return state.locked_group;
    }

    std::unique_ptr<KeyTarget> target_;
};

TEST_F(XTestLayouts, AltGrCharactersOfAGermanLayoutTypeOnTheirOwnKeysWithNoMapChange) {
    ASSERT_NO_FATAL_FAILURE(Open("de"));
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    MappingNotices();  // whatever came before
    input.BeginPlayback();
    const std::string text = "@{}[]\\|~ yz Yz#'/";
    TypeAsThePlayer(input, text);
    input.EndPlayback();
    EXPECT_TRUE(Typed(text)) << target_->Typed();
    EXPECT_EQ(MappingNotices(), 0);
}

TEST_F(XTestLayouts, EachGroupTypesItsOwnCharactersAndTheOtherGroupsStayWithinReach) {
    ASSERT_NO_FATAL_FAILURE(Open("us,de"));
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    MappingNotices();
    for (int group : {1, 0}) {
        SCOPED_TRACE("group " + std::to_string(group));
        LockGroup(group);
        target_->keys.clear();
        input.BeginPlayback();
        TypeAsThePlayer(input, "yz@");
        input.TypeCharacter(U'\u00fc');  // only the German group has it
        input.EndPlayback();
        EXPECT_TRUE(Typed("yz@\xFC")) << target_->Typed();
        EXPECT_EQ(Group(), group) << "the group is left as the user set it";
    }
    EXPECT_EQ(MappingNotices(), 0);
}

TEST_F(XTestLayouts, KeypadDigitsTypeTheSameWhateverNumLockWithNoMapChange) {
    ASSERT_NO_FATAL_FAILURE(Open("us"));
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    MappingNotices();
    std::vector<std::string> expected;
    for (int d = 0; d <= 9; ++d) expected.push_back("KP_" + std::to_string(d));
    expected.push_back("KP_Decimal");
    for (bool numLock : {false, true}) {
        SCOPED_TRACE(numLock ? "NumLock on" : "NumLock off");
        LockNumLock(numLock);
        target_->keys.clear();
        input.BeginPlayback();
        for (int d = 0; d <= 9; ++d) {
            input.KeyEvent(static_cast<unsigned char>(VK_NUMPAD0 + d), false);
            input.KeyEvent(static_cast<unsigned char>(VK_NUMPAD0 + d), true);
        }
        input.KeyEvent(VK_DECIMAL, false);
        input.KeyEvent(VK_DECIMAL, true);
        input.EndPlayback();
        EXPECT_TRUE(target_->WaitUntil([&] { return Pressed().size() >= expected.size(); }, 5s));
        EXPECT_EQ(Pressed(), expected);
        EXPECT_EQ(NumLockOn(watcher_), numLock) << "NumLock is left as it was";
    }
    EXPECT_EQ(MappingNotices(), 0);
}

TEST_F(XTestLayouts, ACharacterNoKeyHasKeepsItsKeycodeAcrossPlaybacksUntilTheEnd) {
    ASSERT_NO_FATAL_FAILURE(Open("us"));
    {
        XTestInput input(display_);
        ASSERT_TRUE(input.ok());
        MappingNotices();
        for (int play = 0; play < 3; ++play) {
            input.BeginPlayback();
            input.TypeCharacter(U'\u00e9');
            input.EndPlayback();
            // Only the first lends a keycode (one change, told in several notices).
            if (play == 0)
                EXPECT_GT(MappingNotices(), 0);
            else
                EXPECT_EQ(MappingNotices(), 0) << "playback " << play;
        }
        EXPECT_TRUE(Typed("\xE9\xE9\xE9")) << target_->Typed();
    }
    EXPECT_EQ(KeyboardMap(watcher_), original_);
}

TEST_F(XTestLayouts, ALayoutSetMeanwhileTakesBackTheLentKeycodesAndTypingLendsThemAgain) {
    ASSERT_NO_FATAL_FAILURE(Open("us"));
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    input.BeginPlayback();
    input.TypeCharacter(U'\u00e9');
    input.EndPlayback();
    ASSERT_TRUE(Typed("\xE9")) << target_->Typed();
    // The user loads the layout anew: the keycode lent to é is empty again.
    ASSERT_TRUE(SetKeyboardLayout(server_.name(), "us"));
    XSync(display_, False);
    input.BeginPlayback();
    input.TypeCharacter(U'\u00e9');
    input.EndPlayback();
    EXPECT_TRUE(Typed("\xE9\xE9")) << target_->Typed();
}

TEST_F(XTestLayouts, AnotherProgramTakingALentKeycodeMeanwhileIsNoticed) {
    ASSERT_NO_FATAL_FAILURE(Open("us"));
    XTestInput input(display_);
    ASSERT_TRUE(input.ok());
    input.BeginPlayback();
    input.TypeCharacter(U'\u00e9');
    input.TypeCharacter(U'\u00e8');
    input.EndPlayback();
    ASSERT_TRUE(Typed("\xE9\xE8")) << target_->Typed();
    // Another typing program puts its own keysym on one of those keycodes.
    const KeyCode lent = CodeOf(watcher_, XK_egrave);
    ASSERT_NE(lent, 0);
    KeySym theirs[] = {XK_ssharp, XK_ssharp};
    XChangeKeyboardMapping(watcher_, lent, 2, theirs, 1);
    XSync(watcher_, False);
    input.BeginPlayback();
    input.TypeCharacter(U'\u00e8');
    input.EndPlayback();
    EXPECT_TRUE(Typed("\xE9\xE8\xE8")) << target_->Typed();
}

// Greek and Cyrillic letters: more than there are spare keycodes, so they are lent again
// and again while the reader is still behind.
std::u32string ManyLettersNoKeyHas(int distinct, int rounds) {
    std::u32string letters;
    for (char32_t c = U'\u03b1'; c <= U'\u03c9' && static_cast<int>(letters.size()) < distinct; ++c)
        if (c != U'\u03c2') letters += c;  // final sigma: its own keysym name
    for (char32_t c = U'\u0430'; static_cast<int>(letters.size()) < distinct; ++c) letters += c;
    std::u32string text;
    for (int r = 0; r < rounds; ++r) text += letters;
    return text;
}

class LateReader : public XTestLayouts, public ::testing::WithParamInterface<bool> {};

TEST_P(LateReader, GetsEveryCharacterWhileTheSpareKeycodesAreLentAgain) {
    const bool answers = GetParam();
    ASSERT_NO_FATAL_FAILURE(Open("us"));
    target_->ReadLate(300ms, 25);
    if (answers) target_->AnswerPings();
    const std::u32string text = ManyLettersNoKeyHas(40, 2);
    std::vector<std::string> expected;
    for (char32_t c : text) expected.push_back(XKeysymToString(KeysymForChar(c)));

    {
        XTestInput input(display_);
        ASSERT_TRUE(input.ok());
        // The window reads on its own, behind the typing.
        std::thread reader(
            [&] { target_->WaitUntil([&] { return Pressed().size() >= expected.size(); }, 60s); });
        input.BeginPlayback();
        for (char32_t c : text) input.TypeCharacter(c);
        input.EndPlayback();
        reader.join();
    }
    EXPECT_EQ(Pressed(), expected);
    if (answers) {
        EXPECT_GT(target_->pings_answered, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(AnsweringOrNot, LateReader, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "AnswersPings" : "Silent"; });

}  // namespace
}  // namespace win::x11
