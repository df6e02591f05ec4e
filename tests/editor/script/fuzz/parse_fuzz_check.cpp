#include "parse_fuzz_check.h"

#include <variant>
#include <vector>

#include "editor/script/parse_text.h"
#include "editor/script/script_writer.h"

namespace tessaro::fuzz {

namespace {

std::string LinesProblem(const std::vector<ScriptLine>& lines) {
    for (const ScriptLine& line : lines) {
        const int code = LineCommand(line);
        if (code == 0) return "a line names no command: " + line.Text;
        if (!RecordFitsCommand(code, line.Record)) return "record of another command: " + line.Text;
        if (line.Text.size() > 255) return "display text over 255 characters: " + line.Text;
    }
    return {};
}

}  // namespace

std::string CheckParse(std::string_view text) {
    const std::vector<ScriptLine> lines = ParseMacroText(text);
    if (std::string problem = LinesProblem(lines); !problem.empty()) return problem;
    const ScriptTextResult once = BuildMacroText(lines);
    if (!once.ok) return "parsed lines cannot be written back: " + once.error;
    if (text.find('<') == std::string_view::npos && once.text != text) return "plain text changed";
    // What one save wrote, opened and saved again, is written the same.
    const ScriptTextResult twice = BuildMacroText(ParseMacroText(once.text));
    if (!twice.ok || twice.text != once.text)
        return "a second save changes the text: " + once.text + "\n  then: " + twice.text;

    // Each line alone is written as text that parses back to that one line. (The whole text
    // may regroup after a save: a damaged token can be completed by a neighbour that the
    // save normalised.)
    for (const ScriptLine& line : lines) {
        // A "<" that starts nothing in typed text may read into what follows it: such text
        // is held to the whole text's second save above, not to standing alone.
        if (const auto* typed = std::get_if<TTextRec>(&line.Record);
            typed && typed->Text.find('<') != std::string::npos)
            continue;
        const ScriptTextResult alone = BuildMacroText({line});
        const std::vector<ScriptLine> back = ParseMacroText(alone.text);
        if (back.size() != 1 || LineCommand(back[0]) != LineCommand(line))
            return "a line does not parse back to itself: " + line.Text;
        const ScriptTextResult again = BuildMacroText(back);
        if (!again.ok || again.text != alone.text)
            return "a line is written otherwise after parsing: " + line.Text;
    }
    return {};
}

}  // namespace tessaro::fuzz
