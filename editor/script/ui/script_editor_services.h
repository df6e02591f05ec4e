#pragma once
// What the script editor window asks of the windows above it: the command editors of the
// 117 commands, and the explorer's scope, schedule and abbreviation dialogs.
#include <functional>
#include <optional>
#include <string>

#include "editor/script/line_ops.h"
#include "editor/script/text_util.h"
#include "macro/macro_record.h"

class QWidget;

namespace tessaro {

// One run of a command editor.
struct CommandRequest {
    CommandRequest(int code, bool isNew, AddStyle style, int insertIndex)
        : Code(code), IsNew(isNew), Style(style), InsertIndex(insertIndex) {}

    int Code = 0;
    bool IsNew = true;
    AddStyle Style = AddStyle::AtEnd;  // where a new line goes
    int InsertIndex = 0;               // the selection the run started from; the line an edit replaces
    // "Load Text File" only: whether its dialog offers editing the file as script lines, and
    // the path it opens with instead of the edited line's.
    bool AllowTextEdit = true;
    std::optional<std::string> TextFilePreset;
    // Asked before the dialog closes to edit the file (Windows-1252 path) as lines: false,
    // the reason shown, keeps the dialog open with what was typed.
    std::function<bool(const std::string&)> MayEditTextFile;
    // A new command that starts where its dialog starts when opened alone (new-command flag
    // 1), as the macro-text editor's entries do; the code only says which family opens.
    bool OwnDefaults = false;
    // The line belongs to a text file edited as lines: its text is as long as the file holds.
    bool TextFileLine = false;
    TypedTextStyle TextFileStyle;  // and the file's own line breaks and tabs
};

struct CommandOutcome {
    bool Changed = false;      // a line was added or replaced
    std::string EditTextFile;  // the "Load Text File" dialog was left to edit this file as lines
};

class ScriptEditorServices {
public:
    virtual ~ScriptEditorServices() = default;

    // Opens the command editor of the request's family for a new line, which goes where the
    // style says, or for the line at the insertion index, which it replaces.
    virtual CommandOutcome EditCommand(QWidget* owner, ScriptList& list, const CommandRequest& request) = 0;
    // The window or program chooser; the chosen text (empty when cancelled) and whether the
    // macro plays only for the topmost window.
    virtual std::string ChooseWindowOrProgram(QWidget* owner, const std::string& scopeText, bool program,
                                              bool& topmostOnly) = 0;
    virtual void SetSchedule(QWidget* owner, TMacroRecord& rec) = 0;
    virtual void SnipraProperties(QWidget* owner, TMacroRecord& rec) = 0;
};

}  // namespace tessaro
