#include "platform/screen.h"

#include <gtest/gtest.h>  // before Xlib, whose macros clash with its names
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/x11/screen.h"  // Xlib

namespace {

// A private Xvfb with a known screen size; the server picks a free display number.
class Xvfb {
public:
    explicit Xvfb(const char* geometry) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry,
                     "-nolisten", "tcp", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        char buf[32] = {};
        std::size_t got = 0;
        while (got < sizeof buf - 1) {
            const ssize_t n = ::read(fds[0], buf + got, sizeof buf - 1 - got);
            if (n <= 0 || buf[got + n - 1] == '\n') {
                if (n > 0) got += static_cast<std::size_t>(n);
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        ::close(fds[0]);
        if (got > 0) name_ = ":" + std::string(buf, got - (buf[got - 1] == '\n'));
    }
    ~Xvfb() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    const std::string& name() const { return name_; }

private:
    pid_t pid_ = -1;
    std::string name_;
};

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
