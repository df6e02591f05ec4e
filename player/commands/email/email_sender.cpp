#include "player/commands/email/email_sender.h"

#include <QTimer>

#include "foundation/config_record.h"
#include "macro/text_file.h"
#include "mail/encodings.h"
#include "mail/mail_error.h"
#include "platform/datetime.h"
#include "player/commands/email/email_token.h"
#include "player/commands/email/mail_log_writer.h"
#include "player/engine/macro_player.h"
#include "protocol/mail_log.h"

namespace tessaro {
namespace {

using mail::MailError;
using mail::MailErrorKind;

constexpr const char* kAbortTail = "  This E-Mail attempt will abort.";
constexpr const char* kConnectFailed =
    "A connection could not be made to the SMTP Server. You are either not connected to the "
    "Internet or an invalid SMTP Server has been specified. To change the SMTP Server, please "
    "select \"Options | E-Mail Options\" from the main menu of Tessaro. This E-Mail attempt will "
    "abort.";
constexpr const char* kNoRecipients =
    "No recipients specified or no return address specified.  This E-Mail attempt will abort.";
constexpr const char* kNoClipboardText =
    "There is no text in the clipboard to send. This E-Mail attempt will abort.";
constexpr const char* kNoBodyFile =
    "The text file to use as the E-Mail message body could not be found. This E-Mail attempt "
    "will abort.";
constexpr int kAbortPollMs = 100;

void AddAll(mail::TmsAddressList& list, const std::vector<EmailRecipient>& recipients) {
    for (const EmailRecipient& r : recipients) {
        if (!r.address.empty()) list.Add(r.address, r.name);
    }
}

std::vector<std::pair<std::string, std::string>> Pairs(const mail::TmsAddressList& list) {
    std::vector<std::pair<std::string, std::string>> out;
    for (int i = 0; i < list.Count(); ++i) out.emplace_back(list.Items(i).Name, list.Items(i).Address);
    return out;
}

bool HasHighBytes(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) {
        for (unsigned char c : l) {
            if (c >= 128) return true;
        }
    }
    return false;
}

// Adds the files; the text of the first that cannot be read.
std::optional<std::string> AddAttachments(mail::TmsAttList& list, const std::vector<std::string>& paths) {
    try {
        for (const std::string& p : paths) {
            if (!p.empty()) list.Add(p);
        }
    } catch (const MailError& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

}  // namespace

std::string ProgressText(int percent) {
    return std::to_string(percent == 0 ? 100 : percent) + "% Transferred";
}

EMailSender::EMailSender(const TConfigRecord& config, mail::MailPrompts& prompts,
                         std::unique_ptr<mail::HostResolver> resolver)
    : config_(config), prompts_(prompts), resolver_(std::move(resolver)), smtp_(*this, *resolver_) {
    smtp_.DefaultPort = kMailDefaultPort;
    smtp_.SetTimeOut(kMailTimeOut);
    smtp_.MailMessage = &message_;
}

EMailSender::~EMailSender() = default;

bool EMailSender::SendMacroEMail(std::string_view token, const EMailContext& context) {
    message_.Clear();
    message_.ReturnReceipt = false;
    message_.Sender = {config_.EMailName.str(), config_.EMailAddress.str()};
    message_.Headers.Lines.push_back("X-Mailer: Tessaro");
    message_.Encoding =
        config_.AttachmentEncoding == 0 ? mail::TMsgEncoding::meMIME : mail::TMsgEncoding::meUU;

    const EmailCommand command = ReadEmailToken(token);
    message_.ReturnReceipt = command.receipt;
    if (command.askRecipients) {
        const auto lists = prompts_.GetTheEMail(mail::EMailPromptMode::Recipients);
        if (!lists) return false;
        AddAll(message_.Recipients, Recipients((*lists)[0]));
        AddAll(message_.CC, Recipients((*lists)[1]));
        AddAll(message_.BCC, Recipients((*lists)[2]));
    } else {
        AddAll(message_.Recipients, command.to);
        AddAll(message_.CC, command.cc);
        AddAll(message_.BCC, command.bcc);
    }

    std::string body;
    std::string subject = command.subject;
    if (command.textTag == "S2") {
        const auto texts = prompts_.GetTheEMail(mail::EMailPromptMode::SubjectAndText);
        if (!texts) return false;
        body = (*texts)[0];
        subject = (*texts)[1];
        if ((*texts)[2] == "YES") message_.ReturnReceipt = true;
    } else if (command.textTag == "S1") {
        body = command.body;
    } else if (command.textTag == "S3") {
        body = context.clipboard.Text();
        if (body.empty()) {
            context.windows.DoAMessage("Error", kNoClipboardText);
            return false;
        }
    } else if (command.textTag == "S4") {
        const auto text = ReadTextFile(command.bodyPath);
        if (!text) {
            context.windows.DoAMessage("Error", kNoBodyFile);
            return false;
        }
        body = text->substr(0, text->find('\0'));
    }
    if (command.textTag != "S2" && subject.empty()) subject = "No Subject";
    message_.Subject = subject;
    // Every line of the text is a line of the message, whatever ends it.
    message_.Body = mail::SplitTextLines(body);
    if (message_.Encoding == mail::TMsgEncoding::meMIME && HasHighBytes(message_.Body))
        message_.CharSet = mail::TCharSet::csISO8859;

    std::vector<std::string> paths;
    if (command.attachTag == "A2") {
        paths = command.paths;
    } else if (command.attachTag == "A3") {
        const auto files = prompts_.GetTheEMail(mail::EMailPromptMode::Attachments);
        if (!files) return false;
        std::string_view list = (*files)[0];
        paths = ReadItems(list);
    }
    if (auto failure = AddAttachments(message_.Attachments, paths)) {
        context.windows.DoAMessage("Error", *failure + kAbortTail);
        return false;
    }

    smtp_.Server = config_.SMTPHost.str();
    smtp_.DefaultPort = static_cast<std::uint16_t>(config_.SMTPPort & 0xFFFF);
    prompts_.ShowStatus("Connecting");
    statusShown_ = true;
    const bool goOn = Deliver(context);
    prompts_.SetStatus("Disconnecting");
    prompts_.CloseStatus();
    statusShown_ = false;
    return goOn;
}

bool EMailSender::Deliver(const EMailContext& context) {
    // An abort of the macro (or the player closing) cancels whatever wait is running.
    QTimer abortWatch;
    abortWatch.setInterval(kAbortPollMs);
    QObject::connect(&abortWatch, &QTimer::timeout, [this, &context] {
        if (context.player && context.player->Aborted()) smtp_.Cancel();
    });
    abortWatch.start();
    try {
        smtp_.Connect();
    } catch (const MailError& e) {
        smtp_.Close();
        if (e.kind() == MailErrorKind::Canceled) return false;
        if (e.kind() == MailErrorKind::Socket || e.kind() == MailErrorKind::TimedOut) {
            context.windows.MyMessage("Error", kConnectFailed);
            return true;
        }
        context.windows.DoAMessage("Error", e.what() + std::string(kAbortTail));
        return false;
    }
    try {
        smtp_.Send();
    } catch (const MailError& e) {
        // Only the message check means "no recipients"; any other failure says its own cause.
        if (e.kind() == MailErrorKind::Message &&
            (e.code() == mail::kSenderRequired || e.code() == mail::kRecipientRequired)) {
            context.windows.DoAMessage("Error", kNoRecipients);
            try {
                smtp_.Disconnect();
            } catch (const MailError&) {
                smtp_.Close();
            }
            return true;
        }
        smtp_.Close();
        if (e.kind() == MailErrorKind::Canceled) return false;
        context.windows.DoAMessage("Error", e.what() + std::string(kAbortTail));
        return false;
    }
    const std::string notLogged = WriteMailLog();
    try {
        smtp_.Disconnect();
    } catch (const MailError&) {
        smtp_.Close();  // the message went out; a failed good-bye is nobody's concern
    }
    if (!notLogged.empty()) context.windows.DoAMessage("Error", notLogged);
    return true;
}

std::string EMailSender::WriteMailLog() {
    if (!config_.KeepLog) return {};
    SentMail mail;
    mail.from = {message_.Sender.Name, message_.Sender.Address};
    mail.to = Pairs(message_.Recipients);
    mail.cc = Pairs(message_.CC);
    mail.bcc = Pairs(message_.BCC);
    for (int i = 0; i < message_.Attachments.Count(); ++i)
        mail.attachments.push_back(message_.Attachments.Items(i).FileName);
    mail.subject = message_.Subject;
    mail.body = message_.Body;

    return AppendToMailLog(config_.EMailLogPath.str(), mail, win::Now());
}

void EMailSender::OnPrepare() { prompts_.SetStatus("Encoding Message"); }
void EMailSender::OnSending() { prompts_.SetStatus("Sending Message"); }
void EMailSender::OnProgress(int percent, std::int64_t) { prompts_.SetStatus(ProgressText(percent)); }
void EMailSender::OnMailSent() { prompts_.SetStatus("Message Sent"); }
void EMailSender::OnClosing() {
    if (statusShown_) prompts_.SetStatus("Disconnecting");
}

CommandOutcome EMailSenderFamily::Run(MacroPlayer& player, const CommandToken& token) {
    const EMailContext context{player.services().windows, player.services().clipboard, &player};
    return sender_.SendMacroEMail(token.text, context) ? CommandOutcome::Done : CommandOutcome::EndMacro;
}

}  // namespace tessaro
