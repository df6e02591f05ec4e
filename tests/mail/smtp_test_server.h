#pragma once
// An SMTP server on 127.0.0.1 for the tests, on the test's own thread: it answers each
// command from a script (well-behaved by default), keeps the envelope and the message text
// (dots unstuffed), and can misbehave: silence, garbage, early close, endless replies.
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tessaro::testing {

struct Reaction {
    std::string bytes;     // sent as they stand
    bool close = false;    // close the connection after sending
    bool silent = false;   // send nothing
    bool endless = false;  // repeat `bytes` until the client goes away
};

inline Reaction Say(const std::string& line) { return {line + "\r\n"}; }
inline Reaction Silence() { return {"", false, true}; }
inline Reaction CloseNow(const std::string& bytes = "") { return {bytes, true}; }

class SmtpTestServer {
public:
    SmtpTestServer() {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
    }
    ~SmtpTestServer() {
        if (client_) client_->disconnect();
    }

    std::uint16_t port() const { return server_.serverPort(); }
    std::string address() const { return "127.0.0.1:" + std::to_string(port()); }

    // A reaction for a step: "GREETING", a verb ("HELO", "MAIL", "RCPT", "DATA", "QUIT"),
    // "." for the end of the message, or a verb with its count ("RCPT#2", "HELO#2").
    void On(const std::string& step, Reaction r) { script_[step] = std::move(r); }
    // Closes the connection once this many bytes of message text have come.
    void CloseAfterDataBytes(std::size_t n) { closeAfterData_ = n; }
    // Refuses a message larger than this with 552.
    void LimitSize(std::size_t n) { sizeLimit_ = n; }

    const std::vector<std::string>& commands() const { return commands_; }
    const std::vector<std::string>& messages() const { return messages_; }
    bool clientClosed() const { return clientGone_; }
    bool HasCommand(const std::string& prefix) const {
        for (const auto& c : commands_)
            if (c.rfind(prefix, 0) == 0) return true;
        return false;
    }

private:
    void Accept() {
        QTcpSocket* s = server_.nextPendingConnection();
        // One client at a time: a new one replaces the last.
        if (client_) {
            client_->disconnect();
            client_.release()->deleteLater();
        }
        client_.reset(s);
        counts_.clear();
        buffer_.clear();
        inData_ = false;
        clientGone_ = false;
        QObject::connect(s, &QTcpSocket::readyRead, [this] { Read(); });
        QObject::connect(s, &QTcpSocket::disconnected, [this] { clientGone_ = true; });
        React("GREETING", "220 test.local ready");
    }

    void React(const std::string& verb, const std::string& normal) {
        const int n = ++counts_[verb];
        auto it = script_.find(verb + "#" + std::to_string(n));
        if (it == script_.end()) it = script_.find(verb);
        const Reaction r = it != script_.end() ? it->second : Say(normal);
        if (r.silent || !client_) return;
        if (r.endless) {
            auto* timer = new QTimer(client_.get());
            QObject::connect(timer, &QTimer::timeout, [this, bytes = r.bytes] {
                if (client_ && client_->state() == QAbstractSocket::ConnectedState &&
                    client_->bytesToWrite() < 65536)
                    client_->write(bytes.data(), static_cast<qint64>(bytes.size()));
            });
            timer->start(1);
            return;
        }
        client_->write(r.bytes.data(), static_cast<qint64>(r.bytes.size()));
        if (r.close) {
            client_->flush();
            client_->disconnectFromHost();
        }
    }

    void Read() {
        if (!client_) return;
        buffer_ += client_->readAll().toStdString();
        for (;;) {
            if (inData_) {
                if (closeAfterData_ && buffer_.size() >= closeAfterData_) {
                    client_->abort();
                    return;
                }
                const std::size_t end = FindEndOfData();
                if (end == std::string::npos) return;
                std::string text = buffer_.substr(0, end);
                buffer_.erase(0, end + 3);
                inData_ = false;
                messages_.push_back(Unstuff(text));
                if (sizeLimit_ && messages_.back().size() > sizeLimit_) {
                    messages_.pop_back();
                    React(".", "552 message too large");
                } else {
                    React(".", "250 queued");
                }
                continue;
            }
            const std::size_t lf = buffer_.find("\r\n");
            if (lf == std::string::npos) return;
            const std::string line = buffer_.substr(0, lf);
            buffer_.erase(0, lf + 2);
            commands_.push_back(line);
            const std::string verb = line.substr(0, line.find_first_of(" :"));
            if (verb == "HELO")
                React("HELO", "250 test.local");
            else if (verb == "MAIL")
                React("MAIL", "250 ok");
            else if (verb == "RCPT")
                React("RCPT", "250 ok");
            else if (verb == "QUIT")
                React("QUIT", "221 bye");
            else if (verb == "DATA") {
                const auto it = script_.find("DATA");
                inData_ = it == script_.end() || it->second.bytes.rfind("354", 0) == 0;
                React("DATA", "354 go ahead");
            } else
                React(verb, "500 what");
        }
    }

    // Length of the message text (through the line end before the lone "."), or npos.
    std::size_t FindEndOfData() const {
        const std::size_t p = buffer_.find("\r\n.\r\n");
        return p == std::string::npos ? p : p + 2;
    }

    static std::string Unstuff(const std::string& text) {
        std::string out;
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t lf = text.find("\r\n", start);
            const std::size_t end = lf == std::string::npos ? text.size() : lf + 2;
            std::string line = text.substr(start, end - start);
            if (!line.empty() && line[0] == '.') line.erase(0, 1);
            out += line;
            start = end;
        }
        return out;
    }

    QTcpServer server_;
    std::unique_ptr<QTcpSocket> client_;
    std::map<std::string, Reaction> script_;
    std::map<std::string, int> counts_;
    std::vector<std::string> commands_;
    std::vector<std::string> messages_;
    std::string buffer_;
    bool inData_ = false;
    bool clientGone_ = false;
    std::size_t closeAfterData_ = 0;
    std::size_t sizeLimit_ = 0;
};

}  // namespace tessaro::testing
