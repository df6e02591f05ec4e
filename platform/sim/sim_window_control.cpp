#include "platform/sim/sim_window_control.h"

#include <algorithm>

namespace win::sim {

namespace {

std::string Id(HWND w) { return std::to_string(w); }

}  // namespace

void SimWindowControl::Close(HWND window) {
    auto& ws = desktop_.windows;
    const auto it = std::find_if(ws.begin(), ws.end(), [&](const SimWindow& w) { return w.id == window; });
    if (it == ws.end()) return;
    log.push_back("close " + Id(window));
    ws.erase(it);
    if (desktop_.foreground == window) desktop_.foreground = ws.empty() ? 0 : ws.front().id;
}

void SimWindowControl::EndProgram(HWND window) {
    const int pid = desktop_.WindowProcessId(window);
    if (!pid) return;
    log.push_back("end " + std::to_string(pid));
    auto& ws = desktop_.windows;
    ws.erase(std::remove_if(ws.begin(), ws.end(), [&](const SimWindow& w) { return w.pid == pid; }),
             ws.end());
    desktop_.processes.erase(pid);
    if (desktop_.foreground && !desktop_.WindowProcessId(desktop_.foreground))
        desktop_.foreground = ws.empty() ? 0 : ws.front().id;
}

void SimWindowControl::Hide(HWND window) {
    auto& ws = desktop_.windows;
    const auto it = std::find_if(ws.begin(), ws.end(), [&](const SimWindow& w) { return w.id == window; });
    if (it == ws.end()) return;
    log.push_back("hide " + Id(window));
    desktop_.withdrawn.insert(desktop_.withdrawn.begin(), *it);
    ws.erase(it);
    if (desktop_.foreground == window) desktop_.foreground = 0;
}

void SimWindowControl::Show(HWND window) {
    auto& hidden = desktop_.withdrawn;
    const auto it =
        std::find_if(hidden.begin(), hidden.end(), [&](const SimWindow& w) { return w.id == window; });
    if (it == hidden.end()) return;
    log.push_back("show " + Id(window));
    desktop_.windows.insert(desktop_.windows.begin(), *it);
    hidden.erase(it);
}

std::vector<HWND> SimWindowControl::HiddenWindows() {
    std::vector<HWND> ids;
    for (const SimWindow& w : desktop_.withdrawn) ids.push_back(w.id);
    return ids;
}

std::optional<Bounds> SimWindowControl::FrameRect(HWND window) {
    if (desktop_.WindowText(window).empty() && !desktop_.WindowProcessId(window)) return std::nullopt;
    const auto it = frames.find(window);
    return it == frames.end() ? Bounds{0, 0, 100, 100} : it->second;
}

void SimWindowControl::SetFrameRect(HWND window, const Bounds& frame) {
    if (!FrameRect(window)) return;
    frames[window] = frame;
}

void SimWindowControl::Minimise(HWND window) {
    for (SimWindow& w : desktop_.windows)
        if (w.id == window) w.iconic = true;
}

void SimWindowControl::Maximise(HWND window) {
    if (FrameRect(window)) maximised[window] = true;
}

bool SimWindowControl::IsMaximised(HWND window) {
    const auto it = maximised.find(window);
    return it != maximised.end() && it->second;
}

void SimWindowControl::Restore(HWND window) {
    if (desktop_.IsIconic(window))
        desktop_.RestoreWindow(window);
    else
        maximised[window] = false;
}

std::vector<HWND> SimWindowControl::NormalWindows() {
    std::vector<HWND> ids;
    for (const SimWindow& w : desktop_.windows)
        if (!w.iconic) ids.push_back(w.id);
    return ids;
}

void SimWindowControl::ShowDesktop(bool show) {
    showingDesktop = show;
    log.push_back(std::string("showdesktop ") + (show ? "1" : "0"));
}

void SimWindowControl::Clear() {
    frames.clear();
    maximised.clear();
    log.clear();
    showingDesktop = false;
    workArea = Bounds{0, 0, 1024, 768};
    screen = kDefaultScreenSize;
}

SimWindowControl& TheSimWindowControl() {
    static SimWindowControl control(TheSimDesktop());
    return control;
}

}  // namespace win::sim
