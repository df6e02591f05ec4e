#include "platform/x11/foreground.h"

#include <X11/Xlib.h>

#include "platform/x11/display.h"

namespace win::x11 {

bool BringToFront(std::uint64_t window) {
    Display* d = SharedDisplay();
    if (!d || window == 0) return false;
    const auto w = static_cast<Window>(window);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = 2;  // from a pager-like tool: window managers honour it
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XRaiseWindow(d, w);
    XFlush(d);
    return true;
}

}  // namespace win::x11
