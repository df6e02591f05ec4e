#pragma once
// A private Xvfb for one test; the server picks a free display number (-displayfd).
// name() is empty when no server could be started (the test then skips).
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace tessaro::testing {

class Xvfb {
public:
    explicit Xvfb(const char* geometry = "320x240x24") {
        // Another server starting at the same moment may take the number: try again.
        for (int attempt = 0; attempt < 3 && name_.empty(); ++attempt) Start(geometry);
    }
    ~Xvfb() { Stop(); }
    Xvfb(const Xvfb&) = delete;
    Xvfb& operator=(const Xvfb&) = delete;

    const std::string& name() const { return name_; }
    // A new connection to the server, or nullptr.
    Display* Open() const { return name_.empty() ? nullptr : XOpenDisplay(name_.c_str()); }

private:
    void Start(const char* geometry) {
        Stop();
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", geometry, "-nolisten", "tcp",
                     static_cast<char*>(nullptr));
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
        if (probe) XCloseDisplay(probe);
        else name_.clear();
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
