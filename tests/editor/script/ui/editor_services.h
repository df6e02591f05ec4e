#pragma once
// The script editor's services over the real command editors; the explorer's own dialogs
// (scope, schedule, abbreviation options) answer nothing.
#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/script_editor_services.h"

namespace tessaro::testing {

class EditorServices final : public ScriptEditorServices {
public:
    explicit EditorServices(CommandEditors& editors) : editors_(editors) {}
    CommandOutcome EditCommand(QWidget* owner, ScriptList& list, const CommandRequest& request) override {
        return editors_.EditCommand(owner, list, request);
    }
    std::string ChooseWindowOrProgram(QWidget*, const std::string&, bool, bool&) override { return {}; }
    void SetSchedule(QWidget*, TMacroRecord&) override {}
    void SnipraProperties(QWidget*, TMacroRecord&) override {}

private:
    CommandEditors& editors_;
};

}  // namespace tessaro::testing
