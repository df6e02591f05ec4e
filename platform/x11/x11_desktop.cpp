#include "platform/x11/x11_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/cp1252.h"
#include "platform/x11/error_trap.h"
#include "platform/x11/foreground_watch.h"
#include "platform/x11/properties.h"
#include "platform/x11/xlib_memory.h"

namespace win::x11 {

X11Desktop::X11Desktop(Display* display) : display_(display) {}

X11Desktop::~X11Desktop() = default;

ForegroundWatch* X11Desktop::Watch() {
    if (!watchTried_) {
        watchTried_ = true;
        watch_ = ForegroundWatch::Open(DisplayString(display_));
    }
    return watch_.get();
}

bool X11Desktop::HasWindowManager() {
    const auto check = LongProperty(display_, DefaultRootWindow(display_),
                                    AtomOf(display_, "_NET_SUPPORTING_WM_CHECK"), XA_WINDOW);
    return !check.empty() && check[0] != 0;
}

std::vector<HWND> X11Desktop::TopLevelWindows() {
    ErrorTrap trap(display_);
    const Window root = DefaultRootWindow(display_);
    std::vector<HWND> out;
    auto list = LongProperty(display_, root, AtomOf(display_, "_NET_CLIENT_LIST_STACKING"), XA_WINDOW);
    if (list.empty()) list = LongProperty(display_, root, AtomOf(display_, "_NET_CLIENT_LIST"), XA_WINDOW);
    if (!list.empty()) {
        // The stacking list runs bottom to top.
        for (auto it = list.rbegin(); it != list.rend(); ++it) out.push_back(static_cast<HWND>(*it));
        return out;
    }
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, root, &rootReturn, &parent, &children, &count)) return out;
    const XMemory<Window> owned = XOwned(children);
    for (unsigned int i = count; i-- > 0;) {  // children come bottom to top
        XWindowAttributes attrs;
        if (XGetWindowAttributes(display_, children[i], &attrs) && attrs.map_state == IsViewable &&
            !attrs.override_redirect)
            out.push_back(static_cast<HWND>(children[i]));
    }
    return out;
}

std::string X11Desktop::WindowText(HWND window) {
    if (!window) return {};
    if (ForegroundWatch* watch = Watch())
        if (auto title = watch->ForegroundTitle(window)) return Utf8ToCp1252(*title);
    ErrorTrap trap(display_);
    return Utf8ToCp1252(WindowTitleUtf8(display_, window));
}

HWND X11Desktop::ForegroundWindow() {
    if (ForegroundWatch* watch = Watch()) return static_cast<HWND>(watch->Foreground());
    ErrorTrap trap(display_);
    if (HasWindowManager()) {
        const auto active = LongProperty(display_, DefaultRootWindow(display_),
                                         AtomOf(display_, "_NET_ACTIVE_WINDOW"), XA_WINDOW);
        return active.empty() ? 0 : static_cast<HWND>(active[0]);
    }
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (focus == None || focus == PointerRoot) return 0;
    return static_cast<HWND>(TopLevelOf(display_, focus));
}

bool X11Desktop::IsIconic(HWND window) {
    ErrorTrap trap(display_);
    const auto states = LongProperty(display_, window, AtomOf(display_, "_NET_WM_STATE"), XA_ATOM);
    if (std::find(states.begin(), states.end(), AtomOf(display_, "_NET_WM_STATE_HIDDEN")) != states.end())
        return true;
    const Atom wmState = AtomOf(display_, "WM_STATE");
    const auto icccm = LongProperty(display_, window, wmState, wmState);
    return !icccm.empty() && icccm[0] == IconicState;
}

void X11Desktop::RestoreWindow(HWND window) {
    ErrorTrap trap(display_);
    if (HasWindowManager()) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = window;
        e.xclient.message_type = AtomOf(display_, "_NET_WM_STATE");
        e.xclient.format = 32;
        e.xclient.data.l[0] = 0;  // remove
        e.xclient.data.l[1] = static_cast<long>(AtomOf(display_, "_NET_WM_STATE_HIDDEN"));
        e.xclient.data.l[3] = 2;
        XSendEvent(display_, DefaultRootWindow(display_), False,
                   SubstructureRedirectMask | SubstructureNotifyMask, &e);
    }
    XMapRaised(display_, window);
    XFlush(display_);
}

