#pragma once
// The sending side of the e-mail command family: a macro's "<EMAIL:" token becomes a message
// sent through the configured SMTP server, with the Send E-Mail dialog for what the token
// leaves open, the status window while it goes out, and the sent-mail log afterwards. The
// player reaches it through the e-mail plugin (player/commands/email_plugin.h).
#include <memory>
#include <string>
#include <string_view>

#include "mail/net/host_resolver.h"
#include "mail/mail_prompts.h"
#include "mail/message.h"
#include "mail/net/smtp.h"
#include "player/engine/command_family.h"
#include "player/engine/playback_services.h"

namespace tessaro {

struct TConfigRecord;

inline constexpr int kMailTimeOut = 40;
inline constexpr std::uint16_t kMailDefaultPort = 25;

// Everything one send uses besides the settings: the player's windows, the clipboard, and
// whether the macro has been told to stop.
struct EMailContext {
    PlayerWindows& windows;
    ClipboardAccess& clipboard;
    const MacroPlayer* player = nullptr;  // its abort stops the send; none in tools
};

class EMailSender : private mail::SmtpEvents {
public:
    EMailSender(const TConfigRecord& config, mail::MailPrompts& prompts,
                std::unique_ptr<mail::HostResolver> resolver);
    ~EMailSender() override;

    // True lets the macro go on; false ends it (the user was told why, or aborted).
    bool SendMacroEMail(std::string_view token, const EMailContext& context);

    mail::TmsSMTP& MySMTP() { return smtp_; }
    mail::TmsMessage& EMess() { return message_; }
    void SetBoundaries(std::unique_ptr<mail::BoundarySource> b) { smtp_.SetBoundaries(std::move(b)); }

private:
    bool Deliver(const EMailContext& context);
    // Adds the message sent to the log and its index; what to tell the user when it could
    // not (empty when it could, or no log is kept).
    std::string WriteMailLog();

    void OnOpen() override {}
    void OnConnected() override {}
    void OnClosing() override;
    void OnClosed() override {}
    void OnCancel() override {}
    void OnProgress(int percent, std::int64_t bytes) override;
    void OnError(const std::string&) override {}
    void OnLineSent(const std::string&) override {}
    void OnLineReceived(const std::string&) override {}
    void OnPrepare() override;
    void OnSending() override;
    void OnMailSent() override;
    void OnAddressRejected(const std::string&, bool&, const std::string&) override {}

    const TConfigRecord& config_;
    mail::MailPrompts& prompts_;
    std::unique_ptr<mail::HostResolver> resolver_;
    mail::TmsMessage message_;
    mail::TmsSMTP smtp_;
    bool statusShown_ = false;
};

class EMailSenderFamily : public CommandFamily {
public:
    EMailSenderFamily(const TConfigRecord& config, mail::MailPrompts& prompts,
                      std::unique_ptr<mail::HostResolver> resolver = mail::SystemResolver())
        : sender_(config, prompts, std::move(resolver)) {}
    CommandOutcome Run(MacroPlayer& player, const CommandToken& token) override;
    EMailSender& sender() { return sender_; }

private:
    EMailSender sender_;
};

// The status text of a progress report: a percent of 0 (the end) shows as 100.
std::string ProgressText(int percent);

}  // namespace tessaro
