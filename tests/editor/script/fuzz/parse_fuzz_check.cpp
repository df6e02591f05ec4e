#include "parse_fuzz_check.h"

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

    // Lines may regroup once a damaged token nearby was normalised, but the text is final.
    const ScriptTextResult twice = BuildMacroText(ParseMacroText(once.text));
    if (!twice.ok || twice.text != once.text) return "a second save changed the text";
    return {};
}

}  // namespace tessaro::fuzz
