#include "platform/messages.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QWindow>

#include <atomic>
#include <map>

namespace win {

namespace {

using SharedHandler = std::shared_ptr<MessageHandler>;

// The receivers of this process, whichever desktop carries its messages.
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

// Handles of windows that only this program knows (no native window, or no GUI); far
// above the X ids the server gives out.
std::atomic<HWND> g_nextLocalWindow{0x7e000001};

}  // namespace

std::shared_ptr<MessageHandler> Messages::ReceiverOf(HWND hwnd) { return Find(hwnd); }

bool Messages::PostMessage(HWND hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    if (hwnd == 0) return false;
    if (Find(hwnd)) return Queue(hwnd, msg, wParam, lParam);
    return PostToOtherProgram(hwnd, msg, wParam, lParam);
}

std::int32_t Messages::SendMessage(HWND hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    if (SharedHandler h = Find(hwnd)) return (*h)(msg, wParam, lParam);
    PostMessage(hwnd, msg, wParam, lParam);
    return 0;
}

MessageReceiver::MessageReceiver(Messages& messages, HWND hwnd, MessageHandler handler) : hwnd_(hwnd) {
    Receivers()[hwnd] = std::make_shared<MessageHandler>(std::move(handler));
    messages.ListenToOtherPrograms();
}

MessageReceiver::~MessageReceiver() { Receivers().erase(hwnd_); }

struct MessageWindow::Impl {
    std::unique_ptr<QWindow> window;  // a native window that is never shown, where there is one
    HWND hwnd = 0;
    std::unique_ptr<MessageReceiver> receiver;
};

MessageWindow::MessageWindow(Messages& messages, MessageHandler handler) : impl_(std::make_unique<Impl>()) {
    impl_->window = messages.MessageOnlyWindow();
    impl_->hwnd = impl_->window ? static_cast<HWND>(impl_->window->winId()) : g_nextLocalWindow++;
    impl_->receiver = std::make_unique<MessageReceiver>(messages, impl_->hwnd, std::move(handler));
}

MessageWindow::~MessageWindow() = default;

HWND MessageWindow::hwnd() const { return impl_->hwnd; }

}  // namespace win
