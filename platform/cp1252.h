#pragma once
// Text inside the system is Windows-1252 bytes; Qt, X11 and file names speak UTF-8.
#include <optional>
#include <string>
#include <string_view>

class QString;  // the Qt side; declared only, so Xlib users may include this first

namespace win {

// Every byte maps to one code point; the five bytes Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
char32_t Cp1252ToUnicode(unsigned char c);

// The Windows-1252 byte of a code point; false when it has none.
bool UnicodeToCp1252(char32_t cp, unsigned char& out);

std::string Cp1252ToUtf8(std::string_view text);

// Characters with no Windows-1252 byte (and malformed UTF-8) become `replacement`.
std::string Utf8ToCp1252(std::string_view text, char replacement = '?');

// Whole, shortest-form UTF-8 throughout.
bool IsUtf8(std::string_view text);
// UTF-8 text as Windows-1252 bytes; nullopt when a character has none (or a sequence is
// broken), which is then put into `refused` as it stands.
std::optional<std::string> Utf8TextToCp1252(std::string_view utf8, std::string* refused = nullptr);

// ---- The crossing to and from Qt: the only one --------------------------------------

QString ToQt(std::string_view cp1252);
// For text the user did not type (a window title, a list the program filled): characters
// with no Windows-1252 byte become '?'. What the user types goes through EntryText.
std::string FromQt(const QString& text);

// What the user typed into an entry, as Windows-1252 bytes; nullopt when it holds a
// character that has none, which is then named in `refused` as typed.
std::optional<std::string> EntryText(const QString& text, QString* refused = nullptr);
// The refusal of such a character, to show as it is (it has no Windows-1252 form).
QString RefusedCharacterText(const QString& character);

// ---- The crossing to and from the system's own texts --------------------------------

// A file name or path as the system spells it (UTF-8), for a Windows-1252 message.
std::string OsToCp1252(std::string_view os);
// The system's text for an errno value, for a Windows-1252 message.
std::string ErrorText(int error);

}  // namespace win
