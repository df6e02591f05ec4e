// A command button of the macro-text editor on a real X server: Add Macro -> "Enter Directly",
// the delay entry opens its dialog, OK puts the token at the caret, and once updated the
// running player plays the text around the delay.
#include "editor_session.h"
#include "tray_host.h"

namespace tessaro::testing {
namespace {

constexpr int kCtrlAltK = 154;
// Nickname -> icon button -> the checked scope -> keystrokes.
constexpr int kTabsToKeystrokes = 3;

using CommandButtonOnADesktop = EditorSession;

TEST_F(CommandButtonOnADesktop, TheDelayDialogInsertsItsTokenAndThePlayerPlaysIt) {
    ASSERT_NO_FATAL_FAILURE(AddMacroWithHotKey(XK_k));
    Press(keyboard_, XK_e, {XK_Alt_L});  // "&Enter Directly"
    ASSERT_TRUE(WindowShown("Modify Hot Key  (GLOBAL)")) << player_->Log();

    Type("pause");
    for (int i = 0; i < kTabsToKeystrokes; ++i) Press(keyboard_, XK_Tab);
    Type("ab");
    Press(keyboard_, XK_a, {XK_Alt_L});  // "&Actions (A - M)"
    ASSERT_TRUE(WaitFor([&] { return MenuOpen(keyboard_); }, 10s)) << player_->Log();
    Press(keyboard_, XK_y);  // "Dela&y"
    ASSERT_TRUE(WindowShown("Set Delay")) << player_->Log();
    Type("1");  // seconds: the box has the focus
    Press(keyboard_, XK_Return);
    ASSERT_TRUE(WindowShown("Modify Hot Key  (GLOBAL)")) << player_->Log();
    Type("cd");                          // after the token: the caret follows the insertion
    Press(keyboard_, XK_u, {XK_Alt_L});  // "&Update"

    ASSERT_TRUE(WaitFor([&] { return MacrosOnKey(kCtrlAltK).size() == 1; }, 10s)) << player_->Log();
    const std::string text = GetMacroText(MacrosOnKey(kCtrlAltK).front());
    ASSERT_GT(text.size(), 4u) << text;
    EXPECT_EQ(text.substr(0, 2), "ab") << text;
    EXPECT_EQ(text.substr(text.size() - 2), "cd") << text;
    const std::string token = text.substr(2, text.size() - 4);
    EXPECT_EQ(token.front(), '<') << text;
    EXPECT_EQ(token.back(), '>') << text;
    EXPECT_NE(token.find('1'), std::string::npos) << text;

    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s))
        << player_->Log();
    EXPECT_TRUE(HotKeyTypes(XK_k, {XK_Control_L, XK_Alt_L}, "abcd")) << target_->Typed() << player_->Log();
    // The second's delay lies between the halves.
    EXPECT_GE(std::chrono::steady_clock::now() - pressedAt_, 900ms);
}

}  // namespace
}  // namespace tessaro::testing
