#include "platform/x11/foreground_watch.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <memory>

#include "platform/x11/error_trap.h"
#include "platform/x11/properties.h"
#include "platform/x11/xlib_memory.h"

namespace win::x11 {

namespace {

std::string Utf8Property(Display* d, Window w, Atom property) {
    std::string out;
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, property, 0, 1024, False, AtomOf(d, "UTF8_STRING"), &actual, &format, &count,
                           &after, &data) == Success &&
        data) {
        const XMemory<unsigned char> owned = XOwned(data);
        if (format == 8) out.assign(reinterpret_cast<const char*>(data), count);
    }
    return out;
}

constexpr long kForegroundMask = PropertyChangeMask | StructureNotifyMask;

}  // namespace

std::string WindowTitleUtf8(Display* d, Window window) {
    std::string utf8 = Utf8Property(d, window, AtomOf(d, "_NET_WM_NAME"));
    if (!utf8.empty()) return utf8;
    XTextProperty text{};
    if (XGetWMName(d, window, &text) && text.value) {
        const XMemory<unsigned char> value = XOwned(text.value);
        char** list = nullptr;
        int n = 0;
        if (Xutf8TextPropertyToTextList(d, &text, &list, &n) >= Success && list) {
            if (n > 0 && list[0]) utf8 = list[0];
            XFreeStringList(list);
        }
    }
    return utf8;
}

Window ParentOf(Display* d, Window window) {
    Window rootReturn = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(d, window, &rootReturn, &parent, &children, &count)) return 0;
    XOwned(children).reset();  // only the parent is wanted
    return parent;
}

Window TopLevelOf(Display* d, Window window) {
    const Window root = DefaultRootWindow(d);
    Window w = window;
    // Walk up to the child of the root, then look for the client inside a frame.
    for (int depth = 0; depth < 64 && w && w != root; ++depth) {
        const Window parent = ParentOf(d, w);
        if (!parent) return 0;
        if (parent == root) break;
        w = parent;
    }
    return w == root ? 0 : w;
}

std::unique_ptr<ForegroundWatch> ForegroundWatch::Open(const char* displayName) {
    Display* d = XOpenDisplay(displayName);
    if (!d) return nullptr;
    return std::unique_ptr<ForegroundWatch>(new ForegroundWatch(d));
}

ForegroundWatch::ForegroundWatch(Display* d) : d_(d), root_(DefaultRootWindow(d)) {
    // One round trip for all the names: the watch opens while the player starts.
    char* names[] = {const_cast<char*>("_NET_ACTIVE_WINDOW"), const_cast<char*>("_NET_SUPPORTING_WM_CHECK"),
                     const_cast<char*>("_NET_WM_NAME"), const_cast<char*>("UTF8_STRING")};
    Atom atoms[4] = {};
    XInternAtoms(d_, names, 4, False, atoms);
    active_ = atoms[0];
    check_ = atoms[1];
    netName_ = atoms[2];
    utf8_ = atoms[3];
    // The pointer root's focus notices come to the root.
    XSelectInput(d_, root_, PropertyChangeMask | FocusChangeMask);
}

ForegroundWatch::~ForegroundWatch() { XCloseDisplay(d_); }

void ForegroundWatch::ReadNotices() {
    while (XPending(d_) > 0) {
        XEvent e;
        XNextEvent(d_, &e);
        switch (e.type) {
            case PropertyNotify:
                if (e.xproperty.window == root_) {
                    if (e.xproperty.atom == check_) managed_.reset();
                    if (e.xproperty.atom == active_ || e.xproperty.atom == check_) foregroundStale_ = true;
                } else if (e.xproperty.window == foreground_ &&
                           (e.xproperty.atom == netName_ || e.xproperty.atom == XA_WM_NAME)) {
                    titleStale_ = true;
                }
                break;
            case FocusIn:
            case FocusOut:
                // A grab's start and end move no focus: each hot key brings a pair of them.
                if (e.xfocus.mode == NotifyGrab || e.xfocus.mode == NotifyUngrab) break;
                if (e.xfocus.window == focus_ || e.xfocus.window == root_) foregroundStale_ = true;
                break;
            case DestroyNotify:
            case ReparentNotify:
                if (e.xany.window == foreground_ || e.xany.window == focus_)
                    foregroundStale_ = titleStale_ = true;
                break;
            default: break;
        }
    }
}

void ForegroundWatch::Watch(Window window, long mask) {
    Window& watched = mask & FocusChangeMask ? focus_ : foreground_;
    if (watched == window) return;
    ErrorTrap trap(d_);
    // One window may be both the focused one and the foreground.
    auto maskOf = [&](Window w) {
        return (w == focus_ ? FocusChangeMask | StructureNotifyMask : 0) |
               (w == foreground_ ? kForegroundMask : 0);
    };
    const Window old = watched;
    watched = window;
    if (old && old != root_) XSelectInput(d_, old, maskOf(old));
    if (window && window != root_) XSelectInput(d_, window, maskOf(window));
}

Window ForegroundWatch::Foreground() {
    ReadNotices();
    if (!foregroundStale_) return foreground_;
    // The notices are selected before the values are read, so no change in between is missed.
    foregroundStale_ = false;
    if (!managed_) {
        const auto check = LongProperty(d_, root_, check_, XA_WINDOW);
        managed_ = !check.empty() && check[0] != 0;
    }
    Window window = 0;
    if (*managed_) {
        Watch(0, FocusChangeMask);
        const auto active = LongProperty(d_, root_, active_, XA_WINDOW);
        window = active.empty() ? 0 : active[0];
    } else {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(d_, &focus, &revert);
        Watch(focus > PointerRoot ? focus : 0, FocusChangeMask);
        // A focus that moved while its notices were being selected is read again.
        Window now = 0;
        XGetInputFocus(d_, &now, &revert);
        if (now != focus) foregroundStale_ = true;
        ErrorTrap trap(d_);
        window = focus > PointerRoot ? TopLevelOf(d_, focus) : 0;
    }
    if (window != foreground_) {
        Watch(window, kForegroundMask);
        titleStale_ = true;
    }
    return foreground_;
}

std::optional<std::string> ForegroundWatch::ForegroundTitle(Window window) {
    if (!window || window != Foreground()) return std::nullopt;
    if (titleStale_) {
        titleStale_ = false;
        ErrorTrap trap(d_);
        title_ = WindowTitleUtf8(d_, window);
        if (trap.Finish() != 0) title_.clear();
    }
    return title_;
}

}  // namespace win::x11
