#include "tests/support/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "tests/support/wait_for.h"

extern char** environ;

namespace tessaro::testing {
namespace {

std::vector<std::string> Environment(const std::vector<std::string>& changes) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    for (const std::string& change : changes) {
        const std::string key = change.substr(0, change.find('=')) + "=";
        std::erase_if(env, [&](const std::string& v) { return v.starts_with(key); });
        if (change.find('=') != std::string::npos) env.push_back(change);
    }
    return env;
}

int Decoded(int raw) { return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw); }

}  // namespace

ChildProcess::ChildProcess(std::vector<std::string> argv, ChildOptions options)
    : options_(std::move(options)) {
    std::vector<std::string> env = Environment(options_.env);
    std::vector<char*> rawArgv, rawEnv;
    for (std::string& a : argv) rawArgv.push_back(a.data());
    rawArgv.push_back(nullptr);
    for (std::string& e : env) rawEnv.push_back(e.data());
    rawEnv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (const auto& [from, to] : options_.fds) posix_spawn_file_actions_adddup2(&actions, from, to);
    for (int fd : options_.closed) posix_spawn_file_actions_addclose(&actions, fd);
    if (!options_.in.empty()) posix_spawn_file_actions_addopen(&actions, 0, options_.in.c_str(), O_RDONLY, 0);
    const int truncate = O_WRONLY | O_CREAT | O_TRUNC;
    const int outFlags = options_.appending ? O_WRONLY | O_CREAT | O_APPEND : truncate;
    if (!options_.out.empty())
        posix_spawn_file_actions_addopen(&actions, 1, options_.out.c_str(), outFlags, 0600);
    if (options_.errToOut)
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    else if (!options_.err.empty())
        posix_spawn_file_actions_addopen(&actions, 2, options_.err.c_str(), truncate, 0600);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    if (options_.ownGroup) {
        posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
        posix_spawnattr_setpgroup(&attr, 0);
    }
    const bool onPath = argv.empty() || argv[0].find('/') == std::string::npos;
    const int failed = argv.empty() ? -1
                       : onPath
                           ? posix_spawnp(&pid_, rawArgv[0], &actions, &attr, rawArgv.data(), rawEnv.data())
                           : posix_spawn(&pid_, rawArgv[0], &actions, &attr, rawArgv.data(), rawEnv.data());
    if (failed != 0) pid_ = -1;
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() { End(); }

void ChildProcess::End() {
    if (pid_ <= 0 || exited_) return;
    if (options_.endGrace.count() > 0 && WaitExit(options_.endGrace) >= 0) return;
    ::kill(options_.ownGroup ? -pid_ : pid_, options_.endSignal);
    int raw = 0;
    if (::waitpid(pid_, &raw, 0) == pid_) status_ = Decoded(raw);
    exited_ = true;
}

bool ChildProcess::Exited() {
    if (pid_ <= 0 || exited_) return true;
    int raw = 0;
    if (::waitpid(pid_, &raw, WNOHANG) != pid_) return false;
    exited_ = true;
    status_ = Decoded(raw);
    return true;
}

int ChildProcess::WaitExit(std::chrono::milliseconds limit) {
    if (pid_ <= 0) return -1;
    if (!WaitFor([&] { return Exited(); }, limit)) return -1;
    return status_;
}

int ChildProcess::Wait() {
    if (pid_ <= 0) return -1;
    int raw = 0;
    if (!exited_ && ::waitpid(pid_, &raw, 0) == pid_) status_ = Decoded(raw);
    exited_ = true;
    return status_;
}

int ChildProcess::Stop(int signal, std::chrono::milliseconds limit) {
    if (pid_ <= 0) return -1;
    if (!Exited()) ::kill(options_.ownGroup ? -pid_ : pid_, signal);
    return WaitExit(limit);
}

int RunToEnd(std::vector<std::string> argv, ChildOptions options) {
    ChildProcess child(std::move(argv), std::move(options));
    return child.Wait();
}

}  // namespace tessaro::testing