unsigned long X11Desktop::ServerTime() {
    // A property change on a window of our own reports the server's current time.
    if (!timeWindow_) {
        XSetWindowAttributes attrs{};
        attrs.event_mask = PropertyChangeMask;
        timeWindow_ = XCreateWindow(display_, DefaultRootWindow(display_), -10, -10, 1, 1, 0, CopyFromParent,
                                    InputOnly, CopyFromParent, CWEventMask, &attrs);
    }
    const Atom stamp = AtomOf(display_, "_TESSARO_TIMESTAMP");
    XChangeProperty(display_, timeWindow_, stamp, XA_CARDINAL, 32, PropModeReplace, nullptr, 0);
    XEvent e;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
    XSync(display_, False);
    while (std::chrono::steady_clock::now() < end) {
        if (XCheckTypedWindowEvent(display_, timeWindow_, PropertyNotify, &e) && e.xproperty.atom == stamp)
            return e.xproperty.time;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return CurrentTime;
}

bool X11Desktop::SetForegroundWindow(HWND window) {
    if (!window) return false;
    {
        ErrorTrap trap(display_);
        XWindowAttributes attrs;
        if (!XGetWindowAttributes(display_, window, &attrs)) return false;
    }
    const bool managed = HasWindowManager();
    const unsigned long time = ServerTime();
    {
        ErrorTrap trap(display_);
        if (managed) {
            XEvent e{};
            e.xclient.type = ClientMessage;
            e.xclient.window = window;
            e.xclient.message_type = AtomOf(display_, "_NET_ACTIVE_WINDOW");
            e.xclient.format = 32;
            e.xclient.data.l[0] = 2;  // source: a pager, which window managers obey
            e.xclient.data.l[1] = static_cast<long>(time);
            e.xclient.data.l[2] = 0;
            XSendEvent(display_, DefaultRootWindow(display_), False,
                       SubstructureRedirectMask | SubstructureNotifyMask, &e);
        } else {
            XRaiseWindow(display_, window);
            XSetInputFocus(display_, window, RevertToParent, time);
        }
    }
    // Typing may follow at once: wait until the window really is the active one and has the
    // keyboard. A window manager can name the window active while the focus is still in the
    // one that is closing; keys sent then are lost.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1000);
    while (std::chrono::steady_clock::now() < end) {
        if (ForegroundWindow() == window && FocusWithin(window)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return ForegroundWindow() == window;
}

bool X11Desktop::FocusWithin(HWND window) {
    ErrorTrap trap(display_);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    const Window root = DefaultRootWindow(display_);
    for (int depth = 0; depth < 64 && focus != None && focus != PointerRoot && focus != root; ++depth) {
        if (focus == window) return true;
        focus = ParentOf(display_, focus);
    }
    return false;
}

int X11Desktop::WindowProcessId(HWND window) {
    ErrorTrap trap(display_);
    const auto pid = LongProperty(display_, window, AtomOf(display_, "_NET_WM_PID"), XA_CARDINAL);
    return pid.empty() ? 0 : static_cast<int>(pid[0]);
}

}  // namespace win::x11

namespace win::x11 {

std::string X11Desktop::ProcessModuleName(int pid) { return Utf8ToCp1252(ExecutableBaseName(pid)); }

bool X11Desktop::MouseButtonsSwapped() {
    unsigned char map[32] = {};
    const int buttons = XGetPointerMapping(display_, map, sizeof map);
    return buttons >= 3 && map[0] == 3;
}

bool X11Desktop::CapsLockOn() {
    XkbStateRec state{};
    return XkbGetState(display_, XkbUseCoreKbd, &state) == Success && (state.locked_mods & LockMask) != 0;
}

}  // namespace win::x11
