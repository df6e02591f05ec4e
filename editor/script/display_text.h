#pragma once
// The display text of a script line: its command name and a short summary for the user.
#include <string>
#include <string_view>

#include "editor/script/script_line.h"

namespace tessaro {

// The unindented display text of a line of that command with that record, at most 255
// characters. A record of another type than the command's gives the name alone.
std::string DisplayText(int code, const LineRecord& rec);

// A line of the command, its display text made from the record.
ScriptLine MakeLine(int code, LineRecord rec);

// The example shown beside a date or time format (1-based); empty when there is none.
std::string_view DateExample(int index);
std::string_view TimeExample(int index);

// The playback speed factor as the speed line shows it: two decimals without the
// trailing zeros (2.50 -> "2.5", 3.00 -> "3", 0.75 -> "0.75").
std::string SpeedFactorText(double factor);

}  // namespace tessaro
