#include "tests/support/finishes_in_time.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/wait_for.h"

namespace tessaro::testing {

int ExitCodeWithin(const std::function<int()>& body, std::chrono::milliseconds limit) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body());
    if (pid < 0) return -1;
    int status = 0;
    if (!WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, limit,
                 std::chrono::milliseconds(10))) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tessaro::testing
