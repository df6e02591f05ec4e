#pragma once
// Small string and number helpers both programs use everywhere. Strings are Windows-1252
// text of at most 255 characters, like the short strings of the records.
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

// Screen size in pixels and the factors that turn a pixel position into the 0..65535
// coordinates of an absolute mouse movement. Set by ScreenMetrics().
extern std::int32_t ScreenWidth;
extern std::int32_t ScreenHeight;
extern double MouseScaleX;
extern double MouseScaleY;

// The program directory without a trailing "/" (Windows-1252). Set by InitProgramDir().
extern std::string ProgramDir;

// Called once at start-up, before the settings are loaded.
void ScreenMetrics();
void InitProgramDir();

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

// True when path names a directory that can be entered. Never changes the current directory.
bool DirectoryExists(std::string_view path);

// The substitution applied to stored passwords; its own inverse.
std::string SwapPasswordChars(std::string_view s);

// The integer conversion of settings and typed numbers: leading blanks, an optional sign,
// a "$" or "0x" hexadecimal prefix; the digits before the first bad character count (none: 0).
std::int32_t IntegerValue(std::string_view text);

}  // namespace tessaro
