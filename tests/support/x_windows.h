#pragma once
// What a test asks the X server about other programs' windows.
#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

namespace tessaro::testing {

// The first window below `parent` (the root when 0; three levels deep, as window
// managers' frames nest clients) whose name `matches`, or 0.
Window FindWindowNamed(Display* d, const std::function<bool(const std::string&)>& matches, Window parent = 0);
// The window's _NET_WM_STATE atoms, by name.
std::vector<std::string> WindowStates(Display* d, Window w);

}  // namespace tessaro::testing
