#pragma once
// The key-state trace the hook library can ask for (WM_KEYSTATE_DUMP): one line per
// report in a text file of the program directory, for finding out what a key looked like
// at the library's end.
#include <cstdint>
#include <optional>
#include <string>

namespace tessaro {

// The trace file's name in the program directory.
inline constexpr const char* kKeyStateTraceFile = "test";

// The line for one report (without its line end); nothing for a kind without a line.
std::optional<std::string> KeyStateTraceLine(std::uint32_t kind, std::int32_t value);

// Appends the report's line to `file`, creating the file when missing; a kind without a
// line only creates it. The file gets the whole line or stays as it was: false, with the
// reason in `why`, when it cannot be written.
bool AppendKeyStateTrace(const std::string& file, std::uint32_t kind, std::int32_t value, std::string& why);

}  // namespace tessaro
