#pragma once
// A line-oriented TCP client for the mail protocols, on the main thread: every wait runs
// the event loop until the socket, the one-second time counter, a cancel or an error ends
// it, so timers and window messages keep running while mail is sent.
#include <QTcpSocket>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mail/dot_stuffing.h"
#include "mail/net/host_resolver.h"
#include "mail/reply_lines.h"
#include "mail/socket_events.h"
#include "mail/time_counter.h"

class QEventLoop;
class QIODevice;

namespace tessaro::mail {

class TagSocket {
public:
    TagSocket(SocketEvents& events, HostResolver& resolver);
    virtual ~TagSocket();
    TagSocket(const TagSocket&) = delete;
    TagSocket& operator=(const TagSocket&) = delete;

    std::string Server;       // host name or dotted address, optionally ":" and a port
    std::string LogFileName;  // transcript of every line, written when destroyed
    std::uint16_t DefaultPort = 0;
    std::string Service;

    int TimeOut() const { return counter_.TimeOut; }
    void SetTimeOut(int seconds) { counter_.TimeOut = seconds; }
    bool GetConnected() const { return socket_ != nullptr; }
    const std::string& LastReply() const { return lastReply_; }
    const std::string& LocalHostName() const { return localHost_; }

    virtual void Reset();
    // Resolves host and port and creates the socket; raises MailError.
    virtual void Open();
    virtual void Close();
    // From an event handler while a wait runs: the wait ends with "Operation has been canceled".
    virtual void Cancel();

    // One reply line and its code.
    int ReadLine(std::string& line);
    // A whole reply, which must come within TimeOut; its first line's code. The last line
    // read is kept in LastReply. A reply of more than kMaxReplyLines lines or kMaxReplyBytes
    // bytes closes the connection and raises "Server returned invalid reply".
    int ReadReply();
    void SendLine(const std::string& text);
    // The whole stream from its start; `dotStuff` doubles the dot of every line that begins
    // with one.
    void SendStream(QIODevice& stream, bool dotStuff);

protected:
    void ConnectSocket();
    SocketEvents& events() { return events_; }
    [[noreturn]] void RaiseSocketError(int code);

private:
    enum class Waiting { Nothing, Host, Connect, Read, Write };

    bool WaitOnce();
    void Wake();
    void ResolveHost(const std::string& host);
    // One line, taking at most `budget` more bytes from the server (the budget is lowered).
    std::string ReadLineWithin(std::size_t& budget);
    [[noreturn]] void RaiseInvalidReply();
    void WriteAll(std::string_view bytes, std::int64_t backlog);
    void CheckWait();  // raise cancel, time-out, then a pending error
    [[noreturn]] void RaiseTimeOut();
    [[noreturn]] void RaiseCanceled();
    void Log(const std::string& line);
    void Drain(std::size_t& budget);

    SocketEvents& events_;
    HostResolver& resolver_;
    TTimeCounter counter_;
    std::unique_ptr<QTcpSocket> socket_;
    std::unique_ptr<QTcpSocket> retired_;  // closed inside a signal of its own: freed later
    QEventLoop* loop_ = nullptr;
    ReplyLineReader reader_;
    std::vector<std::string> transcript_;
    std::string lastReply_;
    std::string localHost_;
    std::uint32_t address_ = 0;
    std::uint16_t port_ = 0;
    int lookup_ = -1;
    bool canceled_ = false;
    bool hostResolved_ = false;
    bool connected_ = false;
    bool closedByPeer_ = false;
    int error_ = 0;
};

// The socket error number of a Qt socket error.
int WinsockCode(QAbstractSocket::SocketError error);

}  // namespace tessaro::mail
