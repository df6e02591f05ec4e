#include "editor/explorer/macro_form_dialogs.h"

#include <QLabel>

#include "editor/explorer/editor_capture.h"
#include "editor/explorer/explorer_core.h"
#include "editor/explorer/forms/form_support.h"
#include "editor/explorer/forms/t_add_new_hot_key.h"
#include "editor/explorer/forms/t_capture_keys.h"
#include "editor/explorer/forms/t_copy_or_move.h"
#include "editor/explorer/forms/t_do_build_menu.h"
#include "editor/explorer/forms/t_mod_hot_keys.h"
#include "editor/explorer/forms_services.h"
#include "editor/explorer/tools/small_dialogs.h"
#include "editor/explorer/tools/system_keys_dialog.h"
#include "editor/model/explorer/file_menu.h"
#include "platform/paths.h"

namespace tessaro {

MacroFormDialogs::MacroFormDialogs(QWidget& window, TConfigRecord& config, TMainWinCore& core,
                                   Explorer& explorer, FormsServices& forms, EditorCapture& capture)
    : window_(window), config_(config), core_(core), explorer_(explorer), forms_(forms), capture_(capture) {}

MacroDialogs::AddResult MacroFormDialogs::AddMacro(int number) {
    TAddNewHotKey dialog(forms_.FormsContext(), capture_, forms_, &window_);
    dialog.NewMacroNumber = number;
    dialog.exec();
    // A started capture counted the new macro already; the append counts it once its
    // record is in the file, so a failed append leaves the count as it was.
    if (dialog.ResultModify) {
        --core_.GlobData.MacroCount;
        capture_.UpNumKeys();
    }
    return {dialog.ResultUpdated, dialog.ResultTrayChanged, dialog.CaptureStarted};
}

MacroDialogs::MenuResult MacroFormDialogs::ModifyPopupMenu(const std::string& hotKeyName) {
    TDoBuildMenu dialog(forms_.FormsContext(), &window_);
    dialog.ModifyExisting = true;
    dialog.HotKeyLabel->setText(win::ToQt(hotKeyName));
    dialog.exec();
    return {dialog.Updated, dialog.TrayChanged};
}

bool MacroFormDialogs::ModifyProperties(int kind, const std::string& text, bool conflict) {
    TModHotKeys dialog(forms_.FormsContext(), &window_);
    dialog.ModifyExisting = true;
    dialog.ActivationKind = kind;
    dialog.GlobalKeyTaken = conflict;
    if (kind == 1) dialog.HotKeyLabel->setText(win::ToQt(text));
    dialog.exec();
    return dialog.Updated;
}

bool MacroFormDialogs::CopyOrMove(bool copy, const std::string& title) {
    TCopyOrMove dialog(forms_.FormsContext(), &window_);
    dialog.MoveMode = !copy;
    dialog.HotKeyLabel->setText(win::ToQt(title));
    dialog.exec();
    return dialog.Done;
}

bool MacroFormDialogs::SystemKeys(int function) {
    TSystemKeys dialog(&window_, core_.Messages, core_.GlobData, explorer_.file(), config_, core_.Notices(),
                       function);
    dialog.exec();
    return dialog.Changed;
}

bool MacroFormDialogs::Recapture(const std::string& label, int number, bool conflict) {
    TCaptureKeys dialog(forms_.FormsContext(), capture_, &window_);
    dialog.HotKeyLabel->setText(win::ToQt(label));
    dialog.GlobalTaken = conflict;
    dialog.CaptureMacroNumber = number;
    dialog.Recapture = true;
    dialog.exec();
    return dialog.CaptureStarted;
}

void MacroFormDialogs::QuickInfo() {
    TQuickInfo dialog(&window_, core_.CurrentMacro, win::ProgramDirectory(), GetSched(core_.CurrentMacro));
    dialog.exec();
}

}  // namespace tessaro
