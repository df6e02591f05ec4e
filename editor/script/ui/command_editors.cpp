#include "editor/script/ui/command_editors.h"

#include <QDialog>
#include <algorithm>
#include <initializer_list>

#include "editor/script/command_table.h"
#include "editor/script/display_text.h"
#include "editor/script/ui/command_families.h"
#include "foundation/ras.h"
#include "platform/message_box.h"

namespace tessaro {

void ModalDialogRunner::Run(QDialog& dialog) { dialog.exec(); }

namespace {

constexpr const char* kNeedsDesktopShell =
    "This function requires Windows 98 or NT.  Daza requires Windows 95 that has Internet Explore "
    "4.0 or greater installed. It appears that your system does not meet these requirements.";

bool InList(std::initializer_list<int> codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

}  // namespace

bool AddsWithoutDialog(int code) { return InList({7, 30, 31, 35, 36, 45, 71}, code); }

CommandEditors::CommandEditors(CommandEditorHosts hosts, CommandDialogRunner& runner)
    : hosts_(hosts), runner_(runner) {}

CommandOutcome CommandEditors::EditCommand(QWidget* owner, ScriptList& list, const CommandRequest& request) {
    const int code = request.Code;
    CommandOutcome outcome;
    if (request.IsNew && AddsWithoutDialog(code)) {
        LineRecord rec;
        if (code == 7 || code == 45) {
            rec = TRepeatRec{code == 7 ? 3 : 2, 0, 1, 1};
        } else {
            const std::int32_t kind = code == 30 ? 4 : code == 31 ? 5 : code == 35 ? 1 : code == 36 ? 2 : 7;
            rec = TClipRec{kind, "", false};
        }
        InsertNewLine(list, request.Style, request.InsertIndex, MakeLine(code, std::move(rec)));
        outcome.Changed = true;
        return outcome;
    }
    if (code == cmd::DialUpNetworking && !hosts_.RasAvailable) {
        RasMissingWarning(owner);
        return outcome;
    }
    if (!hosts_.IE4Installed && InList({69, 70, 106, 107, 108, 109}, code)) {
        win::MessageBox(kNeedsDesktopShell, "Warning");
        return outcome;
    }
    const LineRecord* old = nullptr;
    if (!request.IsNew) {
        if (request.InsertIndex < 0 || request.InsertIndex >= static_cast<int>(list.Lines.size()))
            return outcome;
        old = &list.Lines[static_cast<std::size_t>(request.InsertIndex)].Record;
    }
    std::optional<ScriptLine> line = RunFamily(owner, request, old, outcome.EditTextFile);
    LineAdded = line ? 1 : 0;
    if (!line) return outcome;
    if (request.IsNew)
        InsertNewLine(list, request.Style, request.InsertIndex, std::move(*line));
    else
        ReplaceLine(list, request.InsertIndex, std::move(*line));
    outcome.Changed = true;
    return outcome;
}

std::optional<ScriptLine> CommandEditors::NewLine(QWidget* owner, const CommandRequest& request) {
    std::string editTextFile;
    return RunFamily(owner, request, nullptr, editTextFile);
}

std::optional<ScriptLine> CommandEditors::RunFamily(QWidget* owner, const CommandRequest& request,
                                                    const LineRecord* edited, std::string& editTextFile) {
    const FamilyEditor edit = FamilyEditorOf(request.Code);
    if (edit == nullptr) return std::nullopt;
    return edit({owner, hosts_, runner_, request, edited, editTextFile});
}

}  // namespace tessaro
