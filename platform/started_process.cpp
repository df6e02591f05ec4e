#include "platform/started_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace win {

StartedProcess::StartedProcess(pid_t pid) : fd_(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0))) {}

bool StartedProcess::Running() const {
    if (!fd_.valid()) return false;
    // A pidfd becomes readable once its process has ended.
    pollfd p{fd_.get(), POLLIN, 0};
    return ::poll(&p, 1, 0) == 0;
}

bool StartedProcess::Terminate() const {
    return Running() && ::syscall(SYS_pidfd_send_signal, fd_.get(), SIGTERM, nullptr, 0) == 0;
}

}  // namespace win
