#include "platform/x11/screen.h"

namespace win::x11 {

ScreenSize ScreenSizeOf(Display* display) {
    if (!display) return kDefaultScreenSize;
    const int screen = DefaultScreen(display);
    return {DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

}  // namespace win::x11
