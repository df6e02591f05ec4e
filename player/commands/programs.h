#pragma once
// The launch commands: start a program or open a document, folder or address, optionally
// minimised or maximised, then wait for a window with a given title. A failure tells the
// user and ends the macro.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "macro/macro_language.h"
#include "platform/desktop.h"
#include "platform/launch.h"
#include "platform/window_control.h"
#include "player/engine/command_family.h"

namespace tessaro {

// One launch token read.
struct LaunchRequest {
    std::string file;
    std::string parameters;
    int windowState = 0;         // 0 normal, 1 minimised, 2 maximised
    int afterSeconds = 0;        // waited after the start (or after the window appeared)
    int windowSeconds = 0;       // how long to wait for the window; 0 with no title
    std::string title;           // the window awaited; empty: none
    bool activateFirst = false;  // an existing window with the title makes the launch moot
};
inline constexpr std::size_t kLaunchTitleLimit = 30;
inline constexpr int kDefaultWindowSeconds = 12;
LaunchRequest ReadLaunch(const Token& token);

// The "Launch Error" text for a failed start of `file`.
std::string LaunchErrorText(const std::string& file, int code);

// Windows that a started program shows first are minimised or maximised when asked: each
// start is watched until a new top-level window of its process (or a child's) appears, or
// the watch runs out.
class WindowStateWatch {
public:
    static constexpr std::int64_t kWatchMs = 15000;
    WindowStateWatch(win::Desktop& desktop, win::WindowControl& control)
        : desktop_(desktop), control_(control) {}
    void Watch(int pid, int state, std::int64_t nowMs);
    // Applies the state to the windows that appeared; returns whether watches remain.
    bool Poll(std::int64_t nowMs);

private:
    struct Pending {
        int pid;
        int state;
        std::vector<win::HWND> known;
        std::int64_t until;
    };
    win::Desktop& desktop_;
    win::WindowControl& control_;
    std::vector<Pending> pending_;
};

class Launches {
public:
    Launches(win::Desktop& desktop, win::WindowControl& control) : watch_(desktop, control) {}

    CommandOutcome Run(MacroPlayer& player, const Token& token);
    WindowStateWatch& watch() { return watch_; }
    const std::string& launchTitle() const { return launchTitle_; }

private:
    // The opener's verdict, awaited briefly while the loop turns.
    int AwaitOpener(MacroPlayer& player, const win::LaunchResult& started);

    win::Launcher launcher_;
    WindowStateWatch watch_;
    std::string launchTitle_;  // kept until the next launch
};

}  // namespace tessaro
