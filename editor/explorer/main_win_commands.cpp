// The one table from each command of the main window to its handler, and the handlers of
// the window's own small commands.
#include <iterator>
#include <utility>

#include "editor/explorer/main_win.h"
#include "platform/message_box.h"
#include "editor/model/explorer/player_link.h"
#include "protocol/window_messages.h"

namespace tessaro {

// One handler per command, in the order of ExplorerAction, so a command can be looked up by
// its value and none can be left without one.
TMainWin::Handler TMainWin::HandlerOf(ExplorerAction action) {
    using A = ExplorerAction;
    static constexpr std::pair<A, Handler> kCommandHandlers[] = {
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
        {A::SortSpeed, &TMainWin::SpeedSortClick},
        {A::Remap, &TMainWin::MenuRemapClick},
        {A::Appearance, &TMainWin::MenuAppearanceClick},
        {A::CaptureOptions, &TMainWin::MenuCaptureOptionsClick},
        {A::EMailDefaults, &TMainWin::MenuEMailOptionsClick},
        {A::EMailRecipients, &TMainWin::MenuRecipientsClick},
        {A::NetworkOptions, &TMainWin::MenuNetworkClick},
        {A::ShowDate, &TMainWin::MenuShowDateClick},
        {A::Alarm, &TMainWin::MenuAlarmClick},
        {A::TimerInterval, &TMainWin::MenuTimerClick},
        {A::DisableScreenSaver, &TMainWin::MenuDisableScreenSaverClick},
        {A::Settings, &TMainWin::MenuSettingsClick},
        {A::SnipraOptions, &TMainWin::MenuSnipraOptionsClick},
        {A::MouseLocator, &TMainWin::MenuMouseLocClick},
        {A::RestoreKeyboardHooks, &TMainWin::MenuKeyHooksClick},
        {A::RestoreMouseHooks, &TMainWin::MenuMouseHooksClick},
        {A::IE5Fix, &TMainWin::MenuIE5FixClick},
        {A::IE5Restore, &TMainWin::MenuIE5RestoreClick},
        {A::HelpContents, &TMainWin::DoHelp},
        {A::Tutorial, &TMainWin::MenuTutorialClick},
        {A::FirstTimeSetup, &TMainWin::DoFirstTime},
        {A::HomePage, &TMainWin::MenuHomePageClick},
        {A::About, &TMainWin::MenuAboutClick},
        {A::NewCategory, &TMainWin::CatNewClick},
        {A::RenameCategory, &TMainWin::CatRenameClick},
        {A::RemoveCategory, &TMainWin::CatRemoveClick},
    };
    static_assert(std::size(kCommandHandlers) == static_cast<std::size_t>(A::Last) + 1);
    static_assert([] {
        for (std::size_t i = 0; i < std::size(kCommandHandlers); ++i)
            if (kCommandHandlers[i].first != static_cast<A>(i)) return false;
        return true;
    }());
    return kCommandHandlers[static_cast<std::size_t>(action)].second;
}

void TMainWin::Run(ExplorerAction action) { (this->*HandlerOf(action))(); }

void TMainWin::MenuKeyHooksClick() { MenuKeyHooks(link_); }
void TMainWin::MenuMouseHooksClick() { MenuMouseHooks(link_); }
void TMainWin::MenuShowDateClick() {
    explorer_.MenuShowDateClick();
    commands_[ExplorerAction::ShowDate].menu->setChecked(config_.ShowDate);
}

}  // namespace tessaro
