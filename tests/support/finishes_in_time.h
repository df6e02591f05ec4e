#pragma once
// Runs a piece of a test in a child process and gives up on it after a limit, so that a
// call that would block for ever (opening a FIFO, waiting on a box) fails the test instead
// of hanging it.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>

namespace tessaro::testing {

// The child's exit code (body's result), or -1 when it was still running after `limit`.
inline int ExitCodeWithin(const std::function<int()>& body, std::chrono::milliseconds limit) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    if (pid < 0) return -1;
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= end) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tessaro::testing
