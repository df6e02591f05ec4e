#include "platform/messages.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMetaObject>
#include <QWindow>

#include <atomic>
#include <map>

#include "platform/backend.h"
#include "platform/x11/client_message.h"

namespace win {

namespace {

using SharedHandler = std::shared_ptr<MessageHandler>;

std::map<HWND, SharedHandler>& Receivers() {
    static std::map<HWND, SharedHandler> receivers;
    return receivers;
}

SharedHandler Find(HWND hwnd) {
    auto it = Receivers().find(hwnd);
    return it == Receivers().end() ? nullptr : it->second;
}

// Delivers a message to a window of this program from the event loop.
bool Queue(HWND hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) return false;
    QMetaObject::invokeMethod(
        app,
        [=] {
            if (SharedHandler h = Find(hwnd)) (*h)(msg, wParam, lParam);
        },
        Qt::QueuedConnection);
    return true;
}

// Handles of windows that only this program knows (simulated desktop, or no GUI); far
// above the X ids the server gives out.
std::atomic<HWND> g_nextSimWindow{0x7e000001};

}  // namespace

bool PostMessage(HWND hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    if (hwnd == 0) return false;
    if (Find(hwnd)) return Queue(hwnd, msg, wParam, lParam);
    if (ActiveBackend() == Backend::X11) return x11::SendClientMessage(hwnd, msg, wParam, lParam);
    return false;
}

std::int32_t SendMessage(HWND hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    if (SharedHandler h = Find(hwnd)) return (*h)(msg, wParam, lParam);
    PostMessage(hwnd, msg, wParam, lParam);
    return 0;
}

std::uint32_t RegisterWindowMessage(const std::string& name) {
    if (name.empty()) return 0;
    if (ActiveBackend() == Backend::X11) {
        const std::uint32_t atom = x11::AtomOf(name);
        return atom ? 0xC000 + atom : 0;
    }
    static std::map<std::string, std::uint32_t> registered;
    auto [it, added] = registered.emplace(name, 0xC000 + 1 + static_cast<std::uint32_t>(registered.size()));
    return it->second;
}

MessageReceiver::MessageReceiver(HWND hwnd, MessageHandler handler) : hwnd_(hwnd) {
    Receivers()[hwnd] = std::make_shared<MessageHandler>(std::move(handler));
    if (ActiveBackend() == Backend::X11) x11::EnsureClientMessageFilter(Find);
}

MessageReceiver::~MessageReceiver() { Receivers().erase(hwnd_); }

struct MessageWindow::Impl {
    std::unique_ptr<QWindow> window;  // X11: a native window that is never shown
    HWND hwnd = 0;
    std::unique_ptr<MessageReceiver> receiver;
};

MessageWindow::MessageWindow(MessageHandler handler) : impl_(std::make_unique<Impl>()) {
    // A native window needs the GUI application; without one the window is local only.
    if (ActiveBackend() == Backend::X11 && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        impl_->window = std::make_unique<QWindow>();
        impl_->window->create();
        impl_->hwnd = static_cast<HWND>(impl_->window->winId());
    } else {
        impl_->hwnd = g_nextSimWindow++;
    }
    impl_->receiver = std::make_unique<MessageReceiver>(impl_->hwnd, std::move(handler));
}

MessageWindow::~MessageWindow() = default;

HWND MessageWindow::hwnd() const { return impl_->hwnd; }

}  // namespace win
