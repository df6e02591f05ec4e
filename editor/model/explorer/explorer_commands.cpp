// The explorer's eight macro commands.
#include <algorithm>
#include <vector>

#include "editor/model/explorer/explorer.h"
#include "macro/macro_file.h"
#include "platform/message_box.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

void ShowError(const std::string& text) {
    win::MessageBox(text, "Error", win::MbButtons::Ok, win::MbIcon::Error);
}

int ModifyKind(std::uint16_t code) {
    switch (code) {
        case acScheduled: return 2;
        case acAbbreviation: return 3;
        case acNone: return 6;
        case acWindowTitle: return 7;
        default: return 1;
    }
}

}  // namespace

bool Explorer::HotKeyConflict(int n, bool anyScopeButGlobal) const {
    const TGlobData& g = ctx_.glob;
    const int count = std::min<int>(g.MacroCount, kMaxMacros);
    for (int m = 1; m <= count; ++m) {
        if (m == n || g.ActivationCode[m] != g.ActivationCode[n]) continue;
        const std::uint16_t scope = g.Scope[m];
        if (anyScopeButGlobal ? scope == scGlobal
                              : (scope == scGlobal || scope == scPopupMenu || scope == scSystem))
            return true;
    }
    return false;
}

void Explorer::DoAdd() {
    if (ctx_.glob.MacroCount >= kMaxMacros) {
        ShowError(kMaximumText);
        return;
    }
    if (FileInUse()) return;
    CurrentMacro = TMacroRecord{};
    const MacroDialogs::AddResult result = ctx_.dialogs.AddMacro(ctx_.glob.MacroCount + 1);
    // Counted only once its record is in the file.
    const int n = result.added ? file_.AppendMacroRecord(CurrentMacro, true) : 0;
    // A started capture holds the lock until its end, which releases it: a second release
    // here would write over a lock another user may hold by then, and count twice.
    if (n == 0) {
        if (!result.captureStarted) ReleaseSyncFile(0);
        return;
    }
    Refresh(n);
    SetButtons(true);
    SetHotKeys();
    if (!result.captureStarted) ReleaseSyncFile(1);
    if (CurrentMacro.ActivationCode == acScheduled) Post(puSchedule);
    if (result.trayMenuChanged) Post(puTrayMenu);
}

void Explorer::DoModify(bool locked) {
    if (!CheckSelection()) return;
    if (!locked && FileInUse()) return;
    const int n = SelectedMacro();
    file_.ReadMacroRecord(n, CurrentMacro);
    bool written = false;
    if (CurrentMacro.Scope == scPopupMenu) {
        const MacroDialogs::MenuResult result =
            ctx_.dialogs.ModifyPopupMenu(HotKeyNames(CurrentMacro.ActivationCode));
        if (result.saved && (written = file_.SaveMacroRecord(n, CurrentMacro, true))) Refresh(n);
        if (result.trayMenuChanged) Post(puTrayMenu);
    } else {
        const std::uint16_t code = CurrentMacro.ActivationCode;
        const int kind = ModifyKind(code);
        const std::string text = kind == 1   ? HotKeyNames(code)
                                 : kind == 3 ? CurrentMacro.Abbreviation.str()
                                 : kind == 7 ? CurrentMacro.ScopeText.str()
                                             : std::string();
        if (ctx_.dialogs.ModifyProperties(kind, text, kind == 1 && HotKeyConflict(n, false)) &&
            (written = file_.SaveMacroRecord(n, CurrentMacro, true))) {
            Refresh(n);
            if (CurrentMacro.ActivationCode == acScheduled) Post(puSchedule);
        }
    }
    ReleaseSyncFile(written ? 1 : 0);
}

void Explorer::DoCopy() {
    if (!CheckSelection()) return;
    if (ctx_.glob.MacroCount >= kMaxMacros) {
        ShowError(kMaximumText);
        return;
    }
    if (FileInUse()) return;
    file_.ReadMacroRecord(SelectedMacro(), CurrentMacro);
    const std::string title =
        CopyMoveTitle(true, CurrentMacro.ActivationCode, CurrentMacro.Abbreviation.view());
    const int copy = ctx_.dialogs.CopyOrMove(true, title) ? file_.AppendMacroRecord(CurrentMacro, true) : 0;
    if (copy == 0) {
        ReleaseSyncFile(0);
        return;
    }
    Refresh(copy);
    SetButtons(true);
    if (CurrentMacro.ActivationCode == acScheduled) Post(puSchedule);
    if (CurrentMacro.Scope == scPopupMenu) Post(puTrayMenu);
    SetHotKeys();
    ReleaseSyncFile(1);
}

void Explorer::DoMove(bool locked) {
    if (!CheckSelection()) return;
    if (!locked && FileInUse()) return;
    const int n = SelectedMacro();
    file_.ReadMacroRecord(n, CurrentMacro);
    bool written = false;
    if (CurrentMacro.Scope == scSystem) {
        const std::string id = CurrentMacro.ScopeText.str();
        const int function = id.empty() ? 0 : id[0] - '0';
        if (function >= 1 && function <= 5 && (written = ctx_.dialogs.SystemKeys(function))) {
            Refresh(n);
            SetHotKeys();
        }
    } else {
        const bool wasTimed = CurrentMacro.ActivationCode == acScheduled;
        const std::string title =
            CopyMoveTitle(false, CurrentMacro.ActivationCode, CurrentMacro.Abbreviation.view());
        if (ctx_.dialogs.CopyOrMove(false, title) &&
            (written = file_.SaveMacroRecord(n, CurrentMacro, true))) {
            Refresh(n);
            if (wasTimed || CurrentMacro.ActivationCode == acScheduled) Post(puSchedule);
            SetHotKeys();
        }
    }
    ReleaseSyncFile(written ? 1 : 0);
}

