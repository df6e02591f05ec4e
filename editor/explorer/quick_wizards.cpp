#include "editor/explorer/quick_wizards.h"

#include <QApplication>
#include <algorithm>

#include "editor/explorer/editor_capture.h"
#include "editor/explorer/explorer_core.h"
#include "editor/explorer/editor_player_link.h"
#include "editor/explorer/forms/macro_forms_context.h"
#include "editor/explorer/forms_services.h"
#include "editor/explorer/quick_wizard_table.h"
#include "editor/model/explorer/explorer.h"
#include "editor/model/macro_forms/build_menu.h"
#include "editor/model/wizard/first_use.h"
#include "editor/model/wizard/wizard_context.h"
#include "editor/script/ui/command_editors.h"
#include "editor/wizard/t_quick_wiz.h"
#include "platform/desktop.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

constexpr const char* kWizardMaximumText =
    "Maximum number of hot keys has been reached.  A macro cannot be added.";
constexpr const char* kMenuFullText =
    "This macro could not be added to the menu as the menu is already full.";

}  // namespace

QuickWizards::QuickWizards(QWidget& window, TConfigRecord& config, TMainWinCore& core, Explorer& explorer,
                           ExplorerWindow& list, HookPlayerLink& link, FormsServices& forms,
                           EditorCapture& capture)
    : window_(window),
      config_(config),
      core_(core),
      explorer_(explorer),
      list_(list),
      link_(link),
      forms_(forms),
      capture_(capture) {}

void QuickWizards::DoQuickWiz(int function) { RunQuickWiz(function); }

wizard::WizardOutcome QuickWizards::RunQuickWiz(int function) {
    if (core_.GlobData.MacroCount >= kMaxMacros) {
        win::MessageBox(kWizardMaximumText, "Error", win::MbButtons::Ok, win::MbIcon::Error);
        return {};
    }
    if (explorer_.FileInUse()) return {};
    MacroFormsContext& forms = forms_.FormsContext();
    wizard::WizardOutcome outcome;
    {
        wizard::WizardContext ctx{core_.CurrentMacro,
                                  core_.GlobData,
                                  config_,
                                  NoticesTo(core_.Messages, link_.playerWindow),
                                  win::ProgramDirectory(),
                                  forms.macroFile,
                                  forms.desktop,
                                  forms.installedPrograms};
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ModalDialogRunner runner;
        WizardHosts hosts{static_cast<ScriptEditorServices&>(forms_),
                          static_cast<RecipientPathEditor&>(forms_),
                          runner,
                          core_.Messages,
                          forms.printers,
                          forms.display};
        TQuickWiz wizard(ctx, hosts, function, &window_);
        QApplication::restoreOverrideCursor();
        wizard.exec();
        outcome = wizard.Outcome();
    }
    if (!outcome.Finished) {
        explorer_.ReleaseSyncFile(0);
        return outcome;
    }
    // The new macro is counted only once its record is in the file.
    const int n = explorer_.file().AppendMacroRecord(core_.CurrentMacro, true);
    if (n == 0) {
        explorer_.ReleaseSyncFile(0);
        outcome.Finished = false;
        return outcome;
    }
    explorer_.FillList();
    if (const int row = explorer_.ReverseSort(n); row != -1) explorer_.SelectRow(row);
    list_.SetButtons(true);
    if (core_.CurrentMacro.ActivationCode == acScheduled) link_.Notify(puSchedule, 0);
    explorer_.SetHotKeys();
    // A recording holds the lock until its end, which gives it back counting the change: a
    // release here too would drop a lock another user may have taken meanwhile.
    if (!outcome.StartCapture) explorer_.ReleaseSyncFile(1);
    if (outcome.TrayMenuChanged) link_.Notify(puTrayMenu, 0);
    if (outcome.AddToPopupMenu) AddToPopupMenu(outcome.PopupMenuNickname, n);
    if (outcome.StartCapture) StartWizardCapture(outcome);
    return outcome;
}

void QuickWizards::AddToPopupMenu(const std::string& nickname, int macro) {
    TGlobData& glob = core_.GlobData;
    for (int m = 1; m <= glob.MacroCount && m <= kMaxMacros; ++m) {
        if (glob.Scope[m] != scPopupMenu || config_.MacroNicknames[static_cast<size_t>(m)].str() != nickname)
            continue;
        TMacroRecord menuRec{};
        if (!explorer_.file().ReadMacroRecord(m, menuRec)) return;
        PopupMenu menu = ReadPopupMenu(menuRec, glob.MacroCount);
        if (static_cast<int>(menu.items.size()) >= kMaxMenuItems) {
            win::MessageBox(kMenuFullText, "Warning", win::MbButtons::Ok, win::MbIcon::Warning);
            return;
        }
        menu.items.push_back(static_cast<std::uint16_t>(macro));
        WritePopupMenu(menuRec, menu);
        explorer_.file().SaveMacroRecord(m, menuRec, false);
        return;
    }
}

// The wizard has set the capture fields and written the capture file; now that the new
// macro is in the file the recording may start, in the window the user chose.
void QuickWizards::StartWizardCapture(const wizard::WizardOutcome& outcome) {
    capture_.SetCapWind(true);
    capture_.BeginCapture(outcome.CaptureSpeed, outcome.CaptureProgramOnly);
    capture_.UpCapture();
    win::Desktop& desktop = forms_.FormsContext().desktop;
    const auto windows = desktop.TopLevelWindows();
    const auto target = std::find_if(windows.begin(), windows.end(), [&](win::HWND w) {
        return !outcome.CaptureWindowTitle.empty() && desktop.WindowText(w) == outcome.CaptureWindowTitle;
    });
    if (target != windows.end())
        desktop.SetForegroundWindow(*target);
    else
        capture_.MinimiseEditor();
    capture_.ShowRecordingIcon();
    core_.GlobData.CaptureOn = 1;
    capture_.UpCaptureOn();
}

void QuickWizards::DoFirstTime() {
    const wizard::WizardOutcome first = RunQuickWiz(kFirstTimeWizard);
    for (size_t i = 0; i < wizard::kFollowUps.size(); ++i) {
        if (!first.FirstTimeChoices[i]) continue;
        win::MessageBox(wizard::kFollowUps[i].notice, "New Macro", win::MbButtons::Ok,
                        win::MbIcon::Information);
        RunQuickWiz(wizard::kFollowUps[i].function);
    }
}

}  // namespace tessaro
