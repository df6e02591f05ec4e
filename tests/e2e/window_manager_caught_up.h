#pragma once
// A round trip through the window manager: it answers a request for a new window's frame
// by setting the frame on that window, after the requests that came before it.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>

#include "player_process.h"

namespace tessaro::testing {

// True once the window manager has handled every request `d` sent it before this call.
inline bool WindowManagerCaughtUp(Display* d, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
    const Window probe = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
    const Atom extents = XInternAtom(d, "_NET_FRAME_EXTENTS", False);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = probe;
    e.xclient.message_type = XInternAtom(d, "_NET_REQUEST_FRAME_EXTENTS", False);
    e.xclient.format = 32;
    XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XSync(d, False);
    const bool answered = WaitFor(
        [&] {
            Atom type = 0;
            int format = 0;
            unsigned long n = 0, after = 0;
            unsigned char* data = nullptr;
            const bool set = XGetWindowProperty(d, probe, extents, 0, 4, False, XA_CARDINAL, &type, &format,
                                                &n, &after, &data) == Success &&
                             n == 4;
            if (data) XFree(data);
            return set;
        },
        limit);
    XDestroyWindow(d, probe);
    XSync(d, False);
    return answered;
}

}  // namespace tessaro::testing