void Explorer::DoClear() {
    if (!CheckSelection() || FileInUse()) return;
    const int n = SelectedMacro();
    const int oldRow = selectedRow_;
    const int count = std::min<int>(ctx_.glob.MacroCount, kMaxMacros);
    file_.ReadMacroRecord(n, CurrentMacro);
    const std::uint16_t code = CurrentMacro.ActivationCode;
    const std::string abbreviation = CurrentMacro.Abbreviation.str();
    if (win::MessageBox(DeleteQuestion(code, abbreviation), "Delete", win::MbButtons::YesNo,
                        win::MbIcon::Question) != win::MbResult::Yes) {
        ReleaseSyncFile(0);
        return;
    }
    std::vector<int> menus;
    bool listed = false;
    for (int m = 1; m <= count; ++m) {
        if (ctx_.glob.Scope[m] != scPopupMenu) continue;
        menus.push_back(m);
        TMacroRecord menu;
        if (!listed && file_.ReadMacroRecord(m, menu)) listed = PopupListsMacro(menu, n, count);
    }
    if (listed && win::MessageBox(PopupDeleteQuestion(code, abbreviation), "Delete", win::MbButtons::YesNo,
                                  win::MbIcon::Question) != win::MbResult::Yes) {
        ReleaseSyncFile(0);
        return;
    }

    // The record goes first: a removal that fails leaves every menu as it was.
    const std::uint16_t removedScope = CurrentMacro.Scope;
    if (!file_.DeleteMacroRecord(n)) {
        ShowError("Saving of keystrokes failed.\n\nThe macro could not be removed from " +
                  file_.CurrentFilePath() + ".");
        ReleaseSyncFile(0);
        return;
    }
    bool menusChanged = false;
    bool menuAfter = false;
    for (const int m : menus) {
        if (m == n) continue;
        menuAfter = menuAfter || m > n;
        const int now = m > n ? m - 1 : m;
        TMacroRecord menu;
        if (!file_.ReadMacroRecord(now, menu) || !RemoveFromPopupMenu(menu, n, count)) continue;
        menusChanged = file_.SaveMacroRecord(now, menu, false) || menusChanged;
    }

    file_.ReloadMacroFile(false);
    ctx_.window.GetSwapFile();
    ctx_.window.GetCatFile();
    FillList();
    SetHotKeys();
    if (listEmpty())
        SetButtons(false);
    else
        Select(std::min(oldRow, static_cast<int>(rowMacro_.size())));
    ReleaseSyncFile(1);
    // Tray icons carry macro numbers: the player rebuilds them whenever one may be stale.
    Post(puReloadAll, removedScope == scPopupMenu || menuAfter || menusChanged ? 1 : 0);
}

void Explorer::DoCapture() {
    if (!CheckSelection() || FileInUse()) return;
    const int n = SelectedMacro();
    file_.ReadMacroRecord(n, CurrentMacro);
    const bool conflict = CurrentMacro.Scope != scGlobal && HotKeyConflict(n, true);
    // The end may come while the dialog is still up.
    captureFinished_ = false;
    const bool capturing = ctx_.dialogs.Recapture(
        CaptureLabel(CurrentMacro.ActivationCode, CurrentMacro.Abbreviation.view()), n, conflict);
    if (captureFinished_) {  // the capture ended while the dialog was up
        return;
    }
    // A cancelled dialog gave the lock back already: nothing more is written.
    if (capturing && file_.SaveMacroRecord(n, CurrentMacro, true)) Refresh(n);
    // The cancelled dialog gave the lock back already; a second release would write over a
    // lock another editor may hold by now. The capture file, which may keep an earlier
    // recording that could not be stored, is left as it is.
    if (!capturing) captureFinished_ = true;
    // Otherwise the lock stays held until the capture's end.
}

void Explorer::DoActivate() {
    if (!CheckSelection() || FileInUse()) return;
    const int n = SelectedMacro();
    const bool enable = ctx_.glob.Enabled[n] == 0;
    // The file first: when it cannot be written nothing else changes.
    const MacroFileStatus st = SetMacroEnabledAt(file_.CurrentFilePath(), n, enable);
    if (!st.ok()) {
        ShowError("Saving of keystrokes failed.\n\n" + st.Describe(file_.CurrentFilePath()));
        ReleaseSyncFile(0);
        return;
    }
    ctx_.glob.Enabled[n] = enable ? 1 : 0;
    ctx_.window.ShowActivateCaption(enable);
    ctx_.link.PushGroup(ctx_.glob, ggItem, n);
    Post(puPullMacro, n);
    if (ctx_.glob.ActivationCode[n] == acScheduled) Post(puSchedule);
    SetHotKeys();
    ctx_.window.Repaint();
    ReleaseSyncFile(1);
}

void Explorer::DoInfo(int row) {
    if (row < 1 || row > static_cast<int>(rowMacro_.size())) return;
    file_.ReadMacroRecord(rowMacro_[static_cast<std::size_t>(row - 1)], CurrentMacro);
    ctx_.dialogs.QuickInfo();
}

}  // namespace tessaro
