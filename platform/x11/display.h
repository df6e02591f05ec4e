#pragma once
// The process's own Xlib connection, shared by the X11 backends of this folder.
#include <X11/Xlib.h>

namespace win::x11 {

// Opened on first use from $DISPLAY; nullptr when no display is reachable. Closed at exit.
Display* SharedDisplay();

// True when an X display can be opened.
bool DisplayReachable();

}  // namespace win::x11
