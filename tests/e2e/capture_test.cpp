// A capture on a real X server: the "Start / Stop Capture" hot key starts it, a click
// into a text field of another process and typing are recorded, the hot key ends it, the
// dialog is closed and the macro, played by its nickname, types the same into a new field.
// Under a window manager, a captured window size plays back as the same frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"
#include "platform/virtual_keys.h"
#include "player_process.h"
#include "text_field.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "shared_glob.h"
// Last: Xlib's macros clash with the names above.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "editor_desk.h"
#include "hot_key_grab.h"
#include "hot_key_press.h"
#include "tray_host.h"
#include "tests/support/key_target.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"
#include "tests/support/unpacked.h"

namespace tessaro::testing {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TGlobData Master() {
    auto copy = std::make_unique<TGlobData>();
    TGlobData* p = copy.get();
    QtmGetGlob(&p);
    return *copy;
}

// A user at the keyboard: each key through XTest, é through a keycode mapped for it.
class Typist {
public:
    explicit Typist(Display* d) : d_(d) {}
    void Key(KeySym sym, bool shift = false) {
        const KeyCode code = XKeysymToKeycode(d_, sym);
        if (shift) {
            HeldKeys held(d_, {XK_Shift_L});
            PressKeycode(d_, code);
        } else {
            PressKeycode(d_, code);
        }
        std::this_thread::sleep_for(20ms);
    }
    void Type(const std::string& text) { TypeAscii(d_, text, 20ms); }
    // A character the layout has no key for, on a spare keycode mapped for it until
    // `typed` holds: the server tells every client of a new map before the keys after it.
    void Compose(KeySym sym, const std::function<bool()>& typed) {
        int minKc = 0, maxKc = 0;
        XDisplayKeycodes(d_, &minKc, &maxKc);
        KeyCode spare = 0;
        for (int kc = maxKc; kc >= minKc && !spare; --kc) {
            int per = 0;
            KeySym* syms = XGetKeyboardMapping(d_, static_cast<KeyCode>(kc), 1, &per);
            bool empty = true;
            for (int i = 0; i < per; ++i) empty = empty && syms[i] == NoSymbol;
            XFree(syms);
            if (empty) spare = static_cast<KeyCode>(kc);
        }
        ASSERT_NE(spare, 0);
        KeySym both[2] = {sym, sym};
        XChangeKeyboardMapping(d_, spare, 2, both, 1);
        XSync(d_, False);
        PressKeycode(d_, spare);
        XSync(d_, False);
        EXPECT_TRUE(WaitFor(typed, 10s)) << "the composed character was not typed";
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(d_, spare, 2, none, 1);
        XSync(d_, False);
    }
    void Click(int x, int y) {
        XTestFakeMotionEvent(d_, -1, x, y, CurrentTime);
        XSync(d_, False);
        PressButton(d_, 1);
    }
    // The hot key of a code, as the player decodes it.
    void HotKey(int code, std::chrono::milliseconds hold = kHold) { PressHotKey(d_, code, hold); }

private:
    Display* d_;
};

// The settings of a capture of keys, of clicks too with `mouse`, without a prompt; with
// `windowSize`, clicks relative to the window and its size first.
void WriteCaptureOptions(const PlayerSandbox& box, bool mouse, bool windowSize = false) {
    std::ofstream(box.file("TESRO.INI"))
        << "[Capture]\nKeys=Yes\nMouse=" << (mouse ? "Yes" : "No")
        << "\nRelative To Screen=" << (windowSize ? 2 : 1)
        << "\nTime=No\nClicks Only=Yes\nPrompt=No\nWindow Size=" << (windowSize ? "Yes" : "No")
        << "\nGlobal=Yes\nDouble Alt=No\n";
}

// A window's frame as the window manager draws it: the client and the frame's extents.
XRectangle FrameOf(Display* d, Window w) {
    Window root = 0, child = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(d, w, &root, &x, &y, &width, &height, &border, &depth);
    XTranslateCoordinates(d, w, root, 0, 0, &x, &y, &child);
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    long e[4] = {0, 0, 0, 0};  // left, right, top, bottom
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_FRAME_EXTENTS", False), 0, 4, False, XA_CARDINAL, &type,
                           &format, &n, &after, &data) == Success &&
        data && n == 4)
        std::copy_n(reinterpret_cast<long*>(data), 4, e);
    if (data) XFree(data);
    return {static_cast<short>(x - e[0]), static_cast<short>(y - e[2]),
            static_cast<unsigned short>(width + e[0] + e[1]),
            static_cast<unsigned short>(height + e[2] + e[3])};
}

