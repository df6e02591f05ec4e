#include "mail/net/smtp.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryFile>

#include "mail/mail_error.h"

namespace tessaro::mail {

void TmsMailBase::Connect() {
    if (GetConnected()) return;
    Open();
    Login();
}

void TmsMailBase::Disconnect() {
    if (!GetConnected()) return;
    Logout();
    Close();
}

TmsSMTP::TmsSMTP(SmtpEvents& events, HostResolver& resolver)
    : TmsMailBase(events, resolver), smtpEvents_(events), boundaries_(RandomBoundaries()) {
    Service = "smtp";
    DefaultPort = 25;
}

TmsSMTP::~TmsSMTP() = default;

void TmsSMTP::Open() {
    if (Server.empty()) RaiseSocketError(kServerRequired);
    Reset();
    TagSocket::Open();
}

void TmsSMTP::RaiseServerError() {
    const std::string reply = OneLine(LastReply());  // a NUL would cut the text short
    events().OnError(reply);
    throw MailError(MailErrorKind::Server, GetReplyCode(reply), reply);
}

void TmsSMTP::Expect(int code, int hundreds) {
    if (code < 0 || code / 100 != hundreds) RaiseServerError();
}

void TmsSMTP::Login() {
    ConnectSocket();
    Expect(ReadReply(), 2);
    SendLine("HELO " + OneLine(LocalHostName()));
    if (ReadReply() / 100 != 2) {
        SendLine("HELO");
        Expect(ReadReply(), 2);
    }
}

void TmsSMTP::Logout() {
    QCoreApplication::processEvents();
    SendLine("QUIT");
    Expect(ReadReply(), 2);
}

void TmsSMTP::Send() {
    if (!MailMessage) RaiseSocketError(kMessageRequired);
    const TmsMessage& m = *MailMessage;
    m.Check();
    QTemporaryFile file(QDir::tempPath() + "/msXXXXXX");
    if (!file.open()) throw MailError(MailErrorKind::File, 0, "A temporary file could not be created");
    smtpEvents_.OnPrepare();
    m.SaveToStream(file, *boundaries_);
    file.flush();
    smtpEvents_.OnSending();
    if (!m.Sender.Address.empty()) {
        SendLine("MAIL FROM:<" + OneLine(m.Sender.Address) + ">");
        Expect(ReadReply(), 2);
    }
    std::vector<std::string> envelope = RawRecipients;
    if (envelope.empty()) {
        for (const TmsAddressList* list : {&m.Recipients, &m.CC, &m.BCC}) {
            for (int i = 0; i < list->Count(); ++i) envelope.push_back(list->Items(i).Address);
        }
    }
    for (const std::string& address : envelope) {
        if (address.empty()) continue;
        SendLine("RCPT TO:<" + OneLine(address) + ">");
        if (ReadReply() / 100 == 2) continue;
        bool go = false;
        smtpEvents_.OnAddressRejected(address, go, LastReply());
        if (!go) RaiseServerError();
    }
    SendLine("DATA");
    Expect(ReadReply(), 3);
    SendStream(file, true);
    SendLine("");
    SendLine(".");
    Expect(ReadReply(), 2);
    smtpEvents_.OnMailSent();
}

}  // namespace tessaro::mail
