// The player's shell around a running macro, on a real X server: a macro that switches the
// macro file, the pause window, the tray icon's right click and ending the player while a
// macro plays.
#include <X11/Xatom.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "player_process.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"
#include "tests/support/key_target.h"
#include "tests/support/macro_fixtures.h"
#include "tests/support/xvfb.h"
#include "tray_host.h"
#include "typed_marker.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;

constexpr int kCtrlAltK = 154;

TMacroRecord HotKeyMacro(const std::string& nickname, const std::string& text) {
    TMacroRecord rec = TestMacro(nickname, kCtrlAltK);
    SetMacroText(rec, text);
    return rec;
}

// The mapped top-level window with this title, or 0.
Window FindWindow(Display* d, const std::string& title) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
            WindowTitle(d, children[i]) == title)
            found = children[i];
    }
    if (children) XFree(children);
    return found;
}

// What the editor does to ask the player to end: a window message on the player's window.
void PostClose(Display* d, Window player) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = player;
    e.xclient.message_type = XInternAtom(d, "_TESSARO_WINDOW_MESSAGE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = WM_CLOSE;
    XSendEvent(d, player, False, NoEventMask, &e);
    XFlush(d);
}

bool ShiftDown(Display* d) {
    char keys[32] = {};
    XQueryKeymap(d, keys);
    for (KeySym sym : {XK_Shift_L, XK_Shift_R}) {
        const KeyCode code = XKeysymToKeycode(d, sym);
        if (keys[code / 8] & (1 << (code % 8))) return true;
    }
    return false;
}

class PlayerShell : public ::testing::Test {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        box_ = std::make_unique<PlayerSandbox>(xvfb_.name());
        keyboard_ = xvfb_.Open();
        ASSERT_NE(keyboard_, nullptr);
        target_ = std::make_unique<KeyTarget>(xvfb_.Open(), "Typing Target");
        ASSERT_TRUE(target_->ok());
        ASSERT_TRUE(target_->Focus());
    }
    void TearDown() override {
        if (keyboard_) XCloseDisplay(keyboard_);
    }

    std::string WriteMacroFile(const std::string& name, const std::vector<TMacroRecord>& macros) {
        const std::string path = box_->file(name);
        EXPECT_TRUE(CreateEmptyMacroFile(path).ok());
        for (const TMacroRecord& rec : macros) EXPECT_TRUE(WriteMacroRecordAt(path, -1, rec).ok());
        return path;
    }
    std::unique_ptr<PlayerProcess> Start(const std::string& macroFile, std::vector<std::string> more = {}) {
        std::vector<std::string> args{"/F" + macroFile, "/EN"};
        args.insert(args.end(), more.begin(), more.end());
        auto player = std::make_unique<PlayerProcess>(*box_, args, "player.log");
        EXPECT_TRUE(player->started());
        EXPECT_NE(WaitForPlayerWindow(), 0u) << player->Log();
        EXPECT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s))
            << player->Log();
        return player;
    }
    void PressHotKey() { PressWithModifiers(keyboard_, XK_k, {XK_Control_L, XK_Alt_L}); }
    std::string Settings() const {
        std::ifstream in(box_->file("TESRO.INI"));
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    bool Typed(const std::string& text, std::chrono::milliseconds limit = 10s) {
        return target_->WaitUntil([&] { return target_->Typed() == text; }, limit);
    }
    Xvfb xvfb_{"640x480x24"};
    std::unique_ptr<PlayerSandbox> box_;
    Display* keyboard_ = nullptr;
    std::unique_ptr<KeyTarget> target_;
};

TEST_F(PlayerShell, SwapMakesTheNewFileCurrentForHotKeysRemapTableAndSettings) {
    const std::string second = box_->file("SECOND.QTM");
    WriteMacroFile("SECOND.QTM", {HotKeyMacro("In Second", "b")});
    const std::string first =
        WriteMacroFile("FIRST.QTM", {HotKeyMacro("In First", "a<SWAP:" + second + ">")});
    auto player = Start(first);

    PressHotKey();
    ASSERT_TRUE(Typed("a")) << target_->Typed() << player->Log();
    // The switch is saved at once, and the new file's remap table is the one in force.
    EXPECT_TRUE(WaitFor([&] { return Settings().find("Current File=" + second) != std::string::npos; }, 5s))
        << Settings();
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(box_->file("SECOND.QTS")); }, 5s));
    ASSERT_TRUE(WaitFor(PlaybackCaughtUp, 10s)) << player->Log();
    ASSERT_TRUE(WaitFor([&] { return HotKeyGrabbed(keyboard_, XK_k, ControlMask | Mod1Mask); }, 10s));

    PressHotKey();
    EXPECT_TRUE(Typed("ab")) << target_->Typed() << player->Log();
    EXPECT_EQ(TypedWhenCaughtUp(keyboard_, *target_), "ab");

    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
    EXPECT_NE(Settings().find("Current File=" + second), std::string::npos) << Settings();
}

