#pragma once
// A window manager with EWMH (openbox) on a test's X server, stopped with the test.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace tessaro::testing {

class WindowManager {
public:
    explicit WindowManager(const std::string& display) {
        pid_ = ::fork();
        if (pid_ == 0) {
            ::setenv("DISPLAY", display.c_str(), 1);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~WindowManager() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // True once the manager announced itself on the root window.
    static bool Running(Display* d) {
        Atom type = 0;
        int format = 0;
        unsigned long n = 0, after = 0;
        unsigned char* data = nullptr;
        const bool ok =
            XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False), 0,
                               1, False, XA_WINDOW, &type, &format, &n, &after, &data) == Success &&
            n == 1;
        if (data) XFree(data);
        return ok;
    }

private:
    pid_t pid_ = -1;
};

}  // namespace tessaro::testing
