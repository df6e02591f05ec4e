#pragma once
// A window manager with EWMH (openbox) on a test's X server, stopped with the test.
#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <memory>
#include <string>

#include "tests/support/child_process.h"

namespace tessaro::testing {

class WindowManager {
public:
    explicit WindowManager(const std::string& display);

    // True once the manager announced itself on the root window.
    static bool Running(Display* d);
    // True once the manager has told `w` the frame it gave it.
    static bool ToldFrame(Display* d, ::Window w);
    // True once the manager frames new windows, within `limit`. A manager announces itself
    // before it is done starting, and a window mapped meanwhile may never be framed: a probe
    // window is mapped until it is, and then destroyed.
    static bool Managing(Display* d, std::chrono::milliseconds limit);

    // While a hold lives the manager is stopped and handles nothing: a window shown meanwhile
    // is neither framed nor mapped until the hold goes.
    class Hold {
    public:
        Hold(pid_t manager, const std::string& display);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;
        // False when the manager could not be stopped while the X server serves others.
        bool held() const { return held_; }

    private:
        pid_t manager_;
        bool held_ = false;
    };
    std::unique_ptr<Hold> HoldOff() const { return std::make_unique<Hold>(process_.pid(), display_); }

private:
    std::string display_;
    ChildProcess process_;
};

}  // namespace tessaro::testing
