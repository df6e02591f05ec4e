// The end of a playback and the wait for the playback to be played out, on a real X server
// with the real player: the focused window receives exactly the keys the macros ask for,
// and the hook library still learns of both at once (InUse is cleared, the wait ends).
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "shared_glob.h"
#include "protocol/glob_data.h"
#include "tests/support/macro_fixtures.h"
#include "typing_desktop.h"
#include "typed_marker.h"
// Xlib's macros last.
#include "hot_key_press.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltJ = 153;
constexpr int kCtrlAltK = 154;
// InUse is cleared by the library's answer to the mark, else by a timer 15 s later; the
// wait for the playback ends by that answer, else after 30 s.
constexpr auto kAnswered = 5s;

class PlaybackMarks : public TypingDesktop {
protected:
    void SetUp() override {
        TypingDesktop::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        TMacroRecord abbreviation = TypingMacro("Kept", acAbbreviation, "KEPT");
        abbreviation.Abbreviation = "kp";
        Start({TypingMacro("Waits", kCtrlAltJ, "ab<WAITPB>c"), PopupMenuMacro("Menu", kCtrlAltK, false, {3}),
               TypingMacro("One", acNone, "one"), abbreviation});
    }
    void TearDown() override {
        if (player_ && player_->started()) {
            EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
        }
        TypingDesktop::TearDown();
    }

    struct Received {
        std::string text;
        std::vector<std::string> presses;  // keysyms
    };
    // What the target received once it has `size` characters, and a while longer for
    // anything sent after the macro, less the hand's own modifiers around the hot key
    // that came first; forgotten afterwards.
    Received Next(std::size_t size) {
        target_->WaitUntil([&] { return target_->Typed().size() >= size; }, kAnswered);
        Received r{TypedWhenCaughtUp(keyboard_, *target_), {}};
        // The marker key, the last press, is the test's own.
        const auto marker =
            std::find_if(target_->keys.rbegin(), target_->keys.rend(),
                         [](const KeyTarget::Key& k) { return k.press && k.keysym == "Shift_R"; });
        if (marker != target_->keys.rend()) target_->keys.erase(std::next(marker).base());
        for (const KeyTarget::Key& k : target_->keys) {
            const bool hands = k.keysym == "Control_L" || k.keysym == "Alt_L";
            if (k.press && !(hands && r.presses.empty())) r.presses.push_back(k.keysym);
        }
        target_->keys.clear();
        return r;
    }
    bool InUseCleared() {
        return WaitFor([] { return SharedGlob().InUse == 0; },
                       std::chrono::duration_cast<std::chrono::milliseconds>(kAnswered));
    }
};

TEST_F(PlaybackMarks, TheTargetGetsOnlyTheKeysTheMacrosAskForAndTheLibraryHearsOfTheirEnd) {
    // A hot-key macro that waits for its keys to be played out.
    const auto pressed = std::chrono::steady_clock::now();
    PressWithModifiers(keyboard_, XK_j, {XK_Control_L, XK_Alt_L});
    EXPECT_EQ(Next(3).presses, (std::vector<std::string>{"a", "b", "c"})) << player_->Log();
    EXPECT_LT(std::chrono::steady_clock::now() - pressed, kAnswered) << "the wait ran to its timer";
    EXPECT_TRUE(InUseCleared());

    // A popup-menu macro's chosen item.
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    ASSERT_TRUE(WaitFor([&] { return FindTitled(keyboard_, "Choose A Macro") != 0; }, 10s)) << player_->Log();
    PressKeycode(keyboard_, XKeysymToKeycode(keyboard_, XK_0));  // the first item
    EXPECT_EQ(Next(3).presses, (std::vector<std::string>{"o", "n", "e"})) << player_->Log();
    EXPECT_TRUE(InUseCleared());

    // An abbreviation: what was typed, its erasing, the text (Shift for the capitals).
    TypeAscii(keyboard_, "kp", 30ms);
    const Received typed = Next(8);
    EXPECT_EQ(typed.text, "kp\b\bKEPT");
    const std::set<std::string> asked{"k", "p", "BackSpace", "Shift_L", "K", "E", "P", "T"};
    for (const std::string& keysym : typed.presses) EXPECT_TRUE(asked.count(keysym)) << keysym;
    EXPECT_TRUE(InUseCleared());
}

}  // namespace
}  // namespace tessaro::testing
