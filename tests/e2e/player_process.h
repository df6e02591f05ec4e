#pragma once
// Runs tesrun as a real process on a private X server, with its own home, settings folder
// and namespace, and its standard error kept in a file.
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/settings.h"
#include "platform/paths.h"
#include "platform/profile.h"
#include "platform/single_instance.h"
#include "platform/input.h"
#include "platform/screen_saver.h"
#include "platform/sim/sim_platform.h"
#include "platform/x11/x11_platform.h"
#include "player/engine/single_start.h"
#include "tests/support/child_process.h"
#include "tests/support/wait_for.h"

namespace tessaro::testing {

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
    // The X server's platform, for the programs' parts this process runs itself.
    win::Platform& platform() const { return platform_; }

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
    // The X server's platform, opened when a part of this process first asks: a test that
    // only drives programs keeps no connection to a server it stops.
    class LazyX11Platform : public win::Platform {
    public:
        win::Desktop& desktop() override { return Real().desktop(); }
        win::WindowControl& windowControl() override { return Real().windowControl(); }
        std::unique_ptr<win::InputBackend> MakeInput() override { return Real().MakeInput(); }
        win::SystemSettings& systemSettings() override { return Real().systemSettings(); }
        win::Power& power() override { return Real().power(); }
        win::Printers& printers() override { return Real().printers(); }
        win::Messages& messages() override { return Real().messages(); }
        void Bell() override { Real().Bell(); }
        std::unique_ptr<win::ScreenSaverInhibitor> ScreenSaver(const std::string& application) override {
            return Real().ScreenSaver(application);
        }
        bool UndoInputLeftByDeadPlayer() override { return Real().UndoInputLeftByDeadPlayer(); }

    private:
        win::Platform& Real() {
            if (!real_) real_ = win::x11::OpenPlatform();
            if (!real_) real_ = std::make_unique<win::sim::SimPlatform>();
            return *real_;
        }
        std::unique_ptr<win::Platform> real_;
    };

    std::string display_;
    std::string dir_;
    std::string ns_;
    mutable LazyX11Platform platform_;
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
        : log_(box.file(log)),
          process_(Argv(program, args), ChildOptions().Out("/dev/null").Err(log_).EndSignal(SIGKILL)) {}

    bool started() const { return process_.started(); }
    pid_t pid() const { return process_.pid(); }

    // The exit status, or -1 when it still runs after `limit`.
    int WaitExit(std::chrono::milliseconds limit) { return process_.WaitExit(limit); }
    int Stop(int signal = SIGTERM) { return process_.Stop(signal); }
    std::string Log() const {
        std::ifstream in(log_);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    static std::vector<std::string> Argv(const std::string& program, const std::vector<std::string>& args) {
        std::vector<std::string> argv{program.empty() ? BuiltPlayer() : program};
        argv.insert(argv.end(), args.begin(), args.end());
        return argv;
    }

    std::string log_;
    ChildProcess process_;
};

// The window the running player published, once it is up.
inline std::uint64_t WaitForPlayerWindow(std::chrono::milliseconds limit = std::chrono::seconds(15)) {
    std::uint64_t w = 0;
    WaitFor([&] { return (w = win::RunningInstanceWindow(kPlayerInstanceName)) != 0; }, limit);
    return w;
}

}  // namespace tessaro::testing
