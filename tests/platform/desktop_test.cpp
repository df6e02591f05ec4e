// The desktop's windows on a private X server, with and without a window manager.
#include "platform/desktop.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/x11/x11_desktop.h"
#include "tests/support/key_target.h"
#include "tests/support/window_manager.h"
#include "tests/support/xvfb.h"

namespace {

using namespace std::chrono_literals;
using tessaro::testing::KeyTarget;

bool Eventually(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return done();
}

class X11DesktopTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        if (xvfb_.name().empty()) GTEST_SKIP() << "no Xvfb";
        display_ = xvfb_.Open();
        ASSERT_NE(display_, nullptr);
        if (GetParam()) {
            wm_ = std::make_unique<tessaro::testing::WindowManager>(xvfb_.name());
            if (!tessaro::testing::WindowManager::Managing(display_, std::chrono::seconds(10)))
                GTEST_SKIP() << "no window manager";
        }
        desktop_ = std::make_unique<win::x11::X11Desktop>(display_);
    }
    void TearDown() override {
        desktop_.reset();
        if (display_) XCloseDisplay(display_);
    }

    tessaro::testing::Xvfb xvfb_{"640x480x24"};
    std::unique_ptr<tessaro::testing::WindowManager> wm_;
    Display* display_ = nullptr;
    std::unique_ptr<win::x11::X11Desktop> desktop_;
};

TEST_P(X11DesktopTest, ListsNamesAndActivatesWindows) {
    KeyTarget alpha(xvfb_.Open(), "Alpha Window");
    KeyTarget beta(xvfb_.Open(), "Caf\xc3\xa9 Beta");  // UTF-8 on the wire
    ASSERT_TRUE(alpha.ok() && beta.ok());
    const auto a = static_cast<win::HWND>(alpha.window()), b = static_cast<win::HWND>(beta.window());

    std::vector<win::HWND> windows;
    ASSERT_TRUE(Eventually([&] {
        windows = desktop_->TopLevelWindows();
        return std::count(windows.begin(), windows.end(), a) == 1 &&
               std::count(windows.begin(), windows.end(), b) == 1;
    }));
    // A window manager that has just started may still be settling its first windows.
    std::this_thread::sleep_for(GetParam() ? 500ms : 0ms);
    EXPECT_EQ(desktop_->WindowText(a), "Alpha Window");
    EXPECT_EQ(desktop_->WindowText(b), "Caf\xe9 Beta");  // Windows-1252 inside
    EXPECT_EQ(desktop_->WindowProcessId(a), ::getpid());
    EXPECT_EQ(desktop_->ProcessModuleName(::getpid()), "platform_tests");

    ASSERT_TRUE(desktop_->SetForegroundWindow(a));
    EXPECT_EQ(desktop_->ForegroundWindow(), a);
    EXPECT_TRUE(alpha.HasFocus());
    ASSERT_TRUE(desktop_->SetForegroundWindow(b));
    EXPECT_EQ(desktop_->ForegroundWindow(), b);
    EXPECT_TRUE(beta.HasFocus());
    // The active window heads the list.
    EXPECT_TRUE(Eventually([&] {
        windows = desktop_->TopLevelWindows();
        return !windows.empty() && windows.front() == b;
    }));
    // Answers follow the server's notices at once: a rename of the foreground window, and
    // a focus another program moved.
    const std::string renamed = "Renamed Beta";
    XStoreName(display_, b, renamed.c_str());
    XChangeProperty(display_, b, XInternAtom(display_, "_NET_WM_NAME", False),
                    XInternAtom(display_, "UTF8_STRING", False), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(renamed.data()), static_cast<int>(renamed.size()));
    XSync(display_, False);
    EXPECT_EQ(desktop_->WindowText(b), renamed);
    if (!GetParam()) {
        ASSERT_TRUE(alpha.Focus());
        EXPECT_EQ(desktop_->ForegroundWindow(), a);
        EXPECT_EQ(desktop_->WindowText(a), "Alpha Window");
    }

    // A window that does not exist: refused, no X error ends the program.
    const win::HWND gone = 0x7ffffff0;
    EXPECT_FALSE(desktop_->SetForegroundWindow(gone));
    EXPECT_EQ(desktop_->WindowText(gone), "");
    EXPECT_EQ(desktop_->WindowProcessId(gone), 0);
    EXPECT_FALSE(desktop_->IsIconic(gone));
}

TEST_P(X11DesktopTest, MinimisedWindowIsRestoredAndActivated) {
    if (!GetParam()) GTEST_SKIP() << "minimising needs a window manager";
    KeyTarget alpha(xvfb_.Open(), "Alpha Window");
    KeyTarget beta(xvfb_.Open(), "Beta Window");
    ASSERT_TRUE(alpha.ok() && beta.ok());
    const auto a = static_cast<win::HWND>(alpha.window());
    ASSERT_TRUE(alpha.Minimise());
    EXPECT_TRUE(Eventually([&] { return desktop_->IsIconic(a); }));
    desktop_->RestoreWindow(a);
    EXPECT_TRUE(desktop_->SetForegroundWindow(a));
    EXPECT_TRUE(Eventually([&] { return !desktop_->IsIconic(a) && alpha.Viewable(); }));
    EXPECT_EQ(desktop_->ForegroundWindow(), a);
}

INSTANTIATE_TEST_SUITE_P(Desktop, X11DesktopTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "WindowManager" : "PlainX"; });

TEST(Processes, ListAndNameTheRunningProcesses) {
    const auto ids = win::ListProcessIds();
    EXPECT_NE(std::find(ids.begin(), ids.end(), ::getpid()), ids.end());
    EXPECT_EQ(win::ExecutableBaseName(::getpid()), "platform_tests");
    EXPECT_EQ(win::ExecutableBaseName(0), "");
    EXPECT_EQ(win::ExecutableBaseName(-3), "");
}

}  // namespace
