#include "platform/screen.h"

#include <gtest/gtest.h>          // before Xlib, whose macros clash with its names
#include "platform/x11/screen.h"  // Xlib
#include "tests/support/xvfb.h"

namespace {

using tessaro::testing::Xvfb;

TEST(Screen, SizeComesFromTheDisplay) {
    Xvfb server("800x600x24");
    if (server.name().empty()) GTEST_SKIP() << "Xvfb could not start";
    Display* d = XOpenDisplay(server.name().c_str());
    ASSERT_NE(d, nullptr);
    const win::ScreenSize size = win::x11::ScreenSizeOf(d);
    EXPECT_EQ(size.width, 800);
    EXPECT_EQ(size.height, 600);
    XCloseDisplay(d);
}

TEST(Screen, DefaultWithoutADisplay) {
    const win::ScreenSize size = win::x11::ScreenSizeOf(nullptr);
    EXPECT_EQ(size.width, win::kDefaultScreenSize.width);
    EXPECT_EQ(size.height, win::kDefaultScreenSize.height);
    // Whatever the environment offers, the size is usable for scaling.
    const win::ScreenSize now = win::GetScreenSize();
    EXPECT_GT(now.width, 0);
    EXPECT_GT(now.height, 0);
}

}  // namespace
