#pragma once
// What the script editor window asks of the windows above it: the command editors of the
// 117 commands, and the explorer's scope, schedule and abbreviation dialogs.
#include <string>

#include "editor/script/line_ops.h"
#include "macro/macro_record.h"

class QWidget;

namespace tessaro {

class ScriptEditorServices {
public:
    virtual ~ScriptEditorServices() = default;

    // Opens the command editor of `code`'s family for a new line, which goes where `style`
    // says, or for the selected line, which it replaces. True when the user confirmed.
    virtual bool EditCommand(QWidget* owner, ScriptList& list, int code, bool isNew, AddStyle style,
                             int insertIndex) = 0;
    // The window or program chooser; the chosen text (empty when cancelled) and whether the
    // macro plays only for the topmost window.
    virtual std::string ChooseWindowOrProgram(QWidget* owner, const std::string& scopeText, bool program,
                                              bool& topmostOnly) = 0;
    virtual void SetSchedule(QWidget* owner, TMacroRecord& rec) = 0;
    virtual void SnipraProperties(QWidget* owner, TMacroRecord& rec) = 0;
};

}  // namespace tessaro
