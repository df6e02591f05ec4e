#pragma once
// The probe processes that the desktop tests run on a private Xvfb.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace tessaro::hook {

// One probe process with a pipe on its standard input (closed to end it) and output.
class Probe {
public:
    Probe(const std::vector<std::string>& args, const std::string& display, const std::string& ns)
        : pipes_(Pipes()), process_(std::in_place, Argv(args), Io(pipes_, display, ns)) {
        ::close(pipes_.in[0]);
        ::close(pipes_.out[1]);
        in_ = pipes_.in[1];
        out_ = pipes_.out[0];
    }
    ~Probe() {
        // Closed input ends it; it may take a second to go before it is killed.
        if (in_ >= 0) ::close(in_);
        process_.reset();
        if (out_ >= 0) ::close(out_);
    }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

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
    struct PipePair {
        int in[2] = {-1, -1};
        int out[2] = {-1, -1};
    };
    static PipePair Pipes() {
        PipePair p;
        if (::pipe(p.in) != 0 || ::pipe(p.out) != 0) return {};
        return p;
    }
    static std::vector<std::string> Argv(const std::vector<std::string>& args) {
        std::vector<std::string> argv{BinDirectory() + "/hook_probe"};
        argv.insert(argv.end(), args.begin(), args.end());
        return argv;
    }
    static testing::ChildOptions Io(const PipePair& p, const std::string& display, const std::string& ns) {
        return testing::ChildOptions()
            .Env({"DISPLAY=" + display, "TESSARO_NS=" + ns})
            .Fd(p.in[0], 0)
            .Fd(p.out[1], 1)
            .Closed(p.in[1])
            .Closed(p.out[0])
            .EndSignal(SIGKILL)
            .EndGrace(std::chrono::seconds(1));
    }

    PipePair pipes_;
    std::optional<testing::ChildProcess> process_;
    int in_ = -1;
    int out_ = -1;
    std::string buffer_;
};

}  // namespace tessaro::hook
