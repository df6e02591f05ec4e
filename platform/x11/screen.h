#pragma once
#include <X11/Xlib.h>

#include "platform/screen.h"

namespace win::x11 {

// The default screen of `display` in pixels; kDefaultScreenSize for a null display.
ScreenSize ScreenSizeOf(Display* display);

}  // namespace win::x11
