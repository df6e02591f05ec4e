// The one table from each command of the main window to its handler, and the handlers of
// the window's own small commands.
#include <utility>

#include "editor/explorer/main_win.h"
#include "platform/message_box.h"
#include "editor/model/explorer/player_link.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

constexpr char kNotAvailableText[] = "This command is not available yet.";

}  // namespace

// Commands whose dialogs are not built yet answer NotAvailableYet; each such entry gets
// its real handler when its dialog lands.
TMainWin::Handler TMainWin::HandlerOf(ExplorerAction action) {
    using A = ExplorerAction;
    static const std::pair<A, Handler> kCommandHandlers[] = {
        {A::NewFile, &TMainWin::DoNewClick},
        {A::OpenFile, &TMainWin::DoOpenClick},
        {A::ImportText, &TMainWin::MenuImportTextClick},
        {A::OutputMacroInfo, &TMainWin::MenuOutputClick},
        {A::PrintList, &TMainWin::MenuPrintClick},
        {A::PrinterFont, &TMainWin::MenuPrinterFontClick},
        {A::PrinterSetup, &TMainWin::PrinterSetup1Click},
        {A::Terminate, &TMainWin::MenuTerminateClick},
        {A::AddMacro, &TMainWin::DoAddClick},
        {A::ModifyDirectly, &TMainWin::DoModifyClick},
        {A::Recapture, &TMainWin::DoCaptureClick},
        {A::RemoveMacro, &TMainWin::DoClearClick},
        {A::CopyMacro, &TMainWin::DoCopyClick},
        {A::ChangeActivation, &TMainWin::DoMoveClick},
        {A::ActivateMacro, &TMainWin::DoActivateClick},
        {A::ScriptingEditor, &TMainWin::DoTheScript},
        {A::PlaceOnDesktop, &TMainWin::MenuOnDesktopClick},
        {A::AddToCategory, &TMainWin::MenuAddCatClick},
        {A::QuickInfo, &TMainWin::MenuQuickInfoClick},
        {A::ImportMacros, &TMainWin::MenuImportClick},
        {A::ExportMacros, &TMainWin::MenuExportClick},
        {A::SortMacros, &TMainWin::MenuSortClick},
        {A::Remap, &TMainWin::MenuRemapClick},
        {A::Appearance, &TMainWin::MenuAppearanceClick},
        {A::CaptureOptions, &TMainWin::MenuCaptureOptionsClick},
        {A::EMailDefaults, &TMainWin::MenuEMailOptionsClick},
        {A::EMailRecipients, &TMainWin::MenuRecipientsClick},
        {A::NetworkOptions, &TMainWin::MenuNetworkClick},
        {A::ShowDate, &TMainWin::MenuShowDateClick},
        {A::Alarm, &TMainWin::NotAvailableYet},
        {A::TimerInterval, &TMainWin::NotAvailableYet},
        {A::DisableScreenSaver, &TMainWin::MenuDisableScreenSaverClick},
        {A::Settings, &TMainWin::MenuSettingsClick},
        {A::SnipraOptions, &TMainWin::MenuSnipraOptionsClick},
        {A::MouseLocator, &TMainWin::MenuMouseLocClick},
        {A::RestoreKeyboardHooks, &TMainWin::MenuKeyHooksClick},
        {A::RestoreMouseHooks, &TMainWin::MenuMouseHooksClick},
        {A::IE5Fix, &TMainWin::NotAvailableYet},
        {A::IE5Restore, &TMainWin::NotAvailableYet},
        {A::HelpContents, &TMainWin::NotAvailableYet},
        {A::Tutorial, &TMainWin::MenuTutorialClick},
        {A::FirstTimeSetup, &TMainWin::DoFirstTime},
        {A::About, &TMainWin::MenuAboutClick},
        {A::NewCategory, &TMainWin::CatNewClick},
        {A::RenameCategory, &TMainWin::CatRenameClick},
        {A::RemoveCategory, &TMainWin::CatRemoveClick},
    };
    for (const auto& [a, handler] : kCommandHandlers)
        if (a == action) return handler;
    return &TMainWin::NotAvailableYet;
}

void TMainWin::Run(ExplorerAction action) { (this->*HandlerOf(action))(); }

void TMainWin::NotAvailableYet() {
    win::MessageBox(kNotAvailableText, "Notice", win::MbButtons::Ok, win::MbIcon::Information);
}

void TMainWin::MenuKeyHooksClick() { MenuKeyHooks(link_); }
void TMainWin::MenuMouseHooksClick() { MenuMouseHooks(link_); }
void TMainWin::MenuShowDateClick() {
    explorer_.MenuShowDateClick();
    commands_[ExplorerAction::ShowDate].menu->setChecked(config_.ShowDate);
}

bool TMainWin::SystemKeys(int) {
    NotAvailableYet();
    return false;
}

}  // namespace tessaro
