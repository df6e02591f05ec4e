// Both real programs share one settings file: what the editor saved when it closed is still
// there after the player ends, byte for byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/profile.h"
// Xlib's macros last: they clash with names above.
#include "editor_session.h"
#include <X11/Xatom.h>

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

std::string SizeOf(Display* d, Window w) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    if (!XGetGeometry(d, w, &root, &x, &y, &width, &height, &border, &depth)) return "none";
    return std::to_string(width) + "x" + std::to_string(height);
}

using SharedSettings = EditorSession;

TEST_F(SharedSettings, ThePlayersEndKeepsWhatTheEditorSavedWhenItClosed) {
    ASSERT_TRUE(WaitFor(
        [&] {
            XWindowAttributes a{};
            return XGetWindowAttributes(keyboard_, editor_, &a) && a.map_state == IsViewable;
        },
        10s))
        << player_->Log();

    // A hand reaches the window once it is framed and the editor has heard of the frame; a
    // placement of the editor's own never undoes a move the server made after it.
    ASSERT_TRUE(WaitFor([&] { return WindowManager::ToldFrame(keyboard_, editor_); }, 10s)) << player_->Log();
    ASSERT_TRUE(WindowOwnerCaughtUp(keyboard_, editor_)) << player_->Log();
    MoveResize(keyboard_, editor_, 90, 70, 820, 561);
    ASSERT_TRUE(WaitFor([&] { return SizeOf(keyboard_, editor_) == "820x561"; }, 10s))
        << SizeOf(keyboard_, editor_) << player_->Log();
    // The editor reads the new size before the close that the server sends after it.
    CloseWindow(keyboard_, editor_);
    ASSERT_TRUE(WaitFor([] { return !win::InstanceRunning(kEditorInstanceName); }, 15s)) << player_->Log();
    const std::string savedByEditor = Slurp(box_->file(kSettingsFile));
    EXPECT_EQ(Stored("Main Window", "Width"), "820") << savedByEditor;
    EXPECT_EQ(Stored("Main Window", "Height"), "561") << savedByEditor;

    EXPECT_EQ(player_->Stop(SIGTERM), 0) << player_->Log();
    EXPECT_EQ(Slurp(box_->file(kSettingsFile)), savedByEditor);
    EXPECT_EQ(Stored("Main Window", "Width"), "820");
}

}  // namespace
}  // namespace tessaro::testing
