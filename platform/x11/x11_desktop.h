#pragma once
// The desktop's top-level windows through the window manager's EWMH properties. Without a
// window manager the mapped children of the root window with a name stand in, and the
// input focus is the foreground.
#include <memory>

#include "platform/desktop.h"

typedef struct _XDisplay Display;

namespace win::x11 {

class ForegroundWatch;

class X11Desktop : public Desktop {
public:
    // `display` is not owned and must outlive this object.
    explicit X11Desktop(Display* display);
    ~X11Desktop() override;

    std::vector<HWND> TopLevelWindows() override;
    std::string WindowText(HWND window) override;
    HWND ForegroundWindow() override;
    bool IsIconic(HWND window) override;
    void RestoreWindow(HWND window) override;
    // The request names a pager-like source and a current server time, which window
    // managers honour; it waits briefly until the window is active.
    bool SetForegroundWindow(HWND window) override;
    int WindowProcessId(HWND window) override;
    std::vector<int> ProcessIds() override { return ListProcessIds(); }
    std::string ProcessModuleName(int pid) override;
    bool MouseButtonsSwapped() override;
    bool CapsLockOn() override;

private:
    bool HasWindowManager();
    unsigned long ServerTime();
    // The foreground and its title kept from notices; nullptr when it cannot watch.
    ForegroundWatch* Watch();
    // Whether the keyboard focus is `window` or one of its descendants.
    bool FocusWithin(HWND window);

    Display* display_;
    unsigned long timeWindow_ = 0;  // a window of our own for reading the server time
    std::unique_ptr<ForegroundWatch> watch_;
    bool watchTried_ = false;
};

}  // namespace win::x11
