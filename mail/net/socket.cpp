#include "mail/net/socket.h"

#include <fcntl.h>

#include <QEventLoop>
#include <QHostAddress>
#include <QHostInfo>
#include <QIODevice>
#include <algorithm>
#include <cmath>

#include "mail/mail_error.h"
#include "mail/server_address.h"
#include "platform/file_io.h"

namespace tessaro::mail {
namespace {

constexpr qint64 kStreamBlock = 2047;
// Replies are taken from the socket a block at a time, and the socket holds at most this
// much unread: a flooding server is held back by the connection itself.
constexpr qint64 kReadBlock = 4096;
constexpr qint64 kSocketReadBuffer = 64 * 1024;
// Bytes handed to the socket before a stream waits for them to go out.
constexpr qint64 kStreamBacklog = 256 * 1024;

}  // namespace

int WinsockCode(QAbstractSocket::SocketError error) {
    using E = QAbstractSocket::SocketError;
    switch (error) {
        case E::ConnectionRefusedError: return 10061;
        case E::RemoteHostClosedError: return 10054;
        case E::HostNotFoundError: return 11001;
        case E::SocketAccessError: return 10013;
        case E::SocketResourceError: return 10055;
        case E::SocketTimeoutError: return 10060;
        case E::DatagramTooLargeError: return 10040;
        case E::NetworkError: return 10051;
        case E::AddressInUseError: return 10048;
        case E::SocketAddressNotAvailableError: return 10049;
        case E::UnsupportedSocketOperationError: return 10045;
        case E::OperationError: return 10022;
        default: return 10053;
    }
}

TagSocket::TagSocket(SocketEvents& events, HostResolver& resolver)
    : events_(events), resolver_(resolver), counter_([this] { Wake(); }) {}

TagSocket::~TagSocket() {
    if (lookup_ >= 0) resolver_.Abort(lookup_);
    if (socket_) {
        socket_->disconnect();
        socket_->abort();
    }
    if (!LogFileName.empty()) {
        std::string text;
        for (const std::string& line : transcript_) text += line + "\r\n";
        std::string why;  // a transcript that cannot be kept is passed over, as before
        win::ReplaceRegularFile(LogFileName, text, why);
    }
}

void TagSocket::Reset() {
    canceled_ = false;
    counter_.Reset();
    if (lookup_ >= 0) resolver_.Abort(lookup_);
    lookup_ = -1;
    error_ = 0;
    hostResolved_ = connected_ = closedByPeer_ = false;
}

void TagSocket::Wake() {
    if (loop_) loop_->quit();
}

bool TagSocket::WaitOnce() {
    if (canceled_ || counter_.TimedOut() || error_ != 0) return false;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    return true;
}

void TagSocket::CheckWait() {
    if (canceled_) RaiseCanceled();
    if (counter_.TimedOut()) RaiseTimeOut();
    if (error_ != 0) RaiseSocketError(error_);
}

void TagSocket::RaiseTimeOut() {
    counter_.Stop();
    const std::string text = MailErrorText(kTimedOut);
    events_.OnError(text);
    if (lookup_ >= 0) resolver_.Abort(lookup_);
    lookup_ = -1;
    Close();
    throw MailError(MailErrorKind::TimedOut, kTimedOut, text);
}

void TagSocket::RaiseCanceled() {
    counter_.Stop();
    const std::string text = MailErrorText(kCanceled);
    events_.OnError(text);
    throw MailError(MailErrorKind::Canceled, kCanceled, text);
}

void TagSocket::RaiseInvalidReply() {
    counter_.Stop();
    const std::string text = MailErrorText(kInvalidReply);
    events_.OnError(text);
    Close();  // what the server still sends is never read
    throw MailError(MailErrorKind::Protocol, kInvalidReply, text);
}

void TagSocket::RaiseSocketError(int code) {
    counter_.Stop();
    const std::string text = MailErrorText(code);
    events_.OnError(text);
    if (code == kConnectionReset) Close();
    throw MailError(MailErrorKind::Socket, code, text);
}

void TagSocket::Open() {
    events_.OnOpen();
    if (Server.empty()) RaiseSocketError(kServerRequired);
    const ServerText server = SplitServer(Server);
    localHost_ = QHostInfo::localHostName().toStdString();
    if (localHost_.empty()) localHost_ = server.host;
    ResolveHost(server.host);
    std::optional<std::uint16_t> service;
    if (server.port == 0) {
        if (Service.empty()) RaiseSocketError(kServiceRequired);
        if (canceled_) RaiseCanceled();
        if (DefaultPort == 0) service = LookUpService(Service);
    }
    port_ = ChoosePort(server.port, DefaultPort, service);
    retired_.reset();
    socket_ = std::make_unique<QTcpSocket>();
    QTcpSocket* s = socket_.get();
    s->setReadBufferSize(kSocketReadBuffer);
    QObject::connect(s, &QTcpSocket::readyRead, [this] { Wake(); });
    QObject::connect(s, &QTcpSocket::bytesWritten, [this] { Wake(); });
    QObject::connect(s, &QTcpSocket::connected, [this] {
        connected_ = true;
        Wake();
    });
    QObject::connect(s, &QTcpSocket::disconnected, [this] {
        closedByPeer_ = true;
        Wake();
    });
    QObject::connect(s, &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError e) {
        if (e == QAbstractSocket::RemoteHostClosedError)
            closedByPeer_ = true;
        else if (error_ == 0)
            error_ = WinsockCode(e);
        Wake();
    });
}

