#include "platform/x11/client_message.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QPointer>
#include <xcb/xcb.h>

#include "platform/x11/display.h"
#include "platform/x11/error_trap.h"

namespace win::x11 {

namespace {

Atom MessageAtom() {
    static Atom atom = 0;
    if (!atom && SharedDisplay()) atom = XInternAtom(SharedDisplay(), kMessageAtomName, False);
    return atom;
}

class ClientMessageFilter : public QAbstractNativeEventFilter {
public:
    explicit ClientMessageFilter(HandlerLookup lookup) : lookup_(lookup), atom_(MessageAtom()) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !atom_) return false;
        auto* ev = static_cast<xcb_generic_event_t*>(message);
        if ((ev->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
        auto* cm = reinterpret_cast<xcb_client_message_event_t*>(ev);
        if (cm->type != atom_ || cm->format != 32) return false;
        if (auto h = lookup_(cm->window))
            (*h)(cm->data.data32[0], cm->data.data32[1], static_cast<std::int32_t>(cm->data.data32[2]));
        return true;  // ours, even for a window that stopped listening
    }

private:
    HandlerLookup lookup_;
    Atom atom_;
};

}  // namespace

std::uint32_t AtomOf(const std::string& name) {
    Display* d = SharedDisplay();
    return d ? static_cast<std::uint32_t>(XInternAtom(d, name.c_str(), False)) : 0;
}

bool SendClientMessage(std::uint32_t window, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    Display* d = SharedDisplay();
    if (!d || !MessageAtom()) return false;
    XEvent ev{};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = MessageAtom();
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(msg);
    ev.xclient.data.l[1] = static_cast<long>(wParam);
    ev.xclient.data.l[2] = static_cast<long>(lParam);
    ErrorTrap trap(d);
    const Status sent = XSendEvent(d, window, False, NoEventMask, &ev);
    return trap.Finish() == 0 && sent != 0;  // a vanished window shows up as BadWindow
}

void EnsureClientMessageFilter(HandlerLookup lookup) {
    static std::unique_ptr<ClientMessageFilter> filter;
    static QPointer<QCoreApplication> installedOn;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || app == installedOn) return;
    // Installed once per application object (tests may make a new one).
    if (!filter) filter = std::make_unique<ClientMessageFilter>(lookup);
    app->installNativeEventFilter(filter.get());
    installedOn = app;
}

}  // namespace win::x11
