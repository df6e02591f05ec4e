#pragma once
// The date and time formats of the macro language by their 1-based number, as the
// date/time tokens and the line records count them.
#include <string_view>

namespace tessaro {

inline constexpr int kDateFormatCount = 51;
inline constexpr int kTimeFormatCount = 26;

// The format of that number; empty when there is none.
std::string_view DateFormat(int index);
std::string_view TimeFormat(int index);

}  // namespace tessaro
