// Both real programs share one settings file: what the editor saved when it closed is still
// there after the player ends, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "foundation/settings.h"
#include "foundation/start_gate.h"
#include "macro/macro_file.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "player_process.h"
// Xlib's macros last: they clash with names above.
#include "editor_desk.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"

namespace tessaro::testing {
namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Stored(const char* section, const char* key) {
    return win::GetPrivateProfileString(section, key, "<absent>", 300, kSettingsFile);
}

// Asks the window manager to move and size the window, as a user's drag does.
void MoveResize(Display* d, Window w, int x, int y, int width, int height) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "_NET_MOVERESIZE_WINDOW", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = (1 << 8) | (1 << 9) | (1 << 10) | (1 << 11) | (2 << 12);
    e.xclient.data.l[1] = x;
    e.xclient.data.l[2] = y;
    e.xclient.data.l[3] = width;
    e.xclient.data.l[4] = height;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(d, False);
}

std::string SizeOf(Display* d, Window w) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(d, w, &root, &x, &y, &width, &height, &border, &depth)) return "none";
    return std::to_string(width) + "x" + std::to_string(height);
}

TEST(SharedSettings, ThePlayersEndKeepsWhatTheEditorSavedWhenItClosed) {
    Xvfb xvfb("1024x768x24");
    if (xvfb.name().empty()) GTEST_SKIP() << "no Xvfb";
    PlayerSandbox box(xvfb.name());
    Display* d = xvfb.Open();
    ASSERT_NE(d, nullptr);
    WindowManager wm(xvfb.name());
    if (!WaitFor([&] { return WindowManager::Running(d); }, 10s)) GTEST_SKIP() << "no window manager";
    const std::string file = box.file("SHARED.QTM");
    ASSERT_TRUE(CreateEmptyMacroFile(file).ok());

    PlayerProcess player(box, {"/F" + file, "/EY"}, "player.log");
    ASSERT_TRUE(player.started());
    ASSERT_NE(WaitForPlayerWindow(), 0u) << player.Log();
    Window editor = 0;
    ASSERT_TRUE(WaitFor([&] { return (editor = win::RunningInstanceWindow(kEditorInstanceName)) != 0; }, 20s))
        << player.Log();
    ASSERT_TRUE(WaitFor(
        [&] {
            XWindowAttributes a{};
            return XGetWindowAttributes(d, editor, &a) && a.map_state == IsViewable;
        },
        10s))
        << player.Log();

    MoveResize(d, editor, 90, 70, 820, 561);
    ASSERT_TRUE(WaitFor([&] { return SizeOf(d, editor) == "820x561"; }, 10s))
        << SizeOf(d, editor) << player.Log();
    std::this_thread::sleep_for(300ms);  // the editor takes in its new bounds
    CloseWindow(d, editor);
    ASSERT_TRUE(WaitFor([] { return !win::InstanceRunning(kEditorInstanceName); }, 15s)) << player.Log();
    const std::string savedByEditor = Slurp(box.file(kSettingsFile));
    EXPECT_EQ(Stored("Main Window", "Width"), "820") << savedByEditor;
    EXPECT_EQ(Stored("Main Window", "Height"), "561") << savedByEditor;

    EXPECT_EQ(player.Stop(SIGTERM), 0) << player.Log();
    EXPECT_EQ(Slurp(box.file(kSettingsFile)), savedByEditor);
    EXPECT_EQ(Stored("Main Window", "Width"), "820");
    XCloseDisplay(d);
}

}  // namespace
}  // namespace tessaro::testing
