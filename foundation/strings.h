#pragma once
// String and number helpers both programs use everywhere. Strings are Windows-1252 text of
// at most 255 characters, like the short strings of the records.
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// x with `decimals` decimals (rounded half away from zero), right-aligned in `width`
// blanks; a longer text is not cut. FormatReal(5, 1, 0) is "5".
std::string FormatReal(double x, int width, int decimals);

// As FormatReal with "," between groups of three integer digits: "-1,234.50".
std::string FormatThousands(double x, int width, int decimals);

// Without leading and trailing blanks (character 32 only; tabs stay).
std::string TrimBlanks(std::string_view s);

// Blanks in front of s until it is at least n long.
std::string PadLeft(std::string_view s, int n);

// n copies of c.
std::string FillChars(char c, int n);

// name without its last 3 characters, followed by text ("X.QTM", "MAS" -> "X.MAS").
std::string ChangeExtension3(std::string_view name, std::string_view text);

// The name of a file that belongs to a macro file ("QTS", "QTC", "MAS"): a ".QTM"
// extension in any case is replaced, any other name gets the extension appended, so the
// result never names the macro file itself.
std::string CompanionFileName(const std::string& macroFile, const std::string& extension);

// The substitution applied to stored passwords; its own inverse.
std::string SwapPasswordChars(std::string_view s);

// The integer conversion of settings and typed numbers: leading blanks, an optional sign,
// a "$" or "0x" hexadecimal prefix; the digits before the first bad character count (none: 0).
std::int32_t IntegerValue(std::string_view text);

}  // namespace tessaro
