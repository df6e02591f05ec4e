#pragma once
// Private profile (INI) files with the semantics the settings code relies on:
// section and key names compare case-insensitively (ASCII), a read keeps at most
// size - 1 characters, a write keeps existing lines in place and appends new keys at the
// end of their section, the file is created on the first write, lines are written with
// CR LF and read with LF or CR LF, and a damaged line is skipped on read and kept on write.
//
// `file` is Windows-1252 text like every name inside the system; a name without a
// directory lies in the Windows directory (win::WindowsDirectory()).
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace win {

// The path (UTF-8) that a profile file name stands for.
std::string ProfilePath(std::string_view file);

// The value of [section] key, or `def` (trailing blanks removed) when the file, the
// section or the key is missing; at most size - 1 characters either way.
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view def,
                                    int size, std::string_view file);

// The value as a decimal integer (leading blanks, a sign, "0x" hexadecimal); `def` when the
// key is missing, the digits before the first bad character otherwise (none: 0).
int GetPrivateProfileInt(std::string_view section, std::string_view key, int def, std::string_view file);

// The integer conversion of profile values: leading blanks, a sign, a "0x" (and with
// dollarHex a "$") hexadecimal prefix; the digits before the first bad character count
// (none: 0), a digit that would overflow counting as bad.
int LeadingInteger(std::string_view text, bool dollarHex = false);

// Sets [section] key = value; a key that holds the value already keeps its line as it is.
// False when the file cannot be read or written, or when a
// name or value could not be stored as one line (CR or LF, "]" in a section, "=" in a key,
// an empty key); the file is then unchanged. The file is replaced atomically.
bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               std::string_view file);

// One key to write. With `ifAbsent` it is written only where the file holds no value for it
// yet: it completes the file and never replaces what is stored there.
struct ProfileEntry {
    std::string key;
    std::string value;
    bool ifAbsent = false;
};

// Several keys of one section in one atomic replacement; the same result as writing them
// one after the other, in order. False (and the file unchanged) as above, with the reason
// for the user in `why` when given ("it is a named pipe, not a regular file").
bool WritePrivateProfileStrings(std::string_view section, const std::vector<ProfileEntry>& entries,
                                std::string_view file, std::string* why = nullptr);

// Keys of one section, in the order they are written.
struct ProfileSection {
    std::string name;
    std::vector<ProfileEntry> entries;
};

// Several sections in one atomic replacement: the same result as writing each section whose
// names and values can be stored, one after the other. Tells per section whether it was
// written (none when the file could not be read or replaced, `why` then saying why).
std::vector<bool> WritePrivateProfileSections(const std::vector<ProfileSection>& sections,
                                              std::string_view file, std::string* why = nullptr);

}  // namespace win