// Waits for the started player's hook and reads the key that starts and stops a capture.
void AwaitCaptureKey(Display* d, PlayerProcess& player, int& hotKey) {
    ASSERT_TRUE(player.started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    ASSERT_TRUE(
        WaitFor([] { return Unpacked(Master().KeyboardHook) != 0 && CaptureHotKey(Master()) >= 0; }, 10s))
        << player.Log();
    hotKey = CaptureHotKey(Master());
    ASSERT_TRUE(WaitFor([&] { return HotKeyCodeGrabbed(d, hotKey); }, 10s))
        << "the capture key was not grabbed" << player.Log();
}

// Starts a capture with its hot key; the hook takes the start (CapStarting back to 0)
// before it records.
bool Recording() {
    const TGlobData g = Master();
    return g.CaptureOn == 1 && g.CapStarting == 0;
}
void BeginCapture(Typist& user, int hotKey, PlayerProcess& player) {
    user.HotKey(hotKey);
    ASSERT_TRUE(WaitFor(Recording, 10s)) << player.Log();
}

// Stops the capture with its hot key, closes the "Capture Complete" dialog and waits for
// the recorded macro's text.
void EndCapture(Display* d, Typist& user, int hotKey, std::chrono::milliseconds hold, PlayerProcess& player,
                const std::string& file, TMacroRecord& rec) {
    user.HotKey(hotKey, hold);
    Window dialog = 0;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindTitled(d, "Capture Complete")) != 0; }, 10s))
        << player.Log();
    CloseWindow(d, dialog);
    ASSERT_TRUE(
        WaitFor([&] { return ReadMacroRecordAt(file, 6, rec).ok() && !GetMacroText(rec).empty(); }, 10s))
        << player.Log();
}

TEST(CaptureOnADesktop, RecordedTypingAndClicksPlayBackByNickname) {
    Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    Display* d = xvfb.Open();
    ASSERT_NE(d, nullptr);
    WriteCaptureOptions(box, true);
    const std::string file = box.file("MACROS.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());

    auto field = std::make_unique<TextField>(xvfb.name());
    ASSERT_TRUE(field->ready());
    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    int hotKey = -1;
    ASSERT_NO_FATAL_FAILURE(AwaitCaptureKey(d, player, hotKey));

    Typist user(d);
    ASSERT_NO_FATAL_FAILURE(BeginCapture(user, hotKey, player));
    user.Click(200, 20);
    user.Type("Hello, <World> 5 > 3 ");
    user.Compose(XK_eacute, [&] { return field->Text() == "Hello, <World> 5 > 3 \xC3\xA9"; });
    user.Type("x");
    user.Key(XK_BackSpace);
    EXPECT_TRUE(field->WaitFor("Hello, <World> 5 > 3 \xC3\xA9", 10s)) << field->Text();
    user.HotKey(hotKey);

    Window dialog = 0;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindTitled(d, "Capture Complete")) != 0; }, 10s))
        << player.Log();
    EXPECT_EQ(Master().CaptureOn, 0);
    CloseWindow(d, dialog);
    // Closed, the dialog leaves the macro as the capture started it: "Capture".
    TMacroRecord rec;
    ASSERT_TRUE(WaitFor(
        [&] {
            return ReadMacroRecordAt(file, 6, rec).ok() &&
                   GetMacroText(rec).find("Hello") != std::string::npos;
        },
        10s))
        << GetMacroText(rec) << "|" << rec.Nickname.str() << "|" << FindTitled(d, "Capture Complete")
        << player.Log();
    const std::string text = GetMacroText(rec);
    EXPECT_EQ(rec.Nickname.str(), "Capture");
    EXPECT_EQ(text.rfind("<MMS:", 0), 0u) << text;
    const std::string typed = "<LCLK>Hello, <ALT:060>World> 5 > 3 \xE9x<BACKSPACE>";
    ASSERT_GE(text.size(), typed.size());
    EXPECT_EQ(text.substr(text.size() - typed.size()), typed)
        << "no stop-key tokens: " << text << player.Log();

    // A fresh field in the same place; the macro clicks into it and types.
    field.reset();
    TextField fresh(xvfb.name());
    ASSERT_TRUE(fresh.ready());
    PlayerProcess second(box, {"/ACapture"}, "second.log");
    EXPECT_EQ(second.WaitExit(10s), 0);
    EXPECT_TRUE(fresh.WaitFor("Hello, <World> 5 > 3 \xC3\xA9", 15s)) << fresh.Text() << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    XCloseDisplay(d);
}

