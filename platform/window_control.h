#pragma once
// Acting on other programs' top-level windows: closing, ending their program, hiding and
// showing, moving and sizing by the frame, minimising, maximising and restoring, and the
// desktop as a whole (the work area, showing the desktop). Backends: x11/ (EWMH through
// the window manager) and sim/ (the scripted desktop of the tests).
#include <optional>
#include <vector>

#include "platform/messages.h"
#include "platform/screen.h"

namespace win {

struct Bounds {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Bounds&) const = default;
};

class WindowControl {
public:
    virtual ~WindowControl() = default;

    // A polite request to close, as the window's close button gives.
    virtual void Close(HWND window) = 0;
    // Ends the window's program: a signal to terminate when it runs on this machine, else
    // a close request.
    virtual void EndProgram(HWND window) = 0;
    // Withdraws the window (it leaves the desktop's window list) / maps it again.
    virtual void Hide(HWND window) = 0;
    virtual void Show(HWND window) = 0;
    // Windows this process hid that still exist, the latest first.
    virtual std::vector<HWND> HiddenWindows() = 0;

    // The outer rectangle of the window with its frame; nothing when it is gone.
    virtual std::optional<Bounds> FrameRect(HWND window) = 0;
    // Moves and sizes the frame; the stacking order stays.
    virtual void SetFrameRect(HWND window, const Bounds& frame) = 0;

    virtual void Minimise(HWND window) = 0;
    virtual void Maximise(HWND window) = 0;
    virtual bool IsMaximised(HWND window) = 0;
    // Un-minimises a minimised window, else un-maximises a maximised one.
    virtual void Restore(HWND window) = 0;

    // Ordinary application windows (no docks, panels or desktop), the topmost first, not
    // minimised.
    virtual std::vector<HWND> NormalWindows() = 0;
    // The part of the screen that windows may cover.
    virtual Bounds WorkArea() = 0;
    // The whole screen, as it is now.
    virtual ScreenSize Screen() = 0;
    // Minimises every window to show the desktop / brings them back.
    virtual void ShowDesktop(bool show) = 0;
};

}  // namespace win
