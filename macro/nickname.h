#pragma once
// A macro's nickname names it on one line: in the macro list, in menus and in the commands
// that play, delete or switch a macro by name.
#include <string>
#include <string_view>

namespace tessaro {

// The text with each line break (CR LF, CR or LF) made one blank.
std::string OneLineNickname(std::string_view text);

}  // namespace tessaro
