#pragma once
// Window messages between the programs of the system. A window handle is an X window id;
// a message to a window of another program travels by the desktop (an X ClientMessage),
// one to a window of this program is queued and delivered by the event loop.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QWindow;

namespace win {

using HWND = std::uint32_t;

// Returns the message's result (only SendMessage within one program sees it).
using MessageHandler =
    std::function<std::int32_t(std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam)>;

// The desktop's way of carrying messages (a role of win::Platform). Windows of this
// program are reached the same way on every desktop; the desktop adds the other programs.
class Messages {
public:
    virtual ~Messages() = default;

    // Queues the message for the window; false when the window does not exist.
    bool PostMessage(HWND hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);

    // A window of this program runs its handler at once and returns its result; a window of
    // another program gets the message posted and the result is 0.
    std::int32_t SendMessage(HWND hwnd, std::uint32_t msg, std::uint32_t wParam, std::int32_t lParam);

    // The number of a message known by name to every program of the desktop (0xC000 and up).
    virtual std::uint32_t RegisterWindowMessage(const std::string& name) = 0;

    // What the desktop adds to this program's own windows.
    // Posts to a window of another program; false when there is no such window.
    virtual bool PostToOtherProgram(HWND hwnd, std::uint32_t msg, std::uint32_t wParam,
                                    std::int32_t lParam) = 0;
    // From now on messages from other programs reach the receivers of this one.
    virtual void ListenToOtherPrograms() = 0;
    // A native window that is never shown, for a window that only receives messages;
    // nullptr where the desktop gives no such window.
    virtual std::unique_ptr<QWindow> MessageOnlyWindow() = 0;

protected:
    // The handler attached to a window of this program; nullptr when there is none.
    static std::shared_ptr<MessageHandler> ReceiverOf(HWND hwnd);
};

// Attaches a handler to a window of this program (for instance a widget's winId()).
class MessageReceiver {
public:
    MessageReceiver(Messages& messages, HWND hwnd, MessageHandler handler);
    ~MessageReceiver();
    MessageReceiver(const MessageReceiver&) = delete;
    MessageReceiver& operator=(const MessageReceiver&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_;
};

// A hidden window that only receives messages.
class MessageWindow {
public:
    MessageWindow(Messages& messages, MessageHandler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    HWND hwnd() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace win
