#pragma once
// Another program run by a test: the player, a server, a probe, a tool. Every test that
// starts a process starts it here, so ending and reaping it is written once.
#include <sys/types.h>

#include <chrono>
#include <csignal>
#include <string>
#include <utility>
#include <vector>

namespace tessaro::testing {

// How a child is started and ended, set by name: ChildOptions().Out(log).ErrToOut().
struct ChildOptions {
    // Files for the standard streams (stdout and stderr truncated); empty: this process's.
    std::string in, out, err;
    bool errToOut = false;   // stderr goes where stdout goes
    bool appending = false;  // stdout is added to its file rather than replacing it
    // Changes to this process's environment: "NAME=value" sets, "NAME" removes.
    std::vector<std::string> env;
    // Descriptors of this process given to the child as (from, to), and ones it must not keep.
    std::vector<std::pair<int, int>> fds;
    std::vector<int> closed;
    bool ownGroup = false;    // the child leads a process group, and its end is sent to the group
    int endSignal = SIGTERM;  // what the end of the object sends while the child runs
    std::chrono::milliseconds endGrace{0};  // how long the child may take to end on its own first

    ChildOptions& In(std::string path) { return in = std::move(path), *this; }
    ChildOptions& Out(std::string path) { return out = std::move(path), *this; }
    ChildOptions& Err(std::string path) { return err = std::move(path), *this; }
    ChildOptions& ErrToOut() { return errToOut = true, *this; }
    ChildOptions& Appending() { return appending = true, *this; }
    ChildOptions& Env(std::vector<std::string> changes) { return env = std::move(changes), *this; }
    ChildOptions& Fd(int from, int to) { return fds.emplace_back(from, to), *this; }
    ChildOptions& Closed(int fd) { return closed.push_back(fd), *this; }
    ChildOptions& OwnGroup() { return ownGroup = true, *this; }
    ChildOptions& EndSignal(int signal) { return endSignal = signal, *this; }
    ChildOptions& EndGrace(std::chrono::milliseconds grace) { return endGrace = grace, *this; }
};

class ChildProcess {
public:
    // `argv[0]` is looked up on PATH unless it holds a '/'.
    explicit ChildProcess(std::vector<std::string> argv, ChildOptions options = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // Whether it has ended (reaped then).
    bool Exited();
    // The exit status (128 + signal when killed) once it ended within `limit`; -1 while it runs.
    int WaitExit(std::chrono::milliseconds limit);
    // Waits for the end however long it takes; the exit status.
    int Wait();
    // Sends `signal` (a reaped pid may be another process's by now: not then) and waits.
    int Stop(int signal = SIGTERM, std::chrono::milliseconds limit = std::chrono::seconds(10));

private:
    void End();

    ChildOptions options_;
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = -1;
};

// Runs a program to its end; its exit status, or -1 when it could not run or was killed.
int RunToEnd(std::vector<std::string> argv, ChildOptions options = {});

}  // namespace tessaro::testing
