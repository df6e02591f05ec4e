// The tray and the popup chooser of the real player on a private X server with a window
// manager: the chooser by hot key and by a popup-menu tray icon, the menu of the top
// window and a desktop without a notification area.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "macro/macro_record.h"
#include "protocol/glob_data.h"
#include "tests/support/macro_fixtures.h"
#include "typing_desktop.h"
#include "typed_marker.h"
// Xlib's macros last.
#include <X11/Xatom.h>

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;
constexpr const char* kChooser = "Choose A Macro";

TMacroRecord Typing(const std::string& nickname, const std::string& text, std::uint16_t scope = scGlobal,
                    const std::string& scopeText = "") {
    TMacroRecord rec = TypingMacro(nickname, acNone, text, scope);
    rec.ScopeText = scopeText;
    return rec;
}

class TrayChooser : public TypingDesktop {
protected:
    Window WaitForWindow(const std::string& title) {
        Window w = 0;
        WaitFor([&] { return (w = FindTitled(keyboard_, title)) != 0; }, 10s);
        return w;
    }
    void Press(KeySym key) { PressWithModifiers(keyboard_, key, {}); }
    // What MenuOpen sees, for a failure's message.
    std::string OpenPopups() {
        std::vector<Window> all;
        ViewableWindows(keyboard_, DefaultRootWindow(keyboard_), all);
        std::string out;
        for (Window w : all) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(keyboard_, w, &a) || !a.override_redirect) continue;
            const XRectangle r = ScreenRect(keyboard_, w);
            out += "'" + WindowTitle(keyboard_, w) + "' " + std::to_string(r.x) + "," + std::to_string(r.y) +
                   " " + std::to_string(r.width) + "x" + std::to_string(r.height) + "\n";
        }
        return out;
    }
    // Gives the player a fresh activation of the target, as a user switching to it does.
    // The other window passes for one of the player's own program, so that the player's
    // note of the active program shows when it has learnt of each activation.
    void ReFocusTarget() {
        // The hook watches activations from when it is in.
        ASSERT_TRUE(WaitFor([] { return CurrentGlob().KeyboardHook != 0; }, 10s)) << player_->Log();
        KeyTarget other(xvfb_.Open(), "Other Window");
        ASSERT_TRUE(other.ok());
        const long pid = player_->pid();
        XChangeProperty(keyboard_, other.window(), XInternAtom(keyboard_, "_NET_WM_PID", False), XA_CARDINAL,
                        32, PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
        XSync(keyboard_, False);
        // The manager may have activated the new window before it named the player, and the
        // hook takes two activations that come faster than it reads them for the last one
        // alone: the window is activated again until the player has seen it named so.
        bool seen = false;
        for (int attempt = 0; attempt < 5 && !seen; ++attempt) {
            ASSERT_TRUE(target_->Focus());
            ASSERT_TRUE(other.Focus());
            seen = WaitFor([] { return ActiveProgram() == "TESRUN"; }, 2s);
        }
        ASSERT_TRUE(seen) << player_->Log();
        ASSERT_TRUE(target_->Focus());
        ASSERT_TRUE(WaitFor([] { return ActiveProgram() != "TESRUN" && !ActiveProgram().empty(); }, 10s))
            << player_->Log();
    }
    static std::string ActiveProgram() { return CurrentGlob().ActiveProgram.str(); }
};

TEST_F(TrayChooser, AHotKeyShowsTheCentredChooserAndItsKeyPlaysTheMacroInTheWindow) {
    Start({Typing("First", "one"), Typing("Second", "two"),
           PopupMenuMacro("Choose", kCtrlAltK, false, {2, 1})});
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    const Window chooser = WaitForWindow(kChooser);
    ASSERT_NE(chooser, 0u) << player_->Log();
    const XRectangle r = ScreenRect(keyboard_, chooser);
    EXPECT_NEAR(r.x + r.width / 2, 320, 20);
    EXPECT_NEAR(r.y + r.height / 2, 240, 40);

    Press(XK_1);  // the second item: macro 1
    EXPECT_TRUE(Typed("one")) << target_->Typed() << player_->Log();
    EXPECT_TRUE(WaitFor([&] { return FindTitled(keyboard_, kChooser) == 0; }, 5s));
    EXPECT_TRUE(target_->HasFocus());
}