TEST(CaptureOnADesktop, ACapturedWindowSizeReplaysAsTheSameFrame) {
    Xvfb xvfb("800x600x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    Display* d = xvfb.Open();
    ASSERT_NE(d, nullptr);
    WindowManager wm(xvfb.name());
    ASSERT_TRUE(WindowManager::Managing(d, 10s)) << "openbox did not start";
    WriteCaptureOptions(box, true, true);
    const std::string file = box.file("MACROS.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    KeyTarget target(xvfb.Open(), "Sized Target");
    ASSERT_TRUE(target.ok());
    auto resize = [&](unsigned width, unsigned height) {
        XResizeWindow(d, target.window(), width, height);
        XSync(d, False);
        return WaitFor(
            [&] {
                XWindowAttributes a{};
                XGetWindowAttributes(d, target.window(), &a);
                return a.width == static_cast<int>(width) && a.height == static_cast<int>(height) &&
                       FrameOf(d, target.window()).height > height;
            },
            5s);
    };
    ASSERT_TRUE(resize(300, 200)) << "the window manager framed no window";
    ASSERT_TRUE(target.Focus());
    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    int hotKey = -1;
    ASSERT_NO_FATAL_FAILURE(AwaitCaptureKey(d, player, hotKey));

    Typist user(d);
    ASSERT_NO_FATAL_FAILURE(BeginCapture(user, hotKey, player));
    const XRectangle captured = FrameOf(d, target.window());
    user.Click(captured.x + captured.width / 2, captured.y + captured.height / 2);
    TMacroRecord rec;
    ASSERT_NO_FATAL_FAILURE(EndCapture(d, user, hotKey, kHold, player, file, rec));
    char size[48];
    std::snprintf(size, sizeof size, "<WSIZE:%04u,%04u\"CURRENT\">", captured.width, captured.height);
    EXPECT_EQ(GetMacroText(rec).rfind(size, 0), 0u) << GetMacroText(rec) << " for a frame of " << size;

    // Another size; played, the macro gives the window its captured frame back.
    ASSERT_TRUE(resize(200, 120));
    ASSERT_TRUE(target.Focus());
    PlayerProcess second(box, {"/ACapture"}, "second.log");
    EXPECT_EQ(second.WaitExit(10s), 0);
    EXPECT_TRUE(WaitFor(
        [&] {
            const XRectangle now = FrameOf(d, target.window());
            return now.width == captured.width && now.height == captured.height;
        },
        10s))
        << "played: " << FrameOf(d, target.window()).width << "x" << FrameOf(d, target.window()).height
        << ", captured " << captured.width << "x" << captured.height << player.Log();
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    XCloseDisplay(d);
}

TEST(CaptureOnADesktop, HeldStartAndStopKeysAreNotRecorded) {
    Xvfb xvfb("640x480x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    Display* d = xvfb.Open();
    ASSERT_NE(d, nullptr);
    // Long holds repeat the held key.
    ASSERT_TRUE(XkbSetAutoRepeatRate(d, XkbUseCoreKbd, 250, 30));
    WriteCaptureOptions(box, false);
    const std::string file = box.file("MACROS.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());
    TextField field(xvfb.name());
    ASSERT_TRUE(field.ready());
    PlayerProcess player(box, {"/F" + file, "/EN"}, "player.log");
    int hotKey = -1;
    ASSERT_NO_FATAL_FAILURE(AwaitCaptureKey(d, player, hotKey));

    Typist user(d);
    user.HotKey(hotKey, 400ms);
    ASSERT_TRUE(WaitFor(Recording, 10s)) << player.Log();
    user.Type("abc");
    EXPECT_TRUE(field.WaitFor("abc", 10s)) << field.Text();
    TMacroRecord rec;
    ASSERT_NO_FATAL_FAILURE(EndCapture(d, user, hotKey, 600ms, player, file, rec));
    EXPECT_EQ(GetMacroText(rec), "abc") << player.Log();
    EXPECT_EQ(field.Text(), "abc");
    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    XCloseDisplay(d);
}

}  // namespace
}  // namespace tessaro::testing
