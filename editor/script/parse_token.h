#pragma once
// One token of macro text at a "<": the recognisers in their fixed order of testing.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "editor/script/parse_cursor.h"
#include "editor/script/script_line.h"

namespace tessaro::parse {

// What a recogniser made of the token at the cursor.
struct Made {
    std::size_t length = 0;          // characters the token takes
    std::optional<ScriptLine> line;  // none: a key token, joined to the typed text
    int code = 0;                    // the line's command
};

// The first recogniser that accepts the token at `at` (which stands on a "<"); nothing
// when none does and the "<" is a typed character.
std::optional<Made> RecogniseToken(const Cursor& at);

// The recognisers after the plain token table: e-mail, launching, dates and times.
std::optional<Made> EmailToken(const Cursor& at, std::string_view literal);
struct LaunchShape {
    int code = 0;
    int kind = 0;              // 2 launch, 3 launch and activate, 4 activate or launch
    std::size_t value1At = 0;  // the delay's two digits; 0: none
    std::size_t value2At = 0;  // the window time-out's two digits; 0: none
};
std::optional<Made> LaunchToken(const Cursor& at, std::string_view literal, const LaunchShape& shape);
std::optional<Made> DateTimeToken(const Cursor& at);

// A line whose display text the parser words its own way.
ScriptLine MakeLine(int code, std::string display, LineRecord record);

}  // namespace tessaro::parse
