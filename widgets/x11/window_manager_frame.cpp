// What the window manager says of a window's frame, read from the X server. Apart from the
// placement itself: Xlib's macros clash with Qt's event names.
#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include "widgets/screen_fit.h"

#include <chrono>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace tessaro {

namespace {

Display* X11Display() {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

// True when the running manager says it answers `request` (_NET_SUPPORTED on the root).
bool ManagerSupports(Display* display, Atom request) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (XGetWindowProperty(display, DefaultRootWindow(display), XInternAtom(display, "_NET_SUPPORTED", False),
                           0, 1024, False, XA_ATOM, &type, &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count && !found; ++i) found = atoms[i] == request;
    }
    if (data) XFree(data);
    return found;
}

}  // namespace

std::optional<QMargins> AskFrame(const QWindow& window, int waitMs) {
    if (std::optional<QMargins> told = WindowManagerFrame(window)) return told;
    Display* display = window.handle() ? X11Display() : nullptr;
    if (!display) return std::nullopt;
    const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    if (!ManagerSupports(display, request)) return std::nullopt;
    XEvent ask{};
    ask.xclient.type = ClientMessage;
    ask.xclient.window = static_cast<::Window>(window.winId());
    ask.xclient.message_type = request;
    ask.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureNotifyMask | SubstructureRedirectMask,
               &ask);
    XFlush(display);
    // The answer is a property on the window; its notice goes to the toolkit's own queue, so
    // the property itself is read until it comes.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (std::chrono::steady_clock::now() < until) {
        if (std::optional<QMargins> told = WindowManagerFrame(window)) return told;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::nullopt;
}

ServerHold::ServerHold(const QWindow* window) {
    Display* display = window && window->handle() ? X11Display() : nullptr;
    if (!display) return;
    XGrabServer(display);
    display_ = display;
}

ServerHold::~ServerHold() {
    if (!display_) return;
    auto* display = static_cast<Display*>(display_);
    XUngrabServer(display);
    XFlush(display);
}

std::optional<QRect> ServerGeometry(const QWindow& window) {
    Display* display = window.handle() ? X11Display() : nullptr;
    if (!display) return std::nullopt;
    const auto id = static_cast<::Window>(window.winId());
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, id, &attributes) || attributes.map_state != IsViewable)
        return std::nullopt;
    int x = 0, y = 0;
    ::Window child = 0;
    if (!XTranslateCoordinates(display, id, DefaultRootWindow(display), 0, 0, &x, &y, &child))
        return std::nullopt;
    return QRect(x, y, attributes.width, attributes.height);
}

void AskPlace(const QWindow& window) {
    Display* display = window.handle() ? X11Display() : nullptr;
    if (!display) return;
    XWindowChanges none{};
    XConfigureWindow(display, static_cast<::Window>(window.winId()), 0, &none);
    XFlush(display);
}

std::optional<QMargins> WindowManagerFrame(const QWindow& window) {
    if (!window.handle()) return std::nullopt;
    Display* display = X11Display();
    // Off X11 the platform's own frame is all there is, and it is known once shown.
    if (!display) return window.isExposed() ? std::optional(window.frameMargins()) : std::nullopt;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool read = XGetWindowProperty(display, static_cast<::Window>(window.winId()),
                                         XInternAtom(display, "_NET_FRAME_EXTENTS", False), 0, 4, False,
                                         XA_CARDINAL, &type, &format, &count, &after, &data) == Success;
    std::optional<QMargins> frame;
    if (read && data && format == 32 && count == 4) {
        const auto* v = reinterpret_cast<const long*>(data);  // left, right, top, bottom
        frame = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
    }
    if (data) XFree(data);
    return frame;
}

}  // namespace tessaro
