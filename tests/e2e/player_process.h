#pragma once
// Runs tesrun as a real process on a private X server, with its own home, settings folder
// and namespace, and its standard error kept in a file.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/settings.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "player/engine/single_start.h"

extern char** environ;

namespace tessaro::testing {

inline bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

// A per-test folder and namespace; this process uses them too, so it can look at the
// player's single-instance guard and shared objects.
class PlayerSandbox {
public:
    explicit PlayerSandbox(const std::string& display) : display_(display) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "tessaro-e2e-XXXXXX").string();
        dir_ = ::mkdtemp(tmpl.data());
        ns_ = "e2e" + std::filesystem::path(dir_).filename().string().substr(12);
        ::setenv("TESSARO_HOME", dir_.c_str(), 1);
        ::setenv("TESSARO_WINDIR", dir_.c_str(), 1);
        ::setenv("TESSARO_NS", ns_.c_str(), 1);
        // Guards and other runtime files go with the folder instead of piling up in the
        // shared runtime directory, one set per test run.
        const std::string run = dir_ + "/run";
        ::mkdir(run.c_str(), 0700);
        ::setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
        ::setenv("DISPLAY", display_.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);  // the player runs on the private X server
        // Set up already: an editor the player opens must not start the first-use wizard.
        win::WritePrivateProfileString("Misc", "First Use", "No", kSettingsFile);
    }
    ~PlayerSandbox() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
        // What a killed process could not remove must not pile up between test runs.
        for (const std::string& name : SharedObjects()) std::filesystem::remove("/dev/shm/" + name, ec);
    }
    const std::string& dir() const { return dir_; }
    const std::string& ns() const { return ns_; }
    std::string file(const std::string& name) const { return dir_ + "/" + name; }

    // Names under /dev/shm that belong to this namespace.
    std::vector<std::string> SharedObjects() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator("/dev/shm")) {
            const std::string n = e.path().filename().string();
            if (n.find(ns_) != std::string::npos) names.push_back(n);
        }
        return names;
    }

private:
    std::string display_;
    std::string dir_;
    std::string ns_;
};

inline std::string BuiltPlayer() {
    const char* bin = std::getenv("TESSARO_BIN");
    return (bin && *bin ? std::string(bin) : win::ExecutableDirectory()) + "/tesrun";
}

class PlayerProcess {
public:
    // `program` defaults to the tesrun built beside the test programs.
    PlayerProcess(const PlayerSandbox& box, const std::vector<std::string>& args, const std::string& log,
                  std::string program = {})
        : log_(box.file(log)) {
        if (program.empty()) program = BuiltPlayer();
        std::vector<std::string> argv{program};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> raw;
        for (auto& a : argv) raw.push_back(a.data());
        raw.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, raw.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~PlayerProcess() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // The exit status, or -1 when it still runs after `limit`.
    int WaitExit(std::chrono::milliseconds limit) {
        if (exited_) return status_;
        int raw = 0;
        const bool done = WaitFor([&] { return ::waitpid(pid_, &raw, WNOHANG) == pid_; }, limit);
        if (!done) return -1;
        exited_ = true;
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        return status_;
    }
    int Stop(int signal = SIGTERM) {
        if (!exited_) ::kill(pid_, signal);  // a reaped pid may be another process's by now
        return WaitExit(std::chrono::seconds(10));
    }
    std::string Log() const {
        std::ifstream in(log_);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    std::string log_;
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = -1;
};

// The window the running player published, once it is up.
inline std::uint64_t WaitForPlayerWindow(std::chrono::milliseconds limit = std::chrono::seconds(15)) {
    std::uint64_t w = 0;
    WaitFor([&] { return (w = win::RunningInstanceWindow(kPlayerInstanceName)) != 0; }, limit);
    return w;
}

}  // namespace tessaro::testing
