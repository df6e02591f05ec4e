// The macro forms behind the explorer's commands: the explorer reads the macro, takes the
// lock and writes what a form stored; the forms work on the shared CurrentMacro.
#include <QLabel>

#include "editor/explorer/forms/form_support.h"
#include "editor/explorer/forms/t_add_new_hot_key.h"
#include "editor/explorer/forms/t_copy_or_move.h"
#include "editor/explorer/forms/t_do_build_menu.h"
#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "editor/explorer/forms/t_capture_keys.h"
#include "editor/explorer/main_win.h"
#include "editor/explorer/main_win_roles.h"
#include "hook/client/glob_data_sync.h"
#include "hook/qtmhook.h"
#include "macro/macro_file.h"
#include "platform/desktop.h"
#include "platform/paths.h"
#include "protocol/hotkey_names.h"
#include "protocol/window_messages.h"

namespace tessaro {

MacroDialogs::AddResult TMainWin::AddMacro(int number) {
    TAddNewHotKey dialog(roles_->forms.FormsContext(), roles_->capture, roles_->forms, this);
    dialog.NewMacroNumber = number;
    dialog.exec();
    // A started capture counted the new macro already; the append counts it once its
    // record is in the file, so a failed append leaves the count as it was.
    if (dialog.ResultModify) {
        --core_.GlobData.MacroCount;
        roles_->capture.UpNumKeys();
    }
    return {dialog.ResultUpdated, dialog.ResultTrayChanged, dialog.CaptureStarted};
}

MacroDialogs::MenuResult TMainWin::ModifyPopupMenu(const std::string& hotKeyName) {
    TDoBuildMenu dialog(roles_->forms.FormsContext(), this);
    dialog.ModifyExisting = true;
    dialog.HotKeyLabel->setText(forms::Q(hotKeyName));
    dialog.exec();
    return {dialog.Updated, dialog.TrayChanged};
}

bool TMainWin::ModifyProperties(int kind, const std::string& text, bool conflict) {
    TModHotKeys dialog(roles_->forms.FormsContext(), this);
    dialog.ModifyExisting = true;
    dialog.ActivationKind = kind;
    dialog.GlobalKeyTaken = conflict;
    if (kind == 1) dialog.HotKeyLabel->setText(forms::Q(text));
    dialog.exec();
    return dialog.Updated;
}

bool TMainWin::CopyOrMove(bool copy, const std::string& title) {
    TCopyOrMove dialog(roles_->forms.FormsContext(), this);
    dialog.MoveMode = !copy;
    dialog.HotKeyLabel->setText(forms::Q(title));
    dialog.exec();
    return dialog.Done;
}

bool TMainWin::Recapture(const std::string& label, int number, bool conflict) {
    TCaptureKeys dialog(roles_->forms.FormsContext(), roles_->capture, this);
    dialog.HotKeyLabel->setText(forms::Q(label));
    dialog.GlobalTaken = conflict;
    dialog.CaptureMacroNumber = number;
    dialog.Recapture = true;
    dialog.exec();
    return dialog.CaptureStarted;
}

}  // namespace tessaro
