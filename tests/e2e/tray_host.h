#pragma once
// The smallest notification area there is: it owns _NET_SYSTEM_TRAY_S0, announces itself,
// records the windows that ask to be docked and can embed and map them where a click
// reaches them. Also what tests look for on the screen: windows by title and open menus.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/key_target.h"

namespace tessaro::testing {

class MinimalTrayHost {
public:
    explicit MinimalTrayHost(Display* d) : d_(d) {
        if (!d_) return;
        const Window root = DefaultRootWindow(d_);
        owner_ = XCreateSimpleWindow(d_, root, 0, 0, 1, 1, 0, 0, 0);
        selection_ = XInternAtom(d_, "_NET_SYSTEM_TRAY_S0", False);
        opcode_ = XInternAtom(d_, "_NET_SYSTEM_TRAY_OPCODE", False);
        XSetSelectionOwner(d_, selection_, owner_, CurrentTime);
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = root;
        e.xclient.message_type = XInternAtom(d_, "MANAGER", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = CurrentTime;
        e.xclient.data.l[1] = static_cast<long>(selection_);
        e.xclient.data.l[2] = static_cast<long>(owner_);
        XSendEvent(d_, root, False, StructureNotifyMask, &e);
        XSync(d_, False);
    }
    ~MinimalTrayHost() {
        if (d_) XCloseDisplay(d_);
    }
    MinimalTrayHost(const MinimalTrayHost&) = delete;
    MinimalTrayHost& operator=(const MinimalTrayHost&) = delete;

    bool owning() const { return d_ && XGetSelectionOwner(d_, selection_) == owner_; }

    // Reads the requests that arrived; true once at least `count` windows asked to dock.
    bool WaitForDocked(std::size_t count, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (docked_.size() < count && std::chrono::steady_clock::now() < end) {
            while (XPending(d_) > 0) {
                XEvent e;
                XNextEvent(d_, &e);
                if (e.type == ClientMessage && e.xclient.message_type == opcode_ && e.xclient.data.l[1] == 0)
                    docked_.push_back(static_cast<Window>(e.xclient.data.l[2]));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return docked_.size() >= count;
    }
    const std::vector<Window>& docked() const { return docked_; }

    // Puts docked icon `index` (in the order they asked) into a 32-pixel cell at x, y: a
    // window of the area's own that no window manager moves.
    Window Embed(std::size_t index, int x, int y) {
        if (index >= docked_.size()) return 0;
        return EmbedWindow(docked_[index], x, y);
    }
    // The same for the docked icon `icon`.
    Window EmbedWindow(Window icon, int x, int y) {
        XSetWindowAttributes a{};
        a.override_redirect = True;
        const Window cell = XCreateWindow(d_, DefaultRootWindow(d_), x, y, 32, 32, 0, CopyFromParent,
                                          InputOutput, CopyFromParent, CWOverrideRedirect, &a);
        XMapRaised(d_, cell);
        XReparentWindow(d_, icon, cell, 0, 0);
        XResizeWindow(d_, icon, 32, 32);
        XMapWindow(d_, icon);
        XSync(d_, False);
        return cell;
    }

private:
    Display* d_;
    Window owner_ = 0;
    Atom selection_ = 0;
    Atom opcode_ = 0;
    std::vector<Window> docked_;
};

inline std::string WindowTitle(Display* d, Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string title;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), 0, 256, False,
                           XInternAtom(d, "UTF8_STRING", False), &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

// Windows of other programs come and go while a test looks: errors about vanished windows
// are expected, and Xlib's default handler would end the test program for them.
inline int IgnoreXError(Display*, XErrorEvent*) { return 0; }

// Every viewable window below `top`, window managers' frames included.
inline void ViewableWindows(Display* d, Window top, std::vector<Window>& out) {
    XSetErrorHandler(IgnoreXError);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, top, &root, &parent, &children, &count)) return;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
        out.push_back(children[i]);
        ViewableWindows(d, children[i], out);
    }
    if (children) XFree(children);
}

// A viewable window with this title, managed or not, or 0.
inline Window FindTitled(Display* d, const std::string& title) {
    std::vector<Window> all;
    ViewableWindows(d, DefaultRootWindow(d), all);
    for (Window w : all)
        if (WindowTitle(d, w) == title) return w;
    return 0;
}

// Whether the window says it is of this _NET_WM_WINDOW_TYPE.
inline bool HasWindowType(Display* d, Window w, const char* typeName) {
    const Atom wanted = XInternAtom(d, typeName, False);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(d, w, XInternAtom(d, "_NET_WM_WINDOW_TYPE", False), 0, 8, False, XA_ATOM, &type,
                           &format, &count, &after, &data) == Success &&
        data) {
        const Atom* types = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i) found = found || types[i] == wanted;
        XFree(data);
    }
    return found;
}

// Whether a popup menu is open: a viewable top-level window that no window manager
// handles (override-redirect), has a title, as the toolkit's menus do, and is no tool tip.
inline bool MenuOpen(Display* d) {
    XSetErrorHandler(IgnoreXError);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return false;
    bool open = false;
    for (unsigned i = 0; i < count && !open; ++i) {
        XWindowAttributes a;
        // A window manager's 1x1 check window is no menu either.
        open = XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable && a.override_redirect &&
               a.width > 1 && a.height > 1 && !WindowTitle(d, children[i]).empty() &&
               !HasWindowType(d, children[i], "_NET_WM_WINDOW_TYPE_TOOLTIP");
    }
    if (children) XFree(children);
    return open;
}

// The window's place on the screen.
inline XRectangle ScreenRect(Display* d, Window w) {
    XWindowAttributes a{};
    XGetWindowAttributes(d, w, &a);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(d, w, DefaultRootWindow(d), 0, 0, &x, &y, &child);
    return {static_cast<short>(x), static_cast<short>(y), static_cast<unsigned short>(a.width),
            static_cast<unsigned short>(a.height)};
}

inline void ClickAt(Display* d, int x, int y, unsigned button) {
    XTestFakeMotionEvent(d, DefaultScreen(d), x, y, CurrentTime);
    XFlush(d);
    PressButton(d, button);
}

}  // namespace tessaro::testing
