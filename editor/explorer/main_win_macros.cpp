// The macro commands that open the macro forms: add, modify, copy and change activation.
// Each reads the selected macro into CurrentMacro, opens its form, and writes the record
// back (or appends it) only when the form stored it.
#include <QLabel>

#include "editor/explorer/forms/form_support.h"
#include "editor/explorer/forms/t_add_new_hot_key.h"
#include "editor/explorer/forms/t_copy_or_move.h"
#include "editor/explorer/forms/t_do_build_menu.h"
#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "editor/explorer/main_win.h"
#include "hook/client/glob_data_sync.h"
#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

constexpr char kMaxReached[] = "Maximum number of hot keys has been reached.  Add not allowed.";

bool ConflictsWithGlobal(const TGlobData& g, int n) {
    const int code = g.ActivationCode[n];
    if (code < 0 || code >= kHotKeyCodeCount) return false;
    for (int m = 1; m <= g.MacroCount; ++m)
        if (m != n && g.ActivationCode[m] == code && (g.Scope[m] == 1 || g.Scope[m] == 4 || g.Scope[m] == 5))
            return true;
    return false;
}

int ActivationKindOf(std::uint16_t code) {
    switch (code) {
        case acScheduled: return 2;
        case acAbbreviation: return 3;
        case acNone: return 6;
        case acWindowTitle: return 7;
        default: return 1;
    }
}

std::string TitleLine(const char* verb, const TMacroRecord& rec) {
    switch (rec.ActivationCode) {
        case acNone:
        case acWindowTitle: return std::string(verb) + " Macro TO";
        case acScheduled: return std::string(verb) + " Timed Macro TO";
        case acAbbreviation: return std::string(verb) + " " + rec.Abbreviation.str() + " TO";
        default: return std::string(verb) + " " + HotKeyNames(rec.ActivationCode) + " TO";
    }
}

}  // namespace

MacroFormsContext& TMainWin::FormsContext() {
    if (!formsContext_) {
        installedPrograms_ = std::make_unique<InstalledPrograms>(XdgPlaces::FromEnvironment());
        commandDialogs_ = std::make_unique<CommandDialogsNotBuilt>();
        formsContext_ = std::make_unique<MacroFormsContext>(MacroFormsContext{
            core_, config_, win::ActiveDesktop(), *installedPrograms_, *commandDialogs_,
            win::ProgramDirectory(), config_.RecentFiles[0].str(), windowIcon(), windowIcon()});
    }
    formsContext_->macroFile = config_.RecentFiles[0].str();
    return *formsContext_;
}

int TMainWin::SelectedMacro() const {
    const int row = grid_->Row();
    if (listEmpty_ || row < 1 || row >= static_cast<int>(rowMacro_.size())) return 0;
    return rowMacro_[std::size_t(row)];
}

void TMainWin::TakeSavedRecord(int n, const TMacroRecord& rec) {
    TGlobData& g = core_.GlobData;
    g.Scope[n] = rec.Scope;
    g.ScopeText[n] = rec.ScopeText.str();
    g.Enabled[n] = rec.Enabled;
    g.ActivationCode[n] = rec.ActivationCode;
    g.TopmostOnly[n] = rec.TopmostOnly;
    config_.MacroNicknames[n] = rec.Nickname;
    config_.MacroAbbreviations[n] = rec.Abbreviation;
    config_.MacroCategoryIds[n] = rec.CategoryId;
    config_.MacroAbbrevCases[std::size_t(n)] = rec.AbbrevCase;
    config_.MacroAbbrevErases[std::size_t(n)] = rec.AbbrevErase;
    QtmUpItem(&g, n);
    Post(puMacroChanged, n);
    SetHotKeys(g, NoticesTo(core_.PlayerWnd));
    FillList();
    for (int row = 1; row < static_cast<int>(rowMacro_.size()); ++row)
        if (rowMacro_[std::size_t(row)] == n) grid_->SetRow(row);
}

void TMainWin::DoAdd() {
    if (core_.GlobData.MacroCount >= kMaxMacros) {
        forms::ErrorBox(kMaxReached);
        return;
    }
    core_.CurrentMacro = TMacroRecord{};
    TAddNewHotKey dialog(FormsContext(), nullptr, this);
    dialog.NewMacroNumber = core_.GlobData.MacroCount + 1;
    dialog.exec();
    if (dialog.ResultUpdated) {
        const AppendResult added = core_.AppendCurrentMacro(config_.RecentFiles[0].str());
        if (!added.ok) {
            forms::ErrorBox(added.error);
        } else {
            TakeSavedRecord(added.number, core_.CurrentMacro);
            SetButtons(true);
            if (core_.CurrentMacro.ActivationCode == acScheduled) Post(puSchedule, 0);
        }
    }
    if (dialog.ResultTrayChanged) Post(puTrayMenu, 0);
}

