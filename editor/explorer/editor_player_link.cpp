#include "editor/explorer/editor_player_link.h"

#include <cctype>

#include "editor/model/explorer/explorer.h"
#include "protocol/window_messages.h"

namespace tessaro {

void ProcessParam(const std::string& argument, win::HWND& playerWnd) {
    std::string up = argument;
    for (char& c : up) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (up.rfind("/RH", 0) != 0) return;
    const std::string rest = up.substr(3);
    if (rest.empty()) return;
    // A failed conversion stores what it read so far, which for text after the switch is 0.
    std::uint64_t value = 0;
    for (char c : rest) {
        if (c < '0' || c > '9') return void(playerWnd = 0);
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 0xFFFFFFFFu) return void(playerWnd = 0);
    }
    playerWnd = static_cast<win::HWND>(value);
}

EditorPlayerLink::EditorPlayerLink(win::Messages& messages, Explorer& explorer)
    : messages_(messages), explorer_(explorer), link_(messages) {}

EditorPlayerLink::~EditorPlayerLink() = default;

void EditorPlayerLink::TakeArguments(const std::vector<std::string>& args) {
    for (const std::string& a : args) ProcessParam(a, link_.playerWindow);
}

void EditorPlayerLink::Listen(win::HWND window, std::function<void()> close) {
    close_ = std::move(close);
    receiver_ = std::make_unique<win::MessageReceiver>(
        messages_, window,
        [this](std::uint32_t msg, std::uint32_t w, std::int32_t l) { return WndProc(msg, w, l); });
}

std::int32_t EditorPlayerLink::WndProc(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam) {
    if (msg == WM_CLOSE) {
        // The player asks as the user would: the window saves and closes.
        close_();
        return 0;
    }
    if (msg == WM_PEER_UPDATE) {
        explorer_.OnPlayerMessage(wParam, lParam);
        return 0;
    }
    if (msg == WM_CAPTURE_CHAR) {
        explorer_.OnCaptureChar(wParam, lParam);
        return 0;
    }
    if (msg == WM_CAPTURE_DONE) {
        explorer_.OnCaptureDone(wParam);
        return 0;
    }
    return 0;
}

void EditorPlayerLink::HookTheKeyboard() { Post(puHooks, 1); }
void EditorPlayerLink::UnHookTheKeyboard() { Post(puHooks, 2); }
void EditorPlayerLink::RestoreKeyboardHooks() { MenuKeyHooks(link_); }
void EditorPlayerLink::RestoreMouseHooks() { MenuMouseHooks(link_); }

}  // namespace tessaro
