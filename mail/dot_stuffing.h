#pragma once
// Message text after DATA: every line that begins with "." gets a second one, so that no
// line of the message can end the transfer early.
#include <string>
#include <string_view>

namespace tessaro::mail {

class DotStuffer {
public:
    // The next piece of the text, stuffed; line starts carry over between pieces.
    std::string Stuff(std::string_view piece);

private:
    bool atLineStart_ = true;
};

}  // namespace tessaro::mail
