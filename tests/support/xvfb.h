#pragma once
// A private Xvfb for one test. name() is empty when no server could be started (the test
// then skips). The display number is drawn at random from a high range rather than the
// lowest free one: a server of another test that is just shutting down on a reused number
// removes the socket file of the new one. -noreset: the server must not reset (and refuse
// connections for a moment) each time its last client leaves.
#include <X11/Xlib.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/support/child_process.h"

namespace tessaro::testing {

// Starts a server by `start` on display numbers drawn at random until one answers; its
// name (":N"), or empty after a few numbers failed.
std::string StartOnFreeDisplay(const std::function<bool(unsigned number)>& start);
// Whether a client can connect to `display` now.
bool DisplayAnswers(const std::string& display);

class Xvfb {
public:
    explicit Xvfb(const char* geometry = "320x240x24");
    ~Xvfb();
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    const std::string& name() const { return name_; }
    // A new connection to the server, or nullptr.
    Display* Open() const { return name_.empty() ? nullptr : XOpenDisplay(name_.c_str()); }

private:
    bool Start(const char* geometry, unsigned number);

    std::unique_ptr<ChildProcess> server_;
    std::string name_;
};

}  // namespace tessaro::testing
