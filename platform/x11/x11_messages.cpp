#include "platform/x11/x11_messages.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#include "platform/x11/client_message.h"

namespace win::x11 {

std::uint32_t X11Messages::RegisterWindowMessage(const std::string& name) {
    if (name.empty()) return 0;
    const std::uint32_t atom = AtomOf(name);
    return atom ? 0xC000 + atom : 0;
}

bool X11Messages::PostToOtherProgram(HWND hwnd, std::uint32_t msg, std::uint32_t wParam,
                                     std::int32_t lParam) {
    return SendClientMessage(hwnd, msg, wParam, lParam);
}

void X11Messages::ListenToOtherPrograms() { EnsureClientMessageFilter(&Messages::ReceiverOf); }

std::unique_ptr<QWindow> X11Messages::MessageOnlyWindow() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
    auto window = std::make_unique<QWindow>();
    window->create();
    return window;
}

}  // namespace win::x11
