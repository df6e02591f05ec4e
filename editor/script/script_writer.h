#pragma once
// Builds the macro text of a script: each line's command token, from its record.
#include <string>
#include <vector>

#include "editor/script/script_line.h"

namespace tessaro {

struct ScriptTextResult {
    bool ok = true;
    std::string text;   // the macro text when ok
    int line = -1;      // 0-based index of the line refused
    std::string error;  // why, for a message box; empty when ok
};

// The macro text of the lines, the plain concatenation of their commands. Lines whose text
// names no command add nothing. A line whose record is not of its command's type, or a
// number that does not fit its fixed-width field, refuses the whole script (the lines are
// only read, never changed).
ScriptTextResult BuildMacroText(const std::vector<ScriptLine>& lines);

// The text one command adds, or the reason it cannot be written.
ScriptTextResult CommandText(int code, const LineRecord& rec);

// Number fields of the macro text. Each gives false when the value does not fit.
// Whole number zero-padded to width; a minus sign stands first and counts in the width.
bool AppendPadded(std::string& out, long long value, int width);
// Real with two decimals, padded with one zero to width 5 (5 -> "05.00").
bool AppendReal5(std::string& out, double value);

}  // namespace tessaro
