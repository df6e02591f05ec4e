#pragma once
// What sending a macro's e-mail asks of the screen: the Send E-Mail dialog for what the
// command leaves open, and the sending status window. Implemented by mail/ui.
#include <array>
#include <optional>
#include <string>

namespace tessaro::mail {

enum class EMailPromptMode { Recipients = 1, SubjectAndText = 2, Attachments = 3 };

class MailPrompts {
public:
    virtual ~MailPrompts() = default;
    // The dialog's three result texts; nothing when the user aborts the macro.
    virtual std::optional<std::array<std::string, 3>> GetTheEMail(EMailPromptMode mode) = 0;
    virtual void ShowStatus(const std::string& text) = 0;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void CloseStatus() = 0;
};

}  // namespace tessaro::mail
