#include "macro/nickname.h"

namespace tessaro {

std::string OneLineNickname(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += c == '\r' || c == '\n' ? ' ' : c;
    }
    return out;
}

}  // namespace tessaro
