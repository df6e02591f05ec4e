#include "tests/support/xvfb.h"

#include <unistd.h>

#include <random>

namespace tessaro::testing {

std::string StartOnFreeDisplay(const std::function<bool(unsigned)>& start) {
    // A number already taken makes the server fail at once: draw again.
    std::random_device random;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const unsigned number = 200 + random() % 3800;
        if (start(number)) return ":" + std::to_string(number);
    }
    return {};
}

bool DisplayAnswers(const std::string& display) {
    Display* probe = XOpenDisplay(display.c_str());
    if (probe) XCloseDisplay(probe);
    return probe != nullptr;
}

Xvfb::Xvfb(const char* geometry) {
    name_ = StartOnFreeDisplay([&](unsigned number) { return Start(geometry, number); });
}

Xvfb::~Xvfb() = default;

bool Xvfb::Start(const char* geometry, unsigned number) {
    server_.reset();
    int fds[2];
    if (::pipe(fds) != 0) return false;
    // The server writes its display number to the pipe once it takes connections.
    const std::string display = ":" + std::to_string(number);
    server_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", display, "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                 geometry, "-nolisten", "tcp", "-noreset"},
        ChildOptions().Closed(fds[0]));
    ::close(fds[1]);
    char buf[32] = {};
    std::size_t got = 0;
    while (server_->started() && got < sizeof buf - 1) {
        const ssize_t n = ::read(fds[0], buf + got, sizeof buf - 1 - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
        if (buf[got - 1] == '\n') break;
    }
    ::close(fds[0]);
    if (got == 0 || std::string(buf, got - (buf[got - 1] == '\n')) != std::to_string(number) ||
        !DisplayAnswers(display)) {
        server_.reset();
        return false;
    }
    return true;
}

}  // namespace tessaro::testing