void TagSocket::ResolveHost(const std::string& host) {
    if (auto literal = ParseIPv4(host)) {
        address_ = *literal;
        return;
    }
    if (host.empty()) RaiseSocketError(kHostNotFound);
    HostAnswer answer;
    hostResolved_ = false;
    counter_.Start();
    lookup_ = resolver_.Start(host, [this, &answer](const HostAnswer& a) {
        answer = a;
        hostResolved_ = true;
        lookup_ = -1;
        Wake();
    });
    while (!hostResolved_ && WaitOnce()) {
    }
    counter_.Stop();
    if (!hostResolved_ && lookup_ >= 0) {
        resolver_.Abort(lookup_);
        lookup_ = -1;
    }
    if (hostResolved_ && answer.error != 0) RaiseSocketError(answer.error);
    if (counter_.TimedOut()) RaiseTimeOut();
    if (canceled_) RaiseCanceled();
    if (answer.ipv4.empty()) RaiseSocketError(kResolveFailed);
    address_ = answer.ipv4.front();
}

void TagSocket::ConnectSocket() {
    if (canceled_) RaiseCanceled();
    if (!socket_) RaiseSocketError(kNotConnected);
    counter_.Start();
    socket_->connectToHost(QHostAddress(address_), port_);
    while (!connected_ && WaitOnce()) {
    }
    counter_.Stop();
    if (!connected_) {
        CheckWait();
        RaiseSocketError(closedByPeer_ ? kConnectionReset : kConnectionRefused);
    }
    events_.OnConnected();
}

void TagSocket::Close() {
    if (socket_) {
        events_.OnClosing();
        socket_->disconnect();
        socket_->abort();
        retired_ = std::move(socket_);
        reader_ = ReplyLineReader();
        events_.OnClosed();
    }
    Wake();
}

void TagSocket::Cancel() {
    canceled_ = true;
    events_.OnCancel();
    if (lookup_ >= 0) resolver_.Abort(lookup_);
    lookup_ = -1;
    Close();
}

void TagSocket::Log(const std::string& line) {
    if (!LogFileName.empty()) transcript_.push_back(line);
}

// Reads only while no whole line waits, so the reader never holds more than a block.
void TagSocket::Drain(std::size_t& budget) {
    char block[kReadBlock];
    while (socket_ && !reader_.HasLine() && budget > 0) {
        const qint64 got = socket_->read(block, std::min<qint64>(kReadBlock, static_cast<qint64>(budget)));
        if (got <= 0) return;
        budget -= static_cast<std::size_t>(got);
        reader_.Feed(std::string_view(block, static_cast<std::size_t>(got)));
    }
}

