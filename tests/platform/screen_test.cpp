#include "platform/screen.h"

#include <gtest/gtest.h>          // before Xlib, whose macros clash with its names
#include "platform/x11/screen.h"  // Xlib
#include "platform/x11/x11_desktop.h"
#include "platform/x11/x11_window_control.h"
#include "tests/support/xvfb.h"

namespace {

using tessaro::testing::Xvfb;

// The window control of the platform reads the screen it works on, as it is now.
TEST(Screen, SizeComesFromTheDisplay) {
    Xvfb server("800x600x24");
    if (server.name().empty()) GTEST_SKIP() << "Xvfb could not start";
    Display* d = XOpenDisplay(server.name().c_str());
    ASSERT_NE(d, nullptr);
    const win::ScreenSize size = win::x11::ScreenSizeOf(d);
    EXPECT_EQ(size.width, 800);
    EXPECT_EQ(size.height, 600);
    win::x11::X11Desktop desktop(d);
    win::x11::X11WindowControl control(d, desktop);
    EXPECT_EQ(control.Screen().width, 800);
    EXPECT_EQ(control.Screen().height, 600);
    XCloseDisplay(d);
}

TEST(Screen, DefaultWithoutADisplay) {
    const win::ScreenSize size = win::x11::ScreenSizeOf(nullptr);
    EXPECT_EQ(size.width, win::kDefaultScreenSize.width);
    EXPECT_EQ(size.height, win::kDefaultScreenSize.height);
}

}  // namespace
