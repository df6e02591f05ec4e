// Adding a macro in the editor on a real X server: the hot key is chosen by pressing it in
// the Add Macro dialog (the hook library reports it), the text is typed with a tab into the
// properties editor, and once updated the running player types it when the key is pressed.
#include "editor_session.h"
#include "tests/support/unpacked.h"

namespace tessaro::testing {
namespace {

constexpr int kCtrlAltK = 154;
// Nickname -> icon button -> the checked scope -> keystrokes (the chooser is off for GLOBAL).
constexpr int kTabsToKeystrokes = 3;

using AddMacroOnADesktop = EditorSession;

TEST_F(AddMacroOnADesktop, AHotKeyPressedInTheDialogPlaysTheTextTypedWithATab) {
    ASSERT_TRUE(MacrosOnKey(kCtrlAltK).empty());
    ASSERT_FALSE(HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask));

    ASSERT_NO_FATAL_FAILURE(AddMacroWithHotKey(XK_k));
    Press(keyboard_, XK_e, {XK_Alt_L});  // "&Enter Directly"
    ASSERT_TRUE(WindowShown("Modify Hot Key  (GLOBAL)")) << player_->Log();

    Type("greeting");  // the nickname has the focus
    // On to the keystrokes box: past the icon button and the scope.
    for (int i = 0; i < kTabsToKeystrokes; ++i) Press(keyboard_, XK_Tab);
    Type("ab\tcd");
    Press(keyboard_, XK_u, {XK_Alt_L});  // "&Update"

    ASSERT_TRUE(WaitFor([&] { return MacrosOnKey(kCtrlAltK).size() == 1; }, 10s)) << player_->Log();
    const TMacroRecord rec = MacrosOnKey(kCtrlAltK).front();
    EXPECT_EQ(rec.Nickname.str(), "greeting");
    EXPECT_EQ(GetMacroText(rec), "ab<TAB>cd");
    EXPECT_EQ(Unpacked(rec.Scope), scGlobal);
    EXPECT_EQ(rec.Enabled, 1);

    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s))
        << player_->Log();
    EXPECT_TRUE(HotKeyTypes(XK_k, {XK_Control_L, XK_Alt_L}, "ab\tcd")) << target_->Typed() << player_->Log();
}

}  // namespace
}  // namespace tessaro::testing
