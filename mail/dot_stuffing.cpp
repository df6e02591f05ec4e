#include "mail/dot_stuffing.h"

namespace tessaro::mail {

std::string DotStuffer::Stuff(std::string_view piece) {
    std::string out;
    out.reserve(piece.size() + piece.size() / 64 + 1);
    for (char c : piece) {
        if (atLineStart_ && c == '.') out.push_back('.');
        out.push_back(c);
        atLineStart_ = c == '\n';
    }
    return out;
}

}  // namespace tessaro::mail
