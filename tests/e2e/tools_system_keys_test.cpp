// The system hot keys dialog, opened as the main window opens it (changing the activation of
// a system macro), takes the key the user presses from the hook library; Ok stores it in the
// system macro and the running player grabs it from then on.
#include "editor_session.h"
#include "tests/support/unpacked.h"

namespace tessaro::testing {
namespace {

constexpr int kCtrlAltJ = 153;

using SystemHotKeysOnADesktop = EditorSession;

std::vector<TMacroRecord> SystemMacros(const std::string& file) {
    std::vector<TMacroRecord> all, out;
    if (!ReadMacroRecords(file, kMaxMacros, all).ok()) return out;
    for (const TMacroRecord& r : all)
        if (r.Scope == scSystem) out.push_back(r);
    return out;
}

// Presses Tab until no key field has the focus (the dialog then stops taking pressed keys);
// there are five fields. A Tab from one field to the next shows nowhere outside the
// editor: each is given a second before the next; one Tab too many only reaches a button.
bool TabPastTheKeyFields(Display* keyboard) {
    for (int i = 0; i < 5; ++i) {
        PressWithModifiers(keyboard, XK_Tab, {});
        if (WaitFor([] { return SharedGlob().SecWndOn == 0; }, 1s)) return true;
    }
    return false;
}

TEST_F(SystemHotKeysOnADesktop, APressedKeyIsStoredAndAnsweredByThePlayer) {
    // The player gives a new file its five system macros; the editor lists them.
    ASSERT_TRUE(WaitFor([&] { return SystemMacros(file_).size() == 5; }, 10s)) << player_->Log();
    ASSERT_TRUE(MacrosOnKey(kCtrlAltJ).empty());
    ASSERT_FALSE(HotKeyGrabbed(keyboard_, XK_j, ControlMask | Mod1Mask));

    // The first row of the list (every macro of the file is a system macro) is selected.
    ToEditor();
    PressWithModifiers(keyboard_, XK_Home, {});  // taken before the menu's keys, in order
    MacrosMenu(XK_m);                            // "Change &Macro Activation"
    ASSERT_TRUE(WindowShown("System Hot Keys")) << player_->Log();
    // A field has the focus: pressed keys go to the dialog through the hook library.
    ASSERT_TRUE(WaitFor([] { return SharedGlob().SecWndOn == 1; }, 10s)) << player_->Log();
    // The player's hook reports the key to the dialog: once it took in the whole press, the
    // report is with the editor ahead of the keys that follow.
    ASSERT_TRUE(PressTakenInByTheHook(keyboard_, XK_j, {XK_Control_L, XK_Alt_L})) << player_->Log();
    ASSERT_TRUE(MacrosOnKey(kCtrlAltJ).empty()) << "stored before Ok";
    // Alt+O is a hot key too: pressed in a key field it would be chosen. Plain Tab is none, so
    // tabbing past the key fields leaves the choice as it is.
    ASSERT_TRUE(TabPastTheKeyFields(keyboard_)) << player_->Log();
    PressWithModifiers(keyboard_, XK_o, {XK_Alt_L});  // "&Ok"

    ASSERT_TRUE(WaitFor([&] { return MacrosOnKey(kCtrlAltJ).size() == 1; }, 10s)) << player_->Log();
    EXPECT_EQ(Unpacked(MacrosOnKey(kCtrlAltJ).front().Scope), scSystem);
    EXPECT_EQ(SystemMacros(file_).size(), 5u);
    ASSERT_TRUE(WaitFor([] { return SharedGlob().SecWndOn == 0; }, 10s)) << player_->Log();

    // The player's table holds the key, and its hook grabs it.
    EXPECT_TRUE(WaitFor([] { return SharedGlob().HotKeyUsed[kCtrlAltJ] == 1; }, 10s)) << player_->Log();
    EXPECT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_j, ControlMask | Mod1Mask); }, 10s))
        << player_->Log();
}

}  // namespace
}  // namespace tessaro::testing