TEST_F(PlayerShell, PauseWindowNamesTheHotKeyAndItsHotKeyResumesIt) {
    const std::string file = WriteMacroFile("PAUSE.QTM", {HotKeyMacro("Paused Macro", "ab<PAUSE>cd")});
    auto player = Start(file);

    PressHotKey();
    ASSERT_TRUE(Typed("ab")) << player->Log();
    const std::string caption = "Pause (" + HotKeyNames(kCtrlAltK) + ")";
    Window pause = 0;
    EXPECT_TRUE(WaitFor([&] { return (pause = FindWindow(keyboard_, caption)) != 0; }, 10s))
        << "no window \"" << caption << "\"\n"
        << player->Log();
    // The pause window has the keyboard; the paused macro's own hot key resumes it, and
    // the rest types in the macro's window.
    EXPECT_TRUE(WaitFor([&] { return !target_->HasFocus(); }, 5s));
    PressHotKey();
    EXPECT_TRUE(Typed("abcd")) << target_->Typed() << player->Log();
    EXPECT_TRUE(WaitFor([&] { return FindWindow(keyboard_, caption) == 0; }, 5s));
    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
}

TEST_F(PlayerShell, RightClickOnTheTrayIconAbortsTheRunningMacroWithoutAMenu) {
    MinimalTrayHost tray(xvfb_.Open());
    ASSERT_TRUE(tray.owning());
    const std::string file = WriteMacroFile("SLOW.QTM", {HotKeyMacro("Slow", "start<DELAY:00004>end")});
    auto player = Start(file, {"/T"});
    ASSERT_TRUE(tray.WaitForDocked(1, 10s)) << player->Log();
    const Window icon = tray.docked().front();
    tray.Embed(0, 300, 300);
    ASSERT_TRUE(WaitFor(
        [&] {
            XWindowAttributes a{};
            int x = 0, y = 0;
            Window child = 0;
            return XGetWindowAttributes(keyboard_, icon, &a) && a.map_state == IsViewable &&
                   XTranslateCoordinates(keyboard_, icon, DefaultRootWindow(keyboard_), 0, 0, &x, &y,
                                         &child) &&
                   x == 300 && y == 300;
        },
        5s))
        << "the icon was not embedded";

    PressHotKey();
    ASSERT_TRUE(Typed("start")) << player->Log();
    ClickAt(keyboard_, 316, 316, 3);

    EXPECT_TRUE(WaitFor([&] { return FindWindow(keyboard_, "Macro Abort") != 0; }, 5s)) << player->Log();
    XTestFakeMotionEvent(keyboard_, DefaultScreen(keyboard_), 100, 100, CurrentTime);  // away from its tip
    XFlush(keyboard_);
    // The click only stopped the macro: once the player dealt with it, its menu is not open,
    // and the macro's rest waits behind the message that the playback shows itself.
    EXPECT_TRUE(WindowOwnerCaughtUp(keyboard_, WaitForPlayerWindow())) << player->Log();
    EXPECT_FALSE(MenuOpen(keyboard_));
    EXPECT_EQ(target_->Typed(), "start");
    // The player ends from the abort message as from anywhere else.
    EXPECT_EQ(player->Stop(SIGTERM), 0) << player->Log();
}

TEST_F(PlayerShell, EndRequestsDuringAMacroStopItQuietlyReleaseItsKeysAndEndCleanly) {
    // Well before the macro's 6-second delay would have ended; a sanitizer build checks its
    // whole heap for leaks on the way out.
#ifdef __SANITIZE_ADDRESS__
    constexpr auto kEnded = 5s;
#else
    constexpr auto kEnded = 3s;
#endif
    const std::string other = WriteMacroFile("OTHER.QTM", {});
    const std::string file =
        WriteMacroFile("LONG.QTM", {HotKeyMacro("Long", "s<SHFD><DELAY:00006>x<SWAP:" + other + ">y")});
    for (const int signal : {SIGTERM, SIGINT, 0}) {
        SCOPED_TRACE(signal ? strsignal(signal) : "WM_CLOSE");
        auto player = Start(file);
        const std::string before = target_->Typed();
        PressHotKey();
        ASSERT_TRUE(Typed(before + "s")) << player->Log();
        ASSERT_TRUE(WaitFor([&] { return ShiftDown(keyboard_); }, 5s));

        const auto asked = std::chrono::steady_clock::now();
        if (signal)
            ::kill(player->pid(), signal);
        else
            PostClose(keyboard_, static_cast<Window>(WaitForPlayerWindow()));
        EXPECT_EQ(player->WaitExit(kEnded), 0) << player->Log();
        EXPECT_LT(std::chrono::steady_clock::now() - asked, kEnded);
        EXPECT_FALSE(ShiftDown(keyboard_));
        EXPECT_EQ(FindWindow(keyboard_, "Macro Abort"), 0u);
        EXPECT_EQ(TypedWhenCaughtUp(keyboard_, *target_), before + "s");
        // The macro never reached its switch of the macro file.
        EXPECT_EQ(Settings().find("Current File=" + other), std::string::npos);
    }
}

}  // namespace
}  // namespace tessaro::testing
