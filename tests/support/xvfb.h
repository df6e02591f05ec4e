#pragma once
// A private Xvfb for one test. name() is empty when no server could be started (the test
// then skips). The display number is drawn at random from a high range rather than the
// lowest free one: a server of another test that is just shutting down on a reused number
// removes the socket file of the new one. -noreset: the server must not reset (and refuse
// connections for a moment) each time its last client leaves.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>

namespace tessaro::testing {

class Xvfb {
public:
    explicit Xvfb(const char* geometry = "320x240x24") {
        // A number already taken makes the server fail at once: draw again.
        std::random_device random;
        for (int attempt = 0; attempt < 5 && name_.empty(); ++attempt) Start(geometry, 200 + random() % 3800);
    }
    ~Xvfb() { Stop(); }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    const std::string& name() const { return name_; }
    // A new connection to the server, or nullptr.
    Display* Open() const { return name_.empty() ? nullptr : XOpenDisplay(name_.c_str()); }

private:
    void Start(const char* geometry, unsigned number) {
        Stop();
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            const std::string display = ":" + std::to_string(number);
            ::execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", fd.c_str(), "-screen", "0", geometry,
                     "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        char buf[32] = {};
        std::size_t got = 0;
        while (got < sizeof buf - 1) {
            const ssize_t n = ::read(fds[0], buf + got, sizeof buf - 1 - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
            if (buf[got - 1] == '\n') break;
        }
        ::close(fds[0]);
        if (got == 0) return;
        name_ = ":" + std::string(buf, got - (buf[got - 1] == '\n'));
        Display* probe = XOpenDisplay(name_.c_str());
        if (probe)
            XCloseDisplay(probe);
        else
            name_.clear();
    }
    void Stop() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

    pid_t pid_ = -1;
    std::string name_;
};

}  // namespace tessaro::testing
