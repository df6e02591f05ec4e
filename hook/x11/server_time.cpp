#include "hook/x11/server_time.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <memory>

namespace tessaro::hook {

namespace {

struct DisplayCloser {
    void operator()(Display* d) const { XCloseDisplay(d); }
};

}  // namespace

std::uint32_t ServerTimeNow() {
    // A connection of its own: whatever it reads is nobody else's event.
    const std::unique_ptr<Display, DisplayCloser> d(XOpenDisplay(nullptr));
    if (!d) return 0;
    XSetWindowAttributes attrs{};
    attrs.event_mask = PropertyChangeMask;
    const Window w = XCreateWindow(d.get(), DefaultRootWindow(d.get()), -1, -1, 1, 1, 0, CopyFromParent,
                                   InputOnly, CopyFromParent, CWEventMask, &attrs);
    // An empty append changes nothing but is announced with the server's time.
    const Atom atom = XInternAtom(d.get(), "_TESSARO_SERVER_TIME", False);
    XChangeProperty(d.get(), w, atom, XA_STRING, 8, PropModeAppend, nullptr, 0);
    XEvent ev;
    XWindowEvent(d.get(), w, PropertyChangeMask, &ev);
    return static_cast<std::uint32_t>(ev.xproperty.time);
}

}  // namespace tessaro::hook
