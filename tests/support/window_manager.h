#pragma once
// A window manager with EWMH (openbox) on a test's X server, stopped with the test.
#include <X11/Xlib.h>

#include <string>

#include "tests/support/child_process.h"

namespace tessaro::testing {

class WindowManager {
public:
    explicit WindowManager(const std::string& display);

    // True once the manager announced itself on the root window.
    static bool Running(Display* d);

private:
    ChildProcess process_;
};

}  // namespace tessaro::testing
