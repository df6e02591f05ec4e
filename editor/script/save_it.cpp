#include "editor/script/save_it.h"

#include <cstring>
#include <iterator>

#include "editor/script/parse_text.h"
#include "editor/script/script_writer.h"
#include "editor/script/text_util.h"
#include "foundation/strings.h"
#include "macro/nickname.h"
#include "platform/cp1252.h"
#include "platform/file_io.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/regular_file_stream.h"

namespace tessaro {
namespace {

constexpr int kModeSnipra = 3;
constexpr int kModeWindowTitle = 7;
constexpr int kMaxMacroText = 5000;

void ShowError(const std::string& text) { win::MessageBox(text, "Error"); }

SaveOutcome Refuse(const std::string& text, bool focusName) {
    ShowError(text);
    SaveOutcome out;
    out.focusSnipraName = focusName;
    return out;
}

std::string EditText(const std::string& s) { return TrimBlanks(std::string_view(s).substr(0, 255)); }

bool SnipraChar(unsigned char c) {
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    return std::strchr("!#$%&*+,-./;<=>?@^_", c) != nullptr && c != '\0';
}

// The checks of the activation fields; true when they pass.
bool Validate(const ScriptSaveForm& form, SaveOutcome& out) {
    if (form.ScriptMode == kModeSnipra) {
        const std::string name = EditText(form.SnipraName);
        if (name.empty()) {
            out = Refuse("No Snipra name was entered.", true);
            return false;
        }
        if (!IsValidSnipraName(name)) {
            out = Refuse(
                "The Snipra name has invalid characters in it.  Valid characters are A - Z, "
                "a - z, 0 - 9 and ' ! @ # $ % ^ & _ = < > ? . ; , * - / +",
                true);
            return false;
        }
    } else if (form.ScriptMode == kModeWindowTitle && EditText(form.SnipraName).empty()) {
        out = Refuse("No Window title has been entered.", true);
        return false;
    }
    return true;
}

void StoreInRecord(ScriptSaveForm& form, const std::string& text, TMacroRecord& rec, double now,
                   SaveOutcome& out) {
    form.Accepted = true;
    out.newMacro = !form.IsExisting;
    if (!form.IsExisting) rec.Enabled = 1;
    rec.LastModified = now;
    rec.Nickname = OneLineNickname(form.NickName);  // short strings cut to their capacity
    rec.IconName = form.IconName;
    rec.Scope = form.Global ? scGlobal : form.Specific ? scWindow : scProgram;
    rec.Abbreviation = form.ScriptMode == kModeSnipra ? EditText(form.SnipraName) : "";
    if (form.ScriptMode == kModeWindowTitle) rec.ScopeText = EditText(form.SnipraName);
    SetMacroText(rec, text);
    form.Saved = true;
    out.result = SaveResult::Accepted;
}

}  // namespace

bool IsValidSnipraName(std::string_view name) {
    for (const char c : name)
        if (!SnipraChar(static_cast<unsigned char>(c))) return false;
    return true;
}

bool WriteWholeFile(const std::string& path, std::string_view bytes, std::string& error) {
    std::string why;
    if (win::ReplaceRegularFile(path, bytes, why)) return true;
    error = "The file " + path + " could not be written: " + why + ".";
    return false;
}

bool LoadTempScript(const std::string& programDir, std::vector<ScriptLine>& lines, std::string& error) {
    const std::string path = win::JoinPath(programDir, kTempScriptFile);
    win::RegularFileStream in(path);
    // An empty script was put aside as an empty file: it reads as no lines.
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.is_open()) {
        error = "The file " + path + " could not be read.";
        return false;
    }
    lines = ParseMacroText(text);
    return true;
}

SaveOutcome SaveIt(bool toTemp, ScriptSaveForm& form, const std::vector<ScriptLine>& lines,
                   TMacroRecord& currentMacro, const std::string& programDir, double now) {
    SaveOutcome out;
    if (!(form.TextFileMode && !toTemp) && !Validate(form, out)) return out;

    const ScriptTextResult built = BuildMacroText(lines);
    if (!built.ok) return Refuse(built.error, false);

    if (toTemp || form.TextFileMode) {
        const std::string path = toTemp ? win::JoinPath(programDir, kTempScriptFile) : form.TextFilePath;
        std::string error;
        const bool utf8 = !toTemp && form.TextFileUtf8;
        if (!WriteWholeFile(path, utf8 ? win::Cp1252ToUtf8(built.text) : built.text, error)) {
            ShowError(error);
            out.result = SaveResult::WriteFailed;
            return out;
        }
        if (toTemp) {
            out.result = SaveResult::StoredInTemp;
        } else {
            form.TextFileMode = false;
            out.result = SaveResult::StoredInTextFile;
        }
        return out;
    }

    // Refused whole rather than cut: a cut could split a token and change what plays.
    if (built.text.size() > static_cast<std::size_t>(kMaxMacroText)) {
        return Refuse("The size of the macro exceeds the " + std::to_string(kMaxMacroText) +
                          " character limit.  The macro has not been saved; please shorten it.",
                      false);
    }
    StoreInRecord(form, built.text, currentMacro, now, out);
    return out;
}

}  // namespace tessaro
