#include "mail/send_dialog_model.h"

namespace tessaro::mail {

std::string TrimBlanks(std::string_view text) {
    const std::size_t b = text.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return std::string(text.substr(b, text.find_last_not_of(' ') - b + 1));
}

std::string RecipientResult(std::string_view typedName, std::string_view typedAddress,
                            const std::vector<std::string>& lines, const std::vector<bool>& selected) {
    std::string out;
    const std::string address = TrimBlanks(typedAddress);
    if (!address.empty()) out += TrimBlanks(typedName) + "|" + address + ";";
    for (std::size_t i = 0; i < lines.size() && i < selected.size(); ++i) {
        if (selected[i]) out += lines[i] + ";";
    }
    return out + '\x01';
}

std::array<std::string, 3> TextResults(std::string_view text, std::string_view subject, bool receipt) {
    std::string s = TrimBlanks(subject);
    if (s.empty()) s = "No Subject";
    return {std::string(text), s, receipt ? "YES" : "NO"};
}

std::string AttachmentResult(const std::vector<std::string>& paths) {
    std::string out;
    for (const std::string& p : paths) out += p + ";";
    return out + '\x01';
}

int SelectionAfterDelete(int deleted, int count) {
    if (count <= 0) return -1;
    return deleted < count ? deleted : count - 1;
}

}  // namespace tessaro::mail
