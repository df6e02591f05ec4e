#pragma once
// The probe processes that the desktop tests run on a private Xvfb.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

namespace tessaro::hook {

// One probe process with a pipe on its standard input (closed to end it) and output.
class Probe {
public:
    Probe(const std::vector<std::string>& args, const std::string& display, const std::string& ns) {
        int in[2], out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0) return;
        const std::string exe = BinDirectory() + "/hook_probe";
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::close(in[1]);
            ::close(out[0]);
            ::setenv("DISPLAY", display.c_str(), 1);
            ::setenv("TESSARO_NS", ns.c_str(), 1);
            std::vector<char*> argv{const_cast<char*>(exe.c_str())};
            for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(exe.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        in_ = in[1];
        out_ = out[0];
    }
    ~Probe() {
        if (in_ >= 0) ::close(in_);
        if (pid_ > 0) {
            for (int i = 0; i < 50 && ::waitpid(pid_, nullptr, WNOHANG) == 0; ++i) ::usleep(20000);
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        if (out_ >= 0) ::close(out_);
    }

    // $TESSARO_BIN, else the folder of this test program (they are built side by side).
    static std::string BinDirectory() {
        if (const char* bin = std::getenv("TESSARO_BIN"); bin && *bin) return bin;
        char path[4096];
        const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
        std::string self = n > 0 ? std::string(path, static_cast<std::size_t>(n)) : "./x";
        return self.substr(0, self.rfind('/'));
    }

    // The next line of output, or "" when none came within timeoutMs.
    std::string ReadLine(int timeoutMs = 5000) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            const auto nl = buffer_.find('\n');
            if (nl != std::string::npos) {
                std::string line = buffer_.substr(0, nl);
                buffer_.erase(0, nl + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  until - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0 || out_ < 0) return "";
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left)) <= 0) return "";
            char chunk[256];
            const ssize_t n = ::read(out_, chunk, sizeof chunk);
            if (n <= 0) return "";
            buffer_.append(chunk, static_cast<std::size_t>(n));
        }
    }

    // Lines until one starts with prefix (returned), or "" on time-out.
    std::string ReadUntil(const std::string& prefix, int timeoutMs = 5000) {
        for (;;) {
            std::string line = ReadLine(timeoutMs);
            if (line.empty() || line.rfind(prefix, 0) == 0) return line;
        }
    }

private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::string buffer_;
};

}  // namespace tessaro::hook
