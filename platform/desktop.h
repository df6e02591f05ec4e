#pragma once
// The top-level windows of the desktop and the processes that own them: enumeration,
// titles, the foreground window, restoring and activating a window. Backends: x11/ (EWMH
// through the window manager, plain X without one) and sim/ (a scripted desktop for tests).
// Titles are Windows-1252.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/messages.h"

namespace win {

class Desktop {
public:
    virtual ~Desktop() = default;

    // Top-level windows of every program, the topmost first.
    virtual std::vector<HWND> TopLevelWindows() = 0;
    // Empty when the window has no title or no longer exists.
    virtual std::string WindowText(HWND window) = 0;
    // 0 when no window has the focus.
    virtual HWND ForegroundWindow() = 0;
    virtual bool IsIconic(HWND window) = 0;
    // Un-minimises the window.
    virtual void RestoreWindow(HWND window) = 0;
    // Asks for the window to become the active one; false when it does not exist.
    virtual bool SetForegroundWindow(HWND window) = 0;

    // The process that owns the window; 0 when it is not known.
    virtual int WindowProcessId(HWND window) = 0;
    virtual std::vector<int> ProcessIds() = 0;
    // The base name of the process's executable in its own case; empty when unknown.
    virtual std::string ProcessModuleName(int pid) = 0;

    // The pointer's first button acts as the right one (a left-handed mouse).
    virtual bool MouseButtonsSwapped() = 0;
    // Caps Lock is locked on.
    virtual bool CapsLockOn() = 0;
};

// Processes of this machine from /proc.
std::vector<int> ListProcessIds();
// The base name of /proc/<pid>/exe; a process whose executable cannot be read (another
// user's, a kernel thread) gives an empty name.
std::string ExecutableBaseName(int pid);

}  // namespace win
