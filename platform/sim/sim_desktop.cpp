#include "platform/sim/sim_desktop.h"

#include <algorithm>

namespace win::sim {

SimWindow* SimDesktop::Find(HWND window) {
    for (SimWindow& w : windows)
        if (w.id == window) return &w;
    for (SimWindow& w : withdrawn)
        if (w.id == window) return &w;
    return nullptr;
}

std::vector<HWND> SimDesktop::TopLevelWindows() {
    std::vector<HWND> ids;
    for (const SimWindow& w : windows) ids.push_back(w.id);
    return ids;
}

std::string SimDesktop::WindowText(HWND window) {
    const SimWindow* w = Find(window);
    return w ? w->title : std::string();
}

bool SimDesktop::IsIconic(HWND window) {
    const SimWindow* w = Find(window);
    return w && w->iconic;
}

void SimDesktop::RestoreWindow(HWND window) {
    if (SimWindow* w = Find(window)) {
        w->iconic = false;
        restores.push_back(window);
    }
}

bool SimDesktop::SetForegroundWindow(HWND window) {
    auto it =
        std::find_if(windows.begin(), windows.end(), [&](const SimWindow& w) { return w.id == window; });
    if (it == windows.end()) return false;
    std::rotate(windows.begin(), it, it + 1);  // to the top of the stack
    foreground = window;
    activations.push_back(window);
    return true;
}

int SimDesktop::WindowProcessId(HWND window) {
    const SimWindow* w = Find(window);
    return w ? w->pid : 0;
}

std::vector<int> SimDesktop::ProcessIds() {
    std::vector<int> ids;
    for (const auto& [pid, name] : processes) ids.push_back(pid);
    return ids;
}

std::string SimDesktop::ProcessModuleName(int pid) {
    auto it = processes.find(pid);
    return it == processes.end() ? std::string() : it->second;
}

HWND SimDesktop::AddWindow(const std::string& title, int pid, const std::string& program, bool iconic) {
    const HWND id = next_++;
    windows.push_back({id, title, pid, iconic});
    if (pid && !processes.count(pid)) processes[pid] = program;
    return id;
}

void SimDesktop::Clear() {
    windows.clear();
    withdrawn.clear();
    processes.clear();
    foreground = 0;
    mouseSwapped = capsLock = false;
    activations.clear();
    restores.clear();
}

SimDesktop& TheSimDesktop() {
    static SimDesktop desktop;
    return desktop;
}

}  // namespace win::sim
