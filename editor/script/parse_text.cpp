#include "editor/script/parse_text.h"

#include <algorithm>
#include <string>

#include "editor/script/command_table.h"
#include "editor/script/display_text.h"
#include "editor/script/parse_token.h"
#include "editor/script/script_writer.h"

namespace tessaro {

namespace {

constexpr std::size_t kStoredTextLimit = 5001;

// Typed characters gathered since the last command line.
class PendingText {
public:
    explicit PendingText(std::vector<ScriptLine>& lines) : lines_(lines) {}

    void Add(std::string_view chars, std::size_t at) {
        if (!pending_) start_ = at;
        text_.append(chars);
        pending_ = true;
    }
    bool Pending() const { return pending_; }
    std::size_t Start() const { return start_; }
    const std::string& Text() const { return text_; }

    void Flush() {
        if (!pending_) return;
        pending_ = false;
        lines_.push_back(MakeLine(cmd::Text, TTextRec{std::move(text_)}));
        text_.clear();
    }

private:
    std::vector<ScriptLine>& lines_;
    std::string text_;
    std::size_t start_ = 0;
    bool pending_ = false;
};

// A "<" that started no token reads on past itself, an e-mail token's fields as far as
// their ends: what it met decided that it started nothing. A command after it that the save
// writes otherwise than it stands (numbers padded, legacy spelling) could make it start a
// token on the next opening, and the second save would write the text otherwise again.
void BuildLines(std::string_view sourceText, std::vector<ScriptLine>& lines, bool checkLoose);

class LooseAngles {
public:
    static constexpr std::size_t kReach = 5000;  // a macro's length

    // A "<" typed at `at`, in the typed text that began at `textStart` and will be line
    // `line`.
    void Typed(std::size_t at, std::size_t textStart, std::size_t line) {
        if (!active_ || at > last_ + kReach) {
            regionStart_ = textStart;
            regionLine_ = line;
        }
        active_ = true;
        last_ = at;
    }

    // Whether the command at `at` (its source `length` characters long) may be taken:
    // written as it stands it may; written otherwise, the text from the region's start
    // must parse into the same lines with the written form in its place.
    bool Keeps(std::string_view source, std::size_t at, std::size_t length, const ScriptLine& command,
               const std::vector<ScriptLine>& lines, const PendingText& pending) const {
        if (!active_ || at > last_ + kReach) return true;
        const ScriptTextResult written = BuildMacroText({command});
        if (!written.ok || written.text == source.substr(at, length)) return true;
        std::vector<ScriptLine> before(lines.begin() + static_cast<std::ptrdiff_t>(regionLine_), lines.end());
        if (pending.Pending()) before.push_back(MakeLine(cmd::Text, TTextRec{pending.Text()}));
        before.push_back(command);
        std::string again(source.substr(regionStart_, at - regionStart_));
        again += written.text;
        again += source.substr(at + length, kReach);
        // Read again without this check of its own: nested checks would each read the rest
        // again, and a text full of loose "<" would take exponential time.
        std::vector<ScriptLine> reread;
        BuildLines(again, reread, /*checkLoose=*/false);
        if (reread.size() < before.size()) return false;
        reread.resize(before.size());
        const ScriptTextResult a = BuildMacroText(before), b = BuildMacroText(reread);
        return a.ok && b.ok && a.text == b.text;
    }

private:
    bool active_ = false;
    std::size_t last_ = 0;
    std::size_t regionStart_ = 0;
    std::size_t regionLine_ = 0;
};

void BuildLines(std::string_view sourceText, std::vector<ScriptLine>& lines, bool checkLoose) {
    // At most a command and a text line per "<", and one text line more: a long file's lines
    // are not moved again and again as the list grows.
    lines.reserve(lines.size() +
                  2 * static_cast<std::size_t>(std::count(sourceText.begin(), sourceText.end(), '<')) + 1);
    PendingText pending(lines);
    LooseAngles loose;
    std::size_t p = 0;
    while (p < sourceText.size()) {
        // Runs of plain characters go to the pending text whole.
        const std::size_t lt = sourceText.find('<', p);
        if (lt != p) {
            const std::size_t end = lt == std::string_view::npos ? sourceText.size() : lt;
            pending.Add(sourceText.substr(p, end - p), p);
            p = end;
            continue;
        }
        const parse::Cursor at(sourceText, p);
        std::optional<parse::Made> made = parse::RecogniseToken(at);
        if (!made || (made->line && checkLoose &&
                      !loose.Keeps(sourceText, p, made->length, *made->line, lines, pending))) {
            pending.Add(sourceText.substr(p, 1), p);
            loose.Typed(p, pending.Start(), lines.size());
            p += 1;
            continue;
        }
        if (made->line) {
            pending.Flush();
            lines.push_back(std::move(*made->line));
        } else {
            pending.Add(sourceText.substr(p, made->length), p);
        }
        p += made->length;
    }
    pending.Flush();
}

}  // namespace

void BuildTheScript(std::string_view sourceText, std::vector<ScriptLine>& lines) {
    BuildLines(sourceText, lines, /*checkLoose=*/true);
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
