#include "player/commands/programs.h"

#include <algorithm>

#include "player/commands/waits.h"
#include "player/engine/macro_player.h"

namespace tessaro {
namespace {

constexpr std::int64_t kOpenerVerdictMs = 1500;

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

std::string Arg(const Token& token, std::size_t i) {
    return i < token.args.size() ? std::string(token.args[i]) : std::string();
}

}  // namespace

LaunchRequest ReadLaunch(const Token& token) {
    using K = TokenKind;
    LaunchRequest r;
    std::size_t next = 0;
    if (token.kind != K::Launch) r.afterSeconds = static_cast<int>(ArgInt(Arg(token, next++)));
    if (token.kind == K::LaunchNo2 || token.kind == K::LaunchYes2)
        r.windowSeconds = static_cast<int>(ArgInt(Arg(token, next++)));
    else if (token.kind == K::LaunchNo || token.kind == K::LaunchYes)
        r.windowSeconds = kDefaultWindowSeconds;
    if (token.kind != K::Launch && token.kind != K::LaunchDel) {
        r.title = Arg(token, next++).substr(0, kLaunchTitleLimit);
        r.activateFirst = token.kind == K::LaunchYes || token.kind == K::LaunchYes2;
    }
    const std::string whole = Arg(token, next);
    const LaunchArgument argument = SplitLaunchArgument(whole);
    r.file = std::string(argument.file);
    r.parameters = std::string(argument.parameters);
    r.windowState = argument.window_state;
    return r;
}

std::string LaunchErrorText(const std::string& file, int code) {
    std::string reason;
    switch (code) {
        case 0: reason = "the operating system is out of memory or resources."; break;
        case 2: reason = "the specified file was not found."; break;
        case 3: reason = "the specified path was not found."; break;
        case 5: reason = "the operating system denied access to the specified file."; break;
        case 8: reason = "there was not enough memory to complete the operation."; break;
        case 11: reason = "the .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."; break;
        case 26: reason = "a sharing violation occurred."; break;
        case 27: reason = "the filename association is incomplete or invalid."; break;
        case 31: reason = "there is no application associated with the given filename extension."; break;
        default: reason = "of an unknown Error #" + std::to_string(code) + "."; break;
    }
    return Quoted(file) + " failed to launch because " + reason + " Macro will abort.";
}

void WindowStateWatch::Watch(int pid, int state, std::int64_t nowMs) {
    if (pid <= 0 || (state != 1 && state != 2)) return;
    pending_.push_back({pid, state, desktop_.TopLevelWindows(), nowMs + kWatchMs});
}

bool WindowStateWatch::Poll(std::int64_t nowMs) {
    if (pending_.empty()) return false;
    const std::vector<win::HWND> windows = desktop_.TopLevelWindows();
    std::erase_if(pending_, [&](const Pending& p) {
        for (win::HWND w : windows) {
            if (std::find(p.known.begin(), p.known.end(), w) != p.known.end()) continue;
            if (!win::DescendsFrom(desktop_.WindowProcessId(w), p.pid)) continue;
            if (p.state == 1)
                control_.Minimise(w);
            else
                control_.Maximise(w);
            return true;
        }
        return nowMs > p.until;
    });
    return !pending_.empty();
}

int Launches::AwaitOpener(MacroPlayer& player, const win::LaunchResult& started) {
    PlaybackClock& clock = player.services().clock;
    const std::int64_t end = clock.NowMs() + kOpenerVerdictMs;
    for (;;) {
        if (auto verdict = launcher_.OpenerVerdict(started.pid)) return *verdict;
        if (clock.NowMs() >= end || player.Aborted()) return win::kLaunchSucceeded;
        clock.PumpMessages();
        clock.Sleep(WaitsFamily::kTurnMs);
    }
}

CommandOutcome Launches::Run(MacroPlayer& player, const Token& token) {
    const LaunchRequest request = ReadLaunch(token);
    PlayerWindows& windows = player.services().windows;
    if (!request.title.empty()) {
        launchTitle_ = request.title;
        if (request.activateFirst && player.services().desktop.ActivateWindow(launchTitle_))
            return CommandOutcome::Done;
    }
    const win::LaunchResult started = launcher_.Open(request.file, request.parameters);
    int code = started.code;
    if (started.opener && code == win::kLaunchSucceeded) code = AwaitOpener(player, started);
    if (code <= 32) {
        windows.DoAMessage("Launch Error", LaunchErrorText(request.file, code));
        return CommandOutcome::EndMacro;
    }
    watch_.Watch(started.pid, request.windowState, player.services().clock.NowMs());
    if (!request.title.empty()) {
        if (!WaitForLaunchedWindow(player, launchTitle_, request.windowSeconds)) {
            if (player.Aborted()) return CommandOutcome::Done;
            windows.DoAMessage("Launch Failed",
                               "Specified window title of " + Quoted(launchTitle_) +
                                   " could not be found on your computer. Macro will abort.");
            return CommandOutcome::EndMacro;
        }
    }
    if (request.afterSeconds > 0) player.synthesis().PauseForNoSpeed(request.afterSeconds);
    return CommandOutcome::Done;
}

}  // namespace tessaro
