#pragma once
// What a test asks the X server about other programs' windows.
#include <X11/Xlib.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tessaro::testing {

// The first window below `parent` (the root when 0; three levels deep, as window
// managers' frames nest clients) whose name `matches`, or 0.
Window FindWindowNamed(Display* d, const std::function<bool(const std::string&)>& matches, Window parent = 0);
// The window's _NET_WM_STATE atoms, by name.
std::vector<std::string> WindowStates(Display* d, Window w);

// The process whose window has the keyboard focus (its _NET_WM_PID), or 0 when the focus is
// on no program's window that names its process.
long FocusedProcess(Display* d);
// True once the program that made window `w` has handled every event the server sent it
// before this call: the window answers two pings, the second sent after the first answer
// came (a toolkit answers a ping in its turn among the events, and deals with the input
// read in that turn before it reads on). False when `w` is gone or does not answer within
// `limit`.
bool WindowOwnerCaughtUp(Display* d, Window w, std::chrono::milliseconds limit = std::chrono::seconds(10));
// The same for process `pid`, through the first of its windows the window manager lists
// that answers pings. True at once for `pid` 0 and for a process with no such window.
bool ProcessCaughtUp(Display* d, long pid, std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace tessaro::testing
