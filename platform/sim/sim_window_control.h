#pragma once
// Window control over the simulated desktop: each window gets a frame rectangle and a
// state; closing or ending removes it, hiding takes it off the window list until shown.
#include <map>
#include <string>
#include <vector>

#include "platform/sim/sim_desktop.h"
#include "platform/window_control.h"

namespace win::sim {

class SimWindowControl : public WindowControl {
public:
    explicit SimWindowControl(SimDesktop& desktop) : desktop_(desktop) {}

    void Close(HWND window) override;
    void EndProgram(HWND window) override;
    void Hide(HWND window) override;
    void Show(HWND window) override;
    std::vector<HWND> HiddenWindows() override;
    std::optional<Bounds> FrameRect(HWND window) override;
    void SetFrameRect(HWND window, const Bounds& frame) override;
    void Minimise(HWND window) override;
    void Maximise(HWND window) override;
    bool IsMaximised(HWND window) override;
    void Restore(HWND window) override;
    std::vector<HWND> NormalWindows() override;
    Bounds WorkArea() override { return workArea; }
    ScreenSize Screen() override { return screen; }
    void ShowDesktop(bool show) override;

    void Clear();

    Bounds workArea{0, 0, 1024, 768};
    ScreenSize screen = kDefaultScreenSize;
    std::map<HWND, Bounds> frames;  // a window without an entry sits at 0,0 sized 100x100
    std::map<HWND, bool> maximised;
    std::vector<std::string> log;  // "close <id>", "end <pid>", "showdesktop 1", ...
    bool showingDesktop = false;

private:
    SimDesktop& desktop_;
};

// The simulated window control that sim::SimPlatform gives.
SimWindowControl& TheSimWindowControl();

}  // namespace win::sim