std::string TagSocket::ReadLineWithin(std::size_t& budget) {
    if (!socket_) RaiseSocketError(kNotConnected);
    for (;;) {
        Drain(budget);
        if (auto line = reader_.TakeLine()) {
            Log(*line);
            events_.OnLineReceived(*line);
            return *line;
        }
        if (budget == 0) RaiseInvalidReply();
        if (canceled_) RaiseCanceled();
        if (counter_.TimedOut()) RaiseTimeOut();
        if (error_ != 0) RaiseSocketError(error_);
        if (closedByPeer_ || !socket_ || socket_->state() != QAbstractSocket::ConnectedState)
            RaiseSocketError(kConnectionReset);
        WaitOnce();
    }
}

int TagSocket::ReadLine(std::string& line) {
    if (!socket_) RaiseSocketError(kNotConnected);
    counter_.Start();
    std::size_t budget = kMaxReplyBytes;
    line = ReadLineWithin(budget);
    counter_.Stop();
    return GetReplyCode(line);
}

int TagSocket::ReadReply() {
    if (!socket_) RaiseSocketError(kNotConnected);
    counter_.Start();
    std::size_t budget = kMaxReplyBytes;
    lastReply_ = ReadLineWithin(budget);
    const int code = GetReplyCode(lastReply_);
    if (OpensMultiLineReply(lastReply_)) {
        int lines = 1;
        do {
            if (++lines > kMaxReplyLines) RaiseInvalidReply();
            lastReply_ = ReadLineWithin(budget);
        } while (!EndsMultiLineReply(lastReply_, code));
    }
    counter_.Stop();
    return code;
}

void TagSocket::WriteAll(std::string_view bytes, std::int64_t backlog) {
    if (canceled_) RaiseCanceled();
    if (!socket_) RaiseSocketError(kNotConnected);
    if (closedByPeer_ || socket_->state() != QAbstractSocket::ConnectedState)
        RaiseSocketError(error_ != 0 ? error_ : kConnectionReset);
    if (socket_->write(bytes.data(), static_cast<qint64>(bytes.size())) < 0)
        RaiseSocketError(error_ != 0 ? error_ : kConnectionReset);
    while (socket_ && socket_->bytesToWrite() > backlog) {
        const qint64 before = socket_->bytesToWrite();
        if (!WaitOnce()) break;
        if (socket_ && socket_->bytesToWrite() < before) counter_.Start();  // progress
        if (closedByPeer_) break;
    }
    CheckWait();
    if (!socket_ || closedByPeer_) RaiseSocketError(kConnectionReset);
}

void TagSocket::SendLine(const std::string& text) {
    if (!socket_) RaiseSocketError(kNotConnected);
    counter_.Start();
    WriteAll(text + "\r\n", 0);
    counter_.Stop();
    Log(text);
    events_.OnLineSent(text);
}

void TagSocket::SendStream(QIODevice& stream, bool dotStuff) {
    if (!socket_) RaiseSocketError(kNotConnected);
    const qint64 size = stream.size();
    stream.seek(0);
    DotStuffer stuffer;
    char block[kStreamBlock];
    counter_.Start();
    for (;;) {
        const qint64 got = stream.read(block, kStreamBlock);
        if (got < 0) break;
        const std::string_view data(block, static_cast<std::size_t>(got));
        if (dotStuff)
            WriteAll(stuffer.Stuff(data), kStreamBacklog);
        else
            WriteAll(data, kStreamBacklog);
        const qint64 pos = stream.pos();
        const int percent = size > 0 ? static_cast<int>(std::lround(pos * 100.0 / size)) : 0;
        events_.OnProgress(percent, pos);
        if (got < kStreamBlock) break;
    }
    WriteAll({}, 0);
    counter_.Stop();
    Log("Suppressing the message body");
    events_.OnProgress(0, 0);
}

}  // namespace tessaro::mail
