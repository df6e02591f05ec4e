#include "platform/x11/x11_screen_saver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <utility>

// Last: Xlib's macros clash with Qt's names.
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace win::x11 {

namespace {

const char* const kService = "org.freedesktop.ScreenSaver";
const char* const kPath = "/org/freedesktop/ScreenSaver";

}  // namespace

// A connection of its own: the server ends the suspension when it closes.
struct DesktopScreenSaver::X11 {
    Display* display = nullptr;
    bool extension = false;
    X11() : display(XOpenDisplay(nullptr)) {
        int event = 0, error = 0;
        extension = display && XScreenSaverQueryExtension(display, &event, &error);
    }
    ~X11() {
        if (display) XCloseDisplay(display);
    }
    void Suspend(bool on) {
        if (!extension) return;
        XScreenSaverSuspend(display, on ? True : False);
        XFlush(display);
    }
};

DesktopScreenSaver::DesktopScreenSaver(std::string application)
    : x11_(std::make_unique<X11>()), application_(std::move(application)) {}

DesktopScreenSaver::~DesktopScreenSaver() { SetInhibited(false); }

void DesktopScreenSaver::SetInhibited(bool inhibited) {
    if (inhibited == inhibited_) return;
    inhibited_ = inhibited;
    x11_->Suspend(inhibited);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(kService)) return;
    QDBusInterface saver(kService, kPath, kService, bus);
    if (inhibited) {
        const QDBusReply<std::uint32_t> reply = saver.call("Inhibit", QString::fromStdString(application_),
                                                           QStringLiteral("A timed macro is scheduled"));
        cookie_ = reply.isValid() ? reply.value() : 0;
    } else if (cookie_ != 0) {
        saver.call("UnInhibit", cookie_);
        cookie_ = 0;
    }
}

}  // namespace win::x11
