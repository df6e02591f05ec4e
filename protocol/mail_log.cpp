#include "protocol/mail_log.h"

#include <algorithm>
#include <cctype>

namespace tessaro {
namespace {

std::string Mailbox(const std::pair<std::string, std::string>& p) { return p.first + " <" + p.second + ">"; }

void List(std::string& out, const char* label, const std::vector<std::pair<std::string, std::string>>& list,
          std::size_t indent) {
    out += label;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0) out += std::string(indent, ' ');
        out += Mailbox(list[i]) + "\r\n";
    }
    if (list.empty()) out += "\r\n";
}

}  // namespace

std::string MailLogText(const SentMail& mail) {
    std::string out = "From: " + Mailbox(mail.from) + "\r\n";
    List(out, "To: ", mail.to, 4);
    List(out, "cc: ", mail.cc, 4);
    List(out, "blind cc: ", mail.bcc, 10);
    out += "Attachments: ";
    for (std::size_t i = 0; i < mail.attachments.size(); ++i)
        out += (i > 0 ? std::string(13, ' ') : std::string()) + mail.attachments[i] + "\r\n";
    if (mail.attachments.empty()) out += "\r\n";
    out += "Subject: " + mail.subject + "\r\n";
    out += "Body: ";
    for (std::size_t i = 0; i < mail.body.size(); ++i) out += mail.body[i] + "\r\n";
    return out;
}

TMailLogEntry MakeMailLogEntry(const SentMail& mail, double sentAt, std::int32_t start, std::int32_t length) {
    TMailLogEntry e{};
    if (!mail.to.empty()) {
        e.ToName = mail.to.front().first;
        e.ToAddress = mail.to.front().second;
    }
    e.SentAt = sentAt;
    e.Subject = mail.subject;
    e.LogStart = start;
    e.LogLength = length;
    e.HasAttachments = mail.attachments.empty() ? 0 : 1;
    e.HasCC = mail.cc.empty() ? 0 : 1;
    e.HasBCC = mail.bcc.empty() ? 0 : 1;
    return e;
}

std::string MailIndexName(const std::string& logPath) {
    const std::size_t n = logPath.size();
    if (n >= 4 && logPath[n - 4] == '.') {
        std::string ext = logPath.substr(n - 3);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        // A log that is itself named *.MCI would be overwritten by its own index.
        if (ext != "MCI") return logPath.substr(0, n - 3) + "MCI";
    }
    return logPath + ".MCI";
}

}  // namespace tessaro
