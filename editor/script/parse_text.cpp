#include "editor/script/parse_text.h"

#include <string>

#include "editor/script/command_table.h"
#include "editor/script/display_text.h"
#include "editor/script/parse_token.h"

namespace tessaro {

namespace {

constexpr std::size_t kStoredTextLimit = 5001;

// Typed characters gathered since the last command line.
class PendingText {
public:
    explicit PendingText(std::vector<ScriptLine>& lines) : lines_(lines) {}

    void Add(std::string_view chars) {
        text_.append(chars);
        pending_ = true;
    }

    void Flush() {
        if (!pending_) return;
        pending_ = false;
        lines_.push_back(MakeLine(cmd::Text, TTextRec{std::move(text_)}));
        text_.clear();
    }

private:
    std::vector<ScriptLine>& lines_;
    std::string text_;
    bool pending_ = false;
};

}  // namespace

void BuildTheScript(std::string_view sourceText, std::vector<ScriptLine>& lines) {
    PendingText pending(lines);
    std::size_t p = 0;
    while (p < sourceText.size()) {
        // Runs of plain characters go to the pending text whole.
        const std::size_t lt = sourceText.find('<', p);
        if (lt != p) {
            const std::size_t end = lt == std::string_view::npos ? sourceText.size() : lt;
            pending.Add(sourceText.substr(p, end - p));
            p = end;
            continue;
        }
        const parse::Cursor at(sourceText, p);
        std::optional<parse::Made> made = parse::RecogniseToken(at);
        if (!made) {
            pending.Add(sourceText.substr(p, 1));
            p += 1;
            continue;
        }
        if (made->line) {
            pending.Flush();
            lines.push_back(std::move(*made->line));
        } else {
            pending.Add(sourceText.substr(p, made->length));
        }
        p += made->length;
    }
    pending.Flush();
}

void BuildTheScript(const TMacroRecord& macro, std::vector<ScriptLine>& lines) {
    BuildTheScript(StoredMacroText(std::string_view(macro.MacroText, sizeof macro.MacroText)), lines);
}

std::vector<ScriptLine> ParseMacroText(std::string_view sourceText) {
    std::vector<ScriptLine> lines;
    BuildTheScript(sourceText, lines);
    return lines;
}

std::string_view StoredMacroText(std::string_view field) {
    const std::size_t nul = field.find('\0');
    if (nul != std::string_view::npos) field = field.substr(0, nul);
    return field.substr(0, kStoredTextLimit);
}

}  // namespace tessaro
