#pragma once
// The e-mail command token and the Send E-Mail command dialog's state, both ways: the
// dialog's choices to "<EMAIL:...>" and a stored token back to the choices. Recipients
// picked from the recipient list are kept by their line's position.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

struct EmailGroup {
    std::string name;  // typed recipient
    std::string address;
    std::vector<bool> selected;  // by position in the recipient list
    // Entries of a stored token that are neither in the list nor the typed one; written
    // back as they were.
    std::vector<std::string> others;
    bool operator==(const EmailGroup&) const = default;
};

struct EmailForm {
    bool receipt = false;
    std::int32_t recipientMode = 1;  // 1 fixed ("R1"), 2 asked at play time
    std::array<EmailGroup, 3> groups;
    std::int32_t textMode = 1;    // 1 fixed, 2 asked, 3 clipboard, 4 file
    std::string text;             // mode 1, CR LF line breaks
    std::string fileName;         // mode 4
    std::string subject;          // modes 1, 3, 4
    std::int32_t attachMode = 1;  // 1 none, 2 fixed list, 3 asked
    std::vector<std::string> attachments;
    bool operator==(const EmailForm&) const = default;
};

// The group tags in token order.
inline constexpr std::array<std::string_view, 3> kEmailGroupTags{"TO", "CC", "BL"};

// The token of the form; the typed fields are trimmed of blanks.
std::string BuildEmailToken(const EmailForm& form, const std::vector<std::string>& recipientLines);

// The form a token stands for; truncated tokens read as far as they go.
EmailForm DecodeLStemp(std::string_view token, const std::vector<std::string>& recipientLines);

// A typed field holding a character that would break the token.
struct EmailFault {
    enum class Field { Name, Address, Text, Subject, FileName, Attachment } field;
    int group = 0;  // Name and Address: 0 To, 1 CC, 2 Blind CC; Attachment: its index
    char character = 0;
};
// The first fault in dialog order (recipients, text page, attachments); none when the
// token can be built. Only what the token writes is checked.
std::optional<EmailFault> CheckEmailForm(const EmailForm& form);

}  // namespace tessaro
