#pragma once
// Text inside the system is Windows-1252 bytes; Qt, X11 and file names speak UTF-8.
#include <string>
#include <string_view>

namespace win {

// Every byte maps to one code point; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
char32_t Cp1252ToUnicode(unsigned char c);

// The Windows-1252 byte of a code point; false when it has none.
bool UnicodeToCp1252(char32_t cp, unsigned char& out);

std::string Cp1252ToUtf8(std::string_view text);

// Characters with no Windows-1252 byte (and malformed UTF-8) become `replacement`.
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

}  // namespace win
