#include "protocol/scope_text.h"

namespace tessaro {

std::string UpperCase1252(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 'a' && c <= 'z')
            ch = static_cast<char>(c - 32);
        else if (c >= 224 && c <= 254 && c != 247)
            ch = static_cast<char>(c - 32);
        else if (c == 0x9A || c == 0x9C || c == 0x9E)
            ch = static_cast<char>(c - 16);
        else if (c == 0xFF)
            ch = static_cast<char>(0x9F);
    }
    return out;
}

bool ScopeTextMatches(std::string_view scopeText, std::string_view subject) {
    if (scopeText.empty()) return false;
    return UpperCase1252(subject).find(UpperCase1252(scopeText)) != std::string::npos;
}

}  // namespace tessaro