void TMainWin::DoModifySelected() {
    const int n = SelectedMacro();
    const std::string file = config_.RecentFiles[0].str();
    if (n == 0 || !ReadMacroRecordAt(file, n, core_.CurrentMacro).ok()) return;
    bool updated = false, trayChanged = false;
    if (core_.CurrentMacro.Scope == scPopupMenu) {
        TDoBuildMenu dialog(FormsContext(), this);
        dialog.ModifyExisting = true;
        dialog.HotKeyLabel->setText(forms::Q(HotKeyNames(core_.CurrentMacro.ActivationCode)));
        dialog.exec();
        updated = dialog.Updated;
        trayChanged = dialog.TrayChanged;
    } else {
        TModHotKeys dialog(FormsContext(), this);
        dialog.ModifyExisting = true;
        dialog.ActivationKind = ActivationKindOf(core_.CurrentMacro.ActivationCode);
        dialog.GlobalKeyTaken = dialog.ActivationKind == 1 && ConflictsWithGlobal(core_.GlobData, n);
        if (dialog.ActivationKind == 1)
            dialog.HotKeyLabel->setText(forms::Q(HotKeyNames(core_.CurrentMacro.ActivationCode)));
        dialog.exec();
        updated = dialog.Updated;
    }
    if (updated) {
        const MacroFileStatus status = WriteMacroRecordAt(file, n, core_.CurrentMacro);
        if (!status.ok())
            forms::ErrorBox(status.Describe(file));
        else
            TakeSavedRecord(n, core_.CurrentMacro);
        if (core_.CurrentMacro.ActivationCode == acScheduled) Post(puSchedule, 0);
    }
    if (trayChanged) Post(puTrayMenu, 0);
}

void TMainWin::DoCopy() {
    const int n = SelectedMacro();
    const std::string file = config_.RecentFiles[0].str();
    if (n == 0) return;
    if (core_.GlobData.MacroCount >= kMaxMacros) {
        forms::ErrorBox(kMaxReached);
        return;
    }
    if (!ReadMacroRecordAt(file, n, core_.CurrentMacro).ok()) return;
    TCopyOrMove dialog(FormsContext(), this);
    dialog.MoveMode = false;
    dialog.HotKeyLabel->setText(forms::Q(TitleLine("COPY", core_.CurrentMacro)));
    dialog.exec();
    if (!dialog.Done) return;
    const AppendResult added = core_.AppendCurrentMacro(file);
    if (!added.ok) {
        forms::ErrorBox(added.error);
        return;
    }
    TakeSavedRecord(added.number, core_.CurrentMacro);
    SetButtons(true);
    if (core_.CurrentMacro.ActivationCode == acScheduled) Post(puSchedule, 0);
    if (core_.CurrentMacro.Scope == scPopupMenu) Post(puTrayMenu, 0);
}

void TMainWin::DoMove() {
    const int n = SelectedMacro();
    const std::string file = config_.RecentFiles[0].str();
    if (n == 0 || !ReadMacroRecordAt(file, n, core_.CurrentMacro).ok()) return;
    if (core_.CurrentMacro.Scope == scSystem) {
        NotAvailableYet();  // the system hot-key dialog
        return;
    }
    const bool wasTimed = core_.CurrentMacro.ActivationCode == acScheduled;
    TCopyOrMove dialog(FormsContext(), this);
    dialog.MoveMode = true;
    dialog.HotKeyLabel->setText(forms::Q(TitleLine("MOVE", core_.CurrentMacro)));
    dialog.exec();
    if (!dialog.Done) return;
    const MacroFileStatus status = WriteMacroRecordAt(file, n, core_.CurrentMacro);
    if (!status.ok()) {
        forms::ErrorBox(status.Describe(file));
        return;
    }
    TakeSavedRecord(n, core_.CurrentMacro);
    if (wasTimed || core_.CurrentMacro.ActivationCode == acScheduled) Post(puSchedule, 0);
}

}  // namespace tessaro
