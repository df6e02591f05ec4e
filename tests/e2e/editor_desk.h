#pragma once
// Driving the editor on a test's X server: activating its window, pressing keys in it and
// finding the boxes it shows.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <array>
#include <chrono>
#include <string>

#include "tests/support/key_target.h"
#include "tests/support/x_windows.h"

namespace tessaro::testing {

using namespace std::chrono_literals;

// A client message of `type` about window `w`, sent to `to` (the window manager's requests go
// to the root window).
inline void SendClientMessage(Display* d, Window to, Window w, const char* type, std::array<long, 5> data,
                              long mask) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = w;
    e.xclient.message_type = XInternAtom(d, type, False);
    e.xclient.format = 32;
    for (std::size_t i = 0; i < data.size(); ++i) e.xclient.data.l[i] = data[i];
    XSendEvent(d, to, False, mask, &e);
    XSync(d, False);
}
constexpr long kToWindowManager = SubstructureRedirectMask | SubstructureNotifyMask;

inline void Activate(Display* d, Window w) {
    SendClientMessage(d, DefaultRootWindow(d), w, "_NET_ACTIVE_WINDOW", {2, CurrentTime, 0, 0, 0},
                      kToWindowManager);
}

// The window with the focus, or its top-level ancestor's client when the manager reparented it.
inline bool FocusWithin(Display* d, Window top) {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(d, &focus, &revert);
    for (Window w = focus; w != 0;) {
        if (w == top) return true;
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned n = 0;
        if (!XQueryTree(d, w, &root, &parent, &children, &n)) return false;
        if (children) XFree(children);
        if (parent == root) return false;
        w = parent;
    }
    return false;
}

// Asks the window to close, as its title bar's close button does.
inline void CloseWindow(Display* d, Window w) {
    SendClientMessage(d, w, w, "WM_PROTOCOLS",
                      {static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False)), CurrentTime, 0, 0, 0},
                      NoEventMask);
}

// Asks the window manager to move and size the window, as a user's drag does.
inline void MoveResize(Display* d, Window w, int x, int y, int width, int height) {
    constexpr long kXYWidthHeightByUser = (1 << 8) | (1 << 9) | (1 << 10) | (1 << 11) | (2 << 12);
    SendClientMessage(d, DefaultRootWindow(d), w, "_NET_MOVERESIZE_WINDOW",
                      {kXYWidthHeightByUser, x, y, width, height}, kToWindowManager);
}

// Presses a key as a hand does, then waits until the program that had the focus has dealt
// with it: a menu the key opens is open, a box it closes is closed.
inline void Press(Display* d, KeySym key, std::initializer_list<KeySym> modifiers = {}) {
    const long program = FocusedProcess(d);
    PressWithModifiers(d, key, modifiers);
    ProcessCaughtUp(d, program);
}

// A window the window manager lists whose title is `title`, or 0.
inline Window ClientWindowTitled(Display* d, const std::string& title) {
    Atom type = 0;
    int format = 0;
    unsigned long n = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, DefaultRootWindow(d), XInternAtom(d, "_NET_CLIENT_LIST", False), 0, 1024, False,
                           XA_WINDOW, &type, &format, &n, &after, &data) != Success)
        return 0;
    Window found = 0;
    const auto* windows = reinterpret_cast<const Window*>(data);
    for (unsigned long i = 0; i < n && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(d, windows[i], &name) && name) {
            if (title == name) found = windows[i];
            XFree(name);
        }
    }
    if (data) XFree(data);
    return found;
}

inline bool ClientTitled(Display* d, const std::string& title) { return ClientWindowTitled(d, title) != 0; }

}  // namespace tessaro::testing
