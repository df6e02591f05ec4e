#pragma once
// The properties the parser keeps on any input; shared by the fuzz target and the replay test.
#include <string>
#include <string_view>

namespace tessaro::fuzz {

// Empty when the text parses within the rules, else what went wrong:
// - every line's record fits its command and its display text has at most 255 characters;
// - the lines can be written back, and what is written parses and writes again the same;
// - each line, written alone, parses back to one line of its command that writes the same;
// - text without any "<" comes back byte for byte.
std::string CheckParse(std::string_view text);

}  // namespace tessaro::fuzz
