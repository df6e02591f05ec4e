#pragma once
// The SMTP client: connect = open + greeting + HELO; Send encodes the message into a
// temporary file and delivers it in one dialogue; disconnect = QUIT + close.
#include <memory>
#include <string>
#include <vector>

#include "mail/message.h"
#include "mail/net/socket.h"

namespace tessaro::mail {

class SmtpEvents : public SocketEvents {
public:
    virtual void OnPrepare() = 0;
    virtual void OnSending() = 0;
    virtual void OnMailSent() = 0;
    // A refused recipient; setting `go` on sends the next one instead of failing.
    virtual void OnAddressRejected(const std::string& address, bool& go, const std::string& reply) = 0;
};

class TmsMailBase : public TagSocket {
public:
    using TagSocket::TagSocket;
    void Connect();
    void Disconnect();

protected:
    virtual void Login() = 0;
    virtual void Logout() = 0;
};

class TmsSMTP : public TmsMailBase {
public:
    TmsSMTP(SmtpEvents& events, HostResolver& resolver);
    ~TmsSMTP() override;

    TmsMessage* MailMessage = nullptr;       // not owned
    std::vector<std::string> RawRecipients;  // replaces the envelope recipients when set

    void Open() override;
    void Send();
    void SetBoundaries(std::unique_ptr<BoundarySource> b) { boundaries_ = std::move(b); }

protected:
    void Login() override;
    void Logout() override;

private:
    [[noreturn]] void RaiseServerError();
    void Expect(int code, int hundreds);

    SmtpEvents& smtpEvents_;
    std::unique_ptr<BoundarySource> boundaries_;
};

}  // namespace tessaro::mail
