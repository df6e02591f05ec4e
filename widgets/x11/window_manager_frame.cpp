// What the window manager says of a window's frame, read from the X server. Apart from the
// placement itself: Xlib's macros clash with Qt's event names.
#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include "widgets/screen_fit.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <vector>
#include <functional>
#include <memory>

#include <xcb/xproto.h>

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

std::optional<QMargins> AskFrame(const QWindow& window) {
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
    return std::nullopt;
}

namespace {

// The manager tells a frame in a property of the window; the toolkit reads the notice of its
// change but passes it on to no one.
class FrameNotices final : public QAbstractNativeEventFilter {
public:
    FrameNotices(Display* display, std::function<void()> told)
        : extents_(static_cast<std::uint32_t>(XInternAtom(display, "_NET_FRAME_EXTENTS", False))),
          told_(std::move(told)) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
        if (reinterpret_cast<const xcb_property_notify_event_t*>(event)->atom != extents_) return false;
        // After the toolkit has read it (its own idea of the frame is then up to date too).
        QMetaObject::invokeMethod(&context_, told_, Qt::QueuedConnection);
        return false;
    }

private:
    std::uint32_t extents_;
    std::function<void()> told_;
    QObject context_;  // a notice not yet handed on goes with the filter
};

}  // namespace

std::unique_ptr<QAbstractNativeEventFilter> WatchFrameNotices(std::function<void()> told) {
    Display* display = X11Display();
    if (!display) return nullptr;
    auto notices = std::make_unique<FrameNotices>(display, std::move(told));
    qApp->installNativeEventFilter(notices.get());
    return notices;
}

namespace {

struct Child {
    ::Window id;
    XWindowAttributes attributes;
};

// The mapped windows inside `parent`.
std::vector<Child> MappedChildren(Display* display, ::Window parent) {
    ::Window root = 0, up = 0, *children = nullptr;
    unsigned int count = 0;
    std::vector<Child> out;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return out;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes a{};
        if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable)
            out.push_back({children[i], a});
    }
    if (children) XFree(children);
    return out;
}

// The manager's frame of a window: its ancestor just below the root.
std::optional<::Window> FrameWindow(Display* display, ::Window window) {
    for (int depth = 0; depth < 16; ++depth) {
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &root, &parent, &children, &count)) return std::nullopt;
        if (children) XFree(children);
        if (parent == root) return depth == 0 ? std::nullopt : std::optional(window);
        window = parent;
    }
    return std::nullopt;
}

}  // namespace

std::optional<int> TitleRoom(const QWindow& window) {
    Display* display = window.handle() ? X11Display() : nullptr;
    const std::optional<QMargins> frame = WindowManagerFrame(window);
    if (!display || !frame || frame->top() <= 0) return std::nullopt;
    const std::optional<::Window> outer = FrameWindow(display, static_cast<::Window>(window.winId()));
    if (!outer) return std::nullopt;
    // The title bar: a window of the frame above the inside, holding the caption's part
    // beside the boxes; the caption's is the widest.
    int widest = 0;
    for (const Child& bar : MappedChildren(display, *outer)) {
        if (bar.attributes.y + bar.attributes.height > frame->top()) continue;
        for (const Child& part : MappedChildren(display, bar.id))
            widest = std::max(widest, part.attributes.width);
    }
    return widest > 0 ? std::optional(widest) : std::nullopt;
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
