#pragma once
// Window control through the window manager (EWMH requests); without one, plain X requests
// on the window stand in where they can.
#include "platform/desktop.h"
#include "platform/window_control.h"

typedef struct _XDisplay Display;

namespace win::x11 {

class X11WindowControl : public WindowControl {
public:
    // Neither is owned; both must outlive this object.
    X11WindowControl(Display* display, Desktop& desktop) : display_(display), desktop_(desktop) {}

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
    Bounds WorkArea() override;
    ScreenSize Screen() override;
    void ShowDesktop(bool show) override;

private:
    bool Exists(HWND window);
    void SetMaximised(HWND window, bool on);

    Display* display_;
    Desktop& desktop_;
    struct Hidden {
        HWND window;
        std::optional<Bounds> frame;  // where it stood, to be put back there when shown
    };
    std::vector<Hidden> hidden_;  // withdrawn by this process, the latest first
    std::optional<Bounds> HiddenFrame(HWND window) const;
    void Forget(HWND window);
};

}  // namespace win::x11
