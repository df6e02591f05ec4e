#include "player/engine/window_activation.h"

#include <algorithm>

#include "protocol/glob_data.h"

namespace tessaro {

win::HWND GetWinHandle(win::Desktop& desktop, const std::string& title) {
    if (title.empty()) return 0;
    const std::vector<win::HWND> windows = desktop.TopLevelWindows();
    std::vector<std::string> titles;
    titles.reserve(windows.size());
    for (win::HWND w : windows) {
        titles.push_back(desktop.WindowText(w));
        if (titles.back() == title) return w;
    }
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (ScopeTextMatches(title, titles[i])) return windows[i];
    return 0;
}

bool BringToFront(win::Desktop& desktop, win::HWND window) {
    if (!window) return false;
    if (desktop.IsIconic(window)) desktop.RestoreWindow(window);
    return desktop.SetForegroundWindow(window);
}

win::HWND ActivateIt(win::Desktop& desktop, const std::string& title) {
    const win::HWND w = GetWinHandle(desktop, title);
    if (!w) return 0;
    BringToFront(desktop, w);
    return w;
}

win::HWND ActivateProg(win::Desktop& desktop, const std::string& name) {
    if (name.empty()) return 0;
    int found = 0;
    for (int pid : desktop.ProcessIds()) {
        if (ScopeTextMatches(name, desktop.ProcessModuleName(pid))) {
            found = pid;
            break;
        }
    }
    if (!found) return 0;
    for (win::HWND w : desktop.TopLevelWindows()) {
        if (desktop.WindowProcessId(w) == found && !desktop.WindowText(w).empty()) {
            BringToFront(desktop, w);
            return w;
        }
    }
    return 0;
}

std::string ModuleNameOfWindow(win::Desktop& desktop, win::HWND window) {
    const int pid = window ? desktop.WindowProcessId(window) : 0;
    return pid ? desktop.ProcessModuleName(pid) : std::string();
}

std::string GetTopProgram(win::Desktop& desktop) {
    return ModuleNameOfWindow(desktop, desktop.ForegroundWindow());
}

std::vector<std::string> RunningPrograms(win::Desktop& desktop) {
    std::vector<std::string> out;
    for (int pid : desktop.ProcessIds()) {
        if (out.size() >= static_cast<std::size_t>(kMaxPrograms)) break;
        std::string name = desktop.ProcessModuleName(pid);
        if (name.empty()) continue;
        name = UpperCase1252(name);
        if (name.size() > 25) name.resize(25);
        // Many processes share a program; naming each once keeps room for all programs.
        if (std::find(out.begin(), out.end(), name) == out.end()) out.push_back(std::move(name));
    }
    return out;
}

void StoreRunningPrograms(TGlobData& glob, const std::vector<std::string>& programs) {
    const int count = static_cast<int>(std::min<std::size_t>(programs.size(), kMaxPrograms));
    for (int i = 1; i <= kMaxPrograms; ++i) glob.Programs[i] = i <= count ? programs[std::size_t(i - 1)] : "";
    glob.ProgramCount = count;
}

bool ProgramListed(const TGlobData& glob, const std::string& name) {
    const int stored = glob.ProgramCount;
    const int count = std::clamp(stored, 0, kMaxPrograms);
    for (int i = 1; i <= count; ++i)
        if (ScopeTextMatches(name, glob.Programs[i].str())) return true;
    return false;
}

}  // namespace tessaro