TEST_F(TrayChooser, APopupMenuTrayIconOpensTheChooserAtTheClickForTheLastWindow) {
    MinimalTrayHost tray(xvfb_.Open());
    ASSERT_TRUE(tray.owning());
    Start({Typing("First", "one"), PopupMenuMacro("Tray Menu", acNone, true, {1})}, {"/T"}, false);
    ASSERT_TRUE(tray.WaitForDocked(2, 10s)) << player_->Log();
    // The icons may ask to dock in any order; the main icon's window was made first.
    std::vector<Window> icons = tray.docked();
    std::sort(icons.begin(), icons.end());
    tray.EmbedWindow(icons[0], 590, 440);
    tray.EmbedWindow(icons[1], 500, 440);
    ReFocusTarget();

    ClickAt(keyboard_, 516, 456, 3);
    const Window chooser = WaitForWindow(kChooser);
    ASSERT_NE(chooser, 0u) << player_->Log();
    // 300 wide, it does not fit right of x = 516: its right edge sits there, at the bottom.
    const XRectangle r = ScreenRect(keyboard_, chooser);
    EXPECT_NEAR(r.x + r.width, 516, 12);
    EXPECT_NEAR(r.y + r.height, 480, 30);

    Press(XK_0);
    EXPECT_TRUE(Typed("one")) << target_->Typed() << player_->Log();
    // The popup menu's icon opened no tray menu (the pointer leaves it, and its tip).
    XTestFakeMotionEvent(keyboard_, DefaultScreen(keyboard_), 100, 100, CurrentTime);
    XFlush(keyboard_);
    // The player has handled the click whole once it is back in its loop after the macro.
    EXPECT_TRUE(WaitFor(PlaybackCaughtUp, 10s)) << player_->Log();
    EXPECT_FALSE(MenuOpen(keyboard_)) << OpenPopups();
}

TEST_F(TrayChooser, TheMenuOfTheTopWindowListsOnlyTheMacrosOfThatWindow) {
    TMacroRecord system = TestMacro("Menu of Macros for Top Most Window", kCtrlAltK);
    system.Scope = scSystem;
    system.ScopeText = "4";
    Start({system, Typing("Here", "tw", scWindow, "typing target"),
           Typing("Elsewhere", "np", scProgram, "nosuch"), Typing("Nowhere", "empty", scWindow, "")});
    PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L});
    ASSERT_NE(WaitForWindow(kChooser), 0u) << player_->Log();
    // A second item would be a fault (the empty scope text belongs to no window): its key
    // would close the chooser, and the next key would not play the first item.
    Press(XK_1);
    Press(XK_0);
    EXPECT_TRUE(Typed("tw")) << target_->Typed() << player_->Log();
}

TEST(NoNotificationArea, ThePlayerRunsSaysSoOnceAndAnswersItsHotKeys) {
    Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    Display* keyboard = xvfb.Open();
    KeyTarget target(xvfb.Open(), "Typing Target");
    ASSERT_TRUE(target.ok());
    ASSERT_TRUE(target.Focus());
    const std::string path = box.file("NOTRAY.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(path).ok());
    TMacroRecord rec = TestMacro("Hot", kCtrlAltK);
    SetMacroText(rec, "hi");
    ASSERT_TRUE(WriteMacroRecordAt(path, -1, rec).ok());
    TMacroRecord popup = PopupMenuMacro("In Tray", acNone, true, {1});
    ASSERT_TRUE(WriteMacroRecordAt(path, -1, popup).ok());

    PlayerProcess player(box, {"/F" + path, "/EN", "/T"}, "player.log");
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard, XK_k, ControlMask | Mod1Mask); }, 10s));
    PressWithModifiers(keyboard, XK_k, {XK_Control_L, XK_Alt_L});
    EXPECT_TRUE(target.WaitUntil([&] { return target.Typed() == "hi"; }, 10s)) << player.Log();
    const std::string log = player.Log();
    const std::string notice = "no notification area";
    const auto first = log.find(notice);
    EXPECT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find(notice, first + 1), std::string::npos) << log;
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    XCloseDisplay(keyboard);
}

}  // namespace
}  // namespace tessaro::testing
