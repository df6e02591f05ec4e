#pragma once
// What the owner of a mail socket hears while it works. Every handler is a plain
// notification on the main thread; a handler may call Cancel on the socket.
#include <cstdint>
#include <string>

namespace tessaro::mail {

class SocketEvents {
public:
    virtual ~SocketEvents() = default;
    virtual void OnOpen() = 0;
    virtual void OnConnected() = 0;
    virtual void OnClosing() = 0;
    virtual void OnClosed() = 0;
    virtual void OnCancel() = 0;
    virtual void OnProgress(int percent, std::int64_t bytes) = 0;
    virtual void OnError(const std::string& text) = 0;
    virtual void OnLineSent(const std::string& line) = 0;
    virtual void OnLineReceived(const std::string& line) = 0;
};

}  // namespace tessaro::mail
