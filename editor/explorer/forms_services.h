#pragma once
// What the macro forms, the script editor and the quick wizard use of the explorer: the
// forms' context with the installed programs (scanned once a run), the command editors, the
// window or program chooser, the schedule and abbreviation options, the recipient list's
// path, and the script editor opened on a macro.
#include <functional>
#include <memory>
#include <string>

#include "editor/commands/chooser.h"
#include "editor/explorer/forms/t_add_new_hot_key.h"
#include "editor/script/ui/script_editor_services.h"

class QWidget;

namespace win {
class Desktop;
class Printers;
class SystemSettings;
}  // namespace win

namespace tessaro {

class Explorer;
class HookPlayerLink;
class InstalledPrograms;
class TMainWinCore;
struct MacroFormsContext;
struct TConfigRecord;

class FormsServices final : public ScriptEditorServices, public RecipientPathEditor, public NewMacroScript {
public:
    // `desktop`, `printers` and `display` are what the forms and their dialogs offer.
    FormsServices(QWidget& window, TConfigRecord& config, TMainWinCore& core, win::Desktop& desktop,
                  win::Printers& printers, win::SystemSettings& display, HookPlayerLink& link,
                  Explorer& explorer);
    ~FormsServices() override;

    // Made at the first use; its macro file follows the open one.
    MacroFormsContext& FormsContext();

    // The script editor on the selected macro; popup menus and system macros open their
    // own editors.
    void DoTheScript();

    CommandOutcome EditCommand(QWidget* owner, ScriptList& list, const CommandRequest& request) override;
    std::string ChooseWindowOrProgram(QWidget* owner, const std::string& scopeText, bool program,
                                      bool& topmostOnly) override;
    void SetSchedule(QWidget* owner, TMacroRecord& rec) override;
    void SnipraProperties(QWidget* owner, TMacroRecord& rec) override;
    bool ScriptNewMacro(QWidget* owner, bool globalTaken) override;
    void EditRecipientPath(QWidget* owner) override;
    void RecipientListSaved() override;

private:
    class ScriptEditorParts;
    // Makes the script editor's parts once the installed programs are there; the forms'
    // command dialogs run through its command editors.
    CommandDialogs& MakeScriptParts();
    // The script editor on `rec`; true when the user saved. `globalTaken` is asked only for a
    // hot-key macro.
    bool EditScript(QWidget* owner, TMacroRecord& rec, bool existing,
                    const std::function<bool()>& globalTaken);

    QWidget& window_;
    TConfigRecord& config_;
    TMainWinCore& core_;
    win::Desktop& desktop_;
    win::Printers& printers_;
    win::SystemSettings& display_;
    HookPlayerLink& link_;
    Explorer& explorer_;
    std::unique_ptr<InstalledPrograms> installedPrograms_;
    std::unique_ptr<ScriptEditorParts> scriptParts_;  // made with the forms context
    std::unique_ptr<MacroFormsContext> formsContext_;
};

}  // namespace tessaro
