#pragma once
// A scripted desktop: windows in stacking order, the foreground window, processes by id.
// Activations are logged so that tests can see which window was brought to the front.
#include <map>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace win::sim {

struct SimWindow {
    HWND id = 0;
    std::string title;
    int pid = 0;
    bool iconic = false;
};

class SimDesktop : public Desktop {
public:
    std::vector<HWND> TopLevelWindows() override;
    std::string WindowText(HWND window) override;
    HWND ForegroundWindow() override { return foreground; }
    bool IsIconic(HWND window) override;
    void RestoreWindow(HWND window) override;
    bool SetForegroundWindow(HWND window) override;
    int WindowProcessId(HWND window) override;
    std::vector<int> ProcessIds() override;
    std::string ProcessModuleName(int pid) override;
    bool MouseButtonsSwapped() override { return mouseSwapped; }
    bool CapsLockOn() override { return capsLock; }

    // Adds a window below the existing ones and returns its id; a new process id gets the
    // program name.
    HWND AddWindow(const std::string& title, int pid, const std::string& program, bool iconic = false);
    void AddProcess(int pid, const std::string& program) { processes[pid] = program; }
    void Clear();

    std::vector<SimWindow> windows;    // the topmost first
    std::vector<SimWindow> withdrawn;  // hidden: off the list, their titles still readable
    std::map<int, std::string> processes;
    HWND foreground = 0;
    bool mouseSwapped = false;
    bool capsLock = false;
    std::vector<HWND> activations;  // every successful SetForegroundWindow
    std::vector<HWND> restores;

private:
    SimWindow* Find(HWND window);
    HWND next_ = 0x100;
};

// The simulated desktop that sim::SimPlatform gives.
SimDesktop& TheSimDesktop();

}  // namespace win::sim
