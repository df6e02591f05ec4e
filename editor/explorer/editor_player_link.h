#pragma once
// The editor's link to its player: the player's window named on the command line, the
// notices posted to it, and the messages it sends the editor's main window.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/model/explorer/player_link.h"
#include "platform/messages.h"

namespace tessaro {

class Explorer;

// "/RH" in any case followed by the player's window id in decimal sets `playerWnd`; the
// bare switch leaves it, digits followed by other characters store 0. Other arguments are
// ignored.
void ProcessParam(const std::string& argument, win::HWND& playerWnd);

class EditorPlayerLink {
public:
    // `explorer` handles the player's notices and the capture messages once Listen ran;
    // `messages` carries them both ways.
    EditorPlayerLink(win::Messages& messages, Explorer& explorer);
    ~EditorPlayerLink();

    HookPlayerLink& Link() { return link_; }
    win::HWND PlayerWindow() const { return link_.playerWindow; }
    // The player's window from the start-up arguments.
    void TakeArguments(const std::vector<std::string>& args);
    // Messages to `window` reach the explorer; the player's close request calls `close`.
    void Listen(win::HWND window, std::function<void()> close);

    void Post(std::uint32_t code, std::int32_t arg) { link_.Notify(code, arg); }
    void HookTheKeyboard();
    void UnHookTheKeyboard();
    // The two hook-repair commands.
    void RestoreKeyboardHooks();
    void RestoreMouseHooks();

private:
    std::int32_t WndProc(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);

    win::Messages& messages_;
    Explorer& explorer_;
    HookPlayerLink link_;
    std::function<void()> close_;
    std::unique_ptr<win::MessageReceiver> receiver_;
};

}  // namespace tessaro
