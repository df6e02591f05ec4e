#include "editor/explorer/forms_services.h"

#include <QLabel>
#include <algorithm>
#include <functional>
#include <memory>

#include "editor/commands/media_dialogs.h"
#include "editor/commands/netconn_dialog.h"
#include "editor/explorer/explorer_core.h"
#include "editor/explorer/forms/command_dialogs_run.h"
#include "editor/explorer/forms/form_support.h"
#include "editor/explorer/forms/macro_forms_context.h"
#include "editor/explorer/forms/t_do_schedule.h"
#include "editor/explorer/forms/t_do_spec_wind.h"
#include "editor/explorer/forms/t_short_options.h"
#include "editor/explorer/tools/options_dialogs.h"
#include "editor/model/explorer/command_rules.h"
#include "editor/model/explorer/explorer.h"
#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/do_scripting.h"
#include "foundation/drive_table.h"
#include "foundation/ras.h"
#include "platform/desktop.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

// The installed-program picker of the explorer (TDoAllProgs).
class InstalledProgramPicker final : public ProgramPicker {
public:
    explicit InstalledProgramPicker(InstalledPrograms& programs) : programs_(programs) {}
    std::optional<std::string> PickProgram(QWidget* owner) override {
        TDoAllProgs dialog(programs_, owner);
        if (dialog.exec() != QDialog::Accepted || dialog.ChosenProgram.empty()) return std::nullopt;
        return dialog.ChosenProgram;
    }

private:
    InstalledPrograms& programs_;
};

// The script editor's mode for an activation code.
int ScriptModeOf(std::uint16_t code) {
    switch (code) {
        case acNone: return 6;
        case acWindowTitle: return 7;
        case acScheduled: return 2;
        case acAbbreviation: return 3;
        default: return 1;
    }
}

}  // namespace

// The command editors and what their dialogs use, for the editor's whole run.
class FormsServices::ScriptEditorParts {
public:
    ScriptEditorParts(TConfigRecord& config, const TGlobData& glob, InstalledPrograms& programs,
                      RecipientPathEditor& recipients, win::Printers& printers, win::SystemSettings& display)
        : picker_(programs),
          editors(CommandEditorHosts{config, glob, SystemPathChooser(), picker_, recipients, mixer_, drives_,
                                     printers, display, RasAvailable(), true},
                  runner_) {}

private:
    InstalledProgramPicker picker_;
    SystemMixerHost mixer_;
    PlayerDriveMappings drives_{DriveTablePath()};
    ModalDialogRunner runner_;

public:
    CommandEditors editors;
    CommandDialogsRun commands{editors, runner_};
};

FormsServices::FormsServices(QWidget& window, TConfigRecord& config, TMainWinCore& core,
                             win::Desktop& desktop, win::Printers& printers, win::SystemSettings& display,
                             HookPlayerLink& link, Explorer& explorer)
    : window_(window),
      config_(config),
      core_(core),
      desktop_(desktop),
      printers_(printers),
      display_(display),
      link_(link),
      explorer_(explorer) {}

FormsServices::~FormsServices() = default;

MacroFormsContext& FormsServices::FormsContext() {
    if (!formsContext_) {
        installedPrograms_ = std::make_unique<InstalledPrograms>(XdgPlaces::FromEnvironment());
        CommandDialogs& commands = MakeScriptParts();
        formsContext_ = std::make_unique<MacroFormsContext>(
            MacroFormsContext{core_, config_, desktop_, printers_, display_, *installedPrograms_, commands,
                              win::ProgramDirectory(), config_.RecentFiles[0].str()});
    }
    formsContext_->macroFile = config_.RecentFiles[0].str();
    return *formsContext_;
}

CommandDialogs& FormsServices::MakeScriptParts() {
    scriptParts_ = std::make_unique<ScriptEditorParts>(config_, core_.GlobData, *installedPrograms_, *this,
                                                       printers_, display_);
    return scriptParts_->commands;
}

CommandOutcome FormsServices::EditCommand(QWidget* owner, ScriptList& list, const CommandRequest& request) {
    FormsContext();  // makes the parts
    return scriptParts_->editors.EditCommand(owner, list, request);
}

std::string FormsServices::ChooseWindowOrProgram(QWidget* owner, const std::string& scopeText, bool program,
                                                 bool& topmostOnly) {
    MacroFormsContext& forms = FormsContext();
    TDoSpecWind dialog(forms.desktop, forms.installedPrograms, scopeText, topmostOnly, !program, owner);
    dialog.exec();
    if (!dialog.ScopeText.empty()) topmostOnly = dialog.OnTop;
    return dialog.ScopeText;
}

void FormsServices::SetSchedule(QWidget* owner, TMacroRecord& rec) {
    TDoSchedule dialog(rec, owner);
    dialog.exec();
}

void FormsServices::SnipraProperties(QWidget* owner, TMacroRecord& rec) {
    TShortOptions dialog(rec, owner);
    dialog.exec();
}

bool FormsServices::EditScript(QWidget* owner, TMacroRecord& rec, bool existing,
                               const std::function<bool()>& globalTaken) {
    TDoScripting editor(owner, rec, config_, *this, win::ProgramDirectory(),
                        NoticesTo(core_.Messages, link_.playerWindow));
    editor.ScriptMode = ScriptModeOf(rec.ActivationCode);
    if (editor.ScriptMode == 1) {
        editor.HotKeyLabel->setText(win::ToQt(HotKeyNames(rec.ActivationCode)));
        editor.GlobalTaken = globalTaken();
    }
    editor.IsExisting = existing;
    editor.Accepted = false;
    editor.exec();
    return editor.Accepted;
}

bool FormsServices::ScriptNewMacro(QWidget* owner, bool globalTaken) {
    return EditScript(owner, explorer_.CurrentMacro, false, [globalTaken] { return globalTaken; });
}

void FormsServices::DoTheScript() {
    if (const auto refusal =
            SelectionCheck(explorer_.rowCount(), explorer_.listEmpty() ? 0 : explorer_.selectedRow())) {
        win::MessageBox(*refusal, "Error", win::MbButtons::Ok, win::MbIcon::Error);
        return;
    }
    if (explorer_.FileInUse()) return;
    const int n = explorer_.SelectedMacro();
    TMacroRecord& rec = explorer_.CurrentMacro;
    explorer_.file().ReadMacroRecord(n, rec);
    // Popup menus and system keys have editors of their own; the lock is held already.
    if (rec.Scope == scPopupMenu) {
        explorer_.DoModify(true);
        return;
    }
    if (rec.Scope == scSystem) {
        explorer_.DoMove(true);
        return;
    }
    const bool accepted = EditScript(&window_, rec, true, [&] { return explorer_.HotKeyConflict(n, false); });
    const bool saved = accepted && explorer_.file().SaveMacroRecord(n, rec, true);
    if (saved) {
        explorer_.FillList();
        const int row = explorer_.ReverseSort(n);
        if (row != -1) explorer_.SelectRow(row);
        if (rec.ActivationCode == acScheduled) link_.Notify(puSchedule, 0);
    }
    explorer_.ReleaseSyncFile(saved ? 1 : 0);
}

// The recipient list could not be written: the user picks another place in the settings.
void FormsServices::EditRecipientPath(QWidget* owner) {
    TPreference dialog(owner, config_, core_.Notices());
    dialog.exec();
}

void FormsServices::RecipientListSaved() { core_.Notices()(puSettingsMisc, 0); }

}  // namespace tessaro
