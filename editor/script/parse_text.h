#pragma once
// Macro text back to script lines: every command token becomes one line with its record
// and display text, every run of typed characters and key tokens between commands one
// Text line. Nothing is refused: what is not a token stays typed text, byte for byte.
#include <string_view>
#include <vector>

#include "editor/script/script_line.h"
#include "macro/macro_record.h"

namespace tessaro {

// Appends the lines of `sourceText` to `lines`; lines already there are left alone.
void BuildTheScript(std::string_view sourceText, std::vector<ScriptLine>& lines);

// Appends the lines of a stored macro's text (see StoredMacroText).
void BuildTheScript(const TMacroRecord& macro, std::vector<ScriptLine>& lines);

// The lines of one macro text.
std::vector<ScriptLine> ParseMacroText(std::string_view sourceText);

// What the parser reads of a stored macro text field: the characters before the first NUL,
// at most 5,001 of them.
std::string_view StoredMacroText(std::string_view field);

}  // namespace tessaro
