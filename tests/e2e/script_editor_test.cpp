// The script editor on a real X server: a new hot-key macro built from a Delay line and a
// Text line through their command dialogs, saved, and played by the running player when
// its hot key is pressed.
#include <algorithm>
#include <thread>

#include "editor_session.h"
#include "tests/support/unpacked.h"
#include "window_manager_caught_up.h"

namespace tessaro::testing {
namespace {

constexpr int kCtrlAltJ = 153;
constexpr const char* kEditor = "Macro Scripting Editor  (GLOBAL)";

using ScriptEditorOnADesktop = EditorSession;

// The window is mapped and not iconic (WM_STATE Normal).
bool ShownNormal(Display* d, Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom state = XInternAtom(d, "WM_STATE", False);
    const bool normal =
        XGetWindowProperty(d, w, state, 0, 2, False, state, &type, &format, &n, &after, &data) == Success &&
        n >= 1 && reinterpret_cast<const long*>(data)[0] == NormalState;
    if (data) XFree(data);
    return normal;
}

TEST_F(ScriptEditorOnADesktop, ADelayAndATextLineSavedAsAHotKeyMacroPlayBack) {
    ASSERT_TRUE(MacrosOnKey(kCtrlAltJ).empty());

    ASSERT_NO_FATAL_FAILURE(AddMacroWithHotKey(XK_j));
    Press(keyboard_, XK_s, {XK_Alt_L});  // "&Scripting Editor"
    ASSERT_TRUE(WindowShown(kEditor)) << player_->Log();

    // The form has no minimise box; where the window manager draws one anyway, minimising
    // does not take the editor and the window under it off the screen.
    const Window editor = ClientWindowTitled(keyboard_, kEditor);
    XIconifyWindow(keyboard_, editor, DefaultScreen(keyboard_));
    XSync(keyboard_, False);
    ASSERT_TRUE(WindowManagerCaughtUp(keyboard_)) << "the window manager did not answer";
    EXPECT_TRUE(
        WaitFor([&] { return ShownNormal(keyboard_, editor) && ShownNormal(keyboard_, editor_); }, 5s));
    ASSERT_TRUE(WindowShown(kEditor)) << player_->Log();

    // The command list (Alt+M): the fourth command is the delay; "&Add" puts it at the end.
    Press(keyboard_, XK_m, {XK_Alt_L});
    Press(keyboard_, XK_Home);
    for (int i = 0; i < 3; ++i) Press(keyboard_, XK_Down);
    Press(keyboard_, XK_a, {XK_Alt_L});
    ASSERT_TRUE(WindowShown("Set Delay")) << player_->Log();
    Type("1");
    Press(keyboard_, XK_o, {XK_Alt_L});  // "&Ok"
    ASSERT_TRUE(WindowShown(kEditor));

    Press(keyboard_, XK_m, {XK_Alt_L});
    Press(keyboard_, XK_Home);  // the typed-text command
    Press(keyboard_, XK_a, {XK_Alt_L});
    ASSERT_TRUE(WindowShown("Enter Keystrokes")) << player_->Log();
    Type("hello");
    Press(keyboard_, XK_u, {XK_Alt_L});  // "&Update"
    ASSERT_TRUE(WindowShown(kEditor));

    Press(keyboard_, XK_v, {XK_Alt_L});  // "Sa&ve"
    ASSERT_TRUE(WaitFor([&] { return MacrosOnKey(kCtrlAltJ).size() == 1; }, 10s)) << player_->Log();
    const TMacroRecord rec = MacrosOnKey(kCtrlAltJ).front();
    EXPECT_EQ(Unpacked(rec.Scope), scGlobal);
    // The lines in their order: a one-second delay, then the text.
    EXPECT_EQ(GetMacroText(rec), "<DELAY:01.00>hello");

    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_j, ControlMask | Mod1Mask); }, 10s))
        << player_->Log();
    ASSERT_TRUE(HotKeyTypes(XK_j, {XK_Control_L, XK_Alt_L}, "hello")) << target_->Typed() << player_->Log();
    // The delay line held the text back for its second.
    const auto first = std::find_if(target_->keys.begin(), target_->keys.end(), [&](const KeyTarget::Key& k) {
        return k.press && k.text == "h" && k.when >= pressedAt_;
    });
    ASSERT_NE(first, target_->keys.end());
    EXPECT_GE(first->when - pressedAt_, 900ms);
}

}  // namespace
}  // namespace tessaro::testing
