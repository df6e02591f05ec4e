// The one table from each command of the main window to its handler, and the handlers of
// the window's own small commands.
#include <iterator>
#include <utility>

#include "editor/explorer/main_win.h"
#include "editor/explorer/main_win_roles.h"

namespace tessaro {

// One handler per command, in the order of ExplorerAction, so a command can be looked up by
// its value and none can be left without one.
TMainWin::Handler TMainWin::HandlerOf(ExplorerAction action) {
    using A = ExplorerAction;
    static constexpr std::pair<A, Handler> kCommandHandlers[] = {
        {A::NewFile, [](TMainWin& w) { w.explorer_.DoNew(); }},
        {A::OpenFile, [](TMainWin& w) { w.explorer_.DoOpen(); }},
        {A::ImportText, [](TMainWin& w) { w.roles_->tools.MenuImportTextClick(); }},
        {A::OutputMacroInfo, [](TMainWin& w) { w.roles_->tools.MenuOutputClick(); }},
        {A::PrintList, [](TMainWin& w) { w.roles_->printing.MenuPrintClick(); }},
        {A::PrinterFont, [](TMainWin& w) { w.roles_->printing.MenuPrinterFontClick(); }},
        {A::PrinterSetup, [](TMainWin& w) { w.roles_->printing.PrinterSetup1Click(); }},
        {A::Terminate, [](TMainWin& w) { w.MenuTerminateClick(); }},
        {A::AddMacro, [](TMainWin& w) { w.explorer_.DoAdd(); }},
        {A::ModifyDirectly, [](TMainWin& w) { w.explorer_.DoModify(false); }},
        {A::Recapture, [](TMainWin& w) { w.explorer_.DoCapture(); }},
        {A::RemoveMacro, [](TMainWin& w) { w.explorer_.DoClear(); }},
        {A::CopyMacro, [](TMainWin& w) { w.explorer_.DoCopy(); }},
        {A::ChangeActivation, [](TMainWin& w) { w.explorer_.DoMove(false); }},
        {A::ActivateMacro, [](TMainWin& w) { w.explorer_.DoActivate(); }},
        {A::ScriptingEditor, [](TMainWin& w) { w.roles_->forms.DoTheScript(); }},
        {A::PlaceOnDesktop, [](TMainWin& w) { w.roles_->tools.MenuOnDesktopClick(); }},
        {A::AddToCategory, [](TMainWin& w) { w.roles_->categories.AddSelectedMacro(); }},
        {A::QuickInfo, [](TMainWin& w) { w.explorer_.DoInfo(w.explorer_.selectedRow()); }},
        {A::ImportMacros, [](TMainWin& w) { w.roles_->tools.MenuImportClick(); }},
        {A::ExportMacros, [](TMainWin& w) { w.roles_->tools.MenuExportClick(); }},
        {A::SortMacros, [](TMainWin& w) { w.roles_->appearance.MenuSortClick(); }},
        {A::SortSpeed, [](TMainWin& w) { w.roles_->appearance.SpeedSortClick(); }},
        {A::Remap, [](TMainWin& w) { w.roles_->tools.MenuRemapClick(); }},
        {A::Appearance, [](TMainWin& w) { w.roles_->appearance.MenuAppearanceClick(); }},
        {A::CaptureOptions, [](TMainWin& w) { w.roles_->options.MenuCaptureOptionsClick(); }},
        {A::EMailDefaults, [](TMainWin& w) { w.roles_->options.MenuEMailOptionsClick(); }},
        {A::EMailRecipients, [](TMainWin& w) { w.roles_->options.MenuRecipientsClick(); }},
        {A::NetworkOptions, [](TMainWin& w) { w.roles_->network.MenuNetworkClick(); }},
        {A::ShowDate, [](TMainWin& w) { w.MenuShowDateClick(); }},
        {A::Alarm, [](TMainWin& w) { w.roles_->options.MenuAlarmClick(); }},
        {A::TimerInterval, [](TMainWin& w) { w.roles_->options.MenuTimerClick(); }},
        {A::DisableScreenSaver, [](TMainWin& w) { w.roles_->options.MenuDisableScreenSaverClick(); }},
        {A::Settings, [](TMainWin& w) { w.roles_->options.MenuSettingsClick(); }},
        {A::SnipraOptions, [](TMainWin& w) { w.roles_->options.MenuSnipraOptionsClick(); }},
        {A::MouseLocator, [](TMainWin& w) { w.roles_->options.MenuMouseLocClick(); }},
        {A::RestoreKeyboardHooks, [](TMainWin& w) { w.roles_->player.RestoreKeyboardHooks(); }},
        {A::RestoreMouseHooks, [](TMainWin& w) { w.roles_->player.RestoreMouseHooks(); }},
        {A::IE5Fix, [](TMainWin& w) { w.roles_->options.MenuIE5FixClick(); }},
        {A::IE5Restore, [](TMainWin& w) { w.roles_->options.MenuIE5RestoreClick(); }},
        {A::HelpContents, [](TMainWin& w) { w.roles_->options.DoHelp(); }},
        {A::Tutorial, [](TMainWin& w) { w.roles_->options.MenuTutorialClick(); }},
        {A::FirstTimeSetup, [](TMainWin& w) { w.DoFirstTime(); }},
        {A::HomePage, [](TMainWin& w) { w.roles_->options.MenuHomePageClick(); }},
        {A::About, [](TMainWin& w) { w.MenuAboutClick(); }},
        {A::NewCategory, [](TMainWin& w) { w.roles_->categories.NewCategory(); }},
        {A::RenameCategory, [](TMainWin& w) { w.roles_->categories.RenameCategory(); }},
        {A::RemoveCategory, [](TMainWin& w) { w.roles_->categories.RemoveCategory(); }},
    };
    static_assert(std::size(kCommandHandlers) == static_cast<std::size_t>(A::Last) + 1);
    static_assert([] {
        for (std::size_t i = 0; i < std::size(kCommandHandlers); ++i)
            if (kCommandHandlers[i].first != static_cast<A>(i)) return false;
        return true;
    }());
    return kCommandHandlers[static_cast<std::size_t>(action)].second;
}

void TMainWin::Run(ExplorerAction action) { HandlerOf(action)(*this); }

void TMainWin::MenuShowDateClick() {
    explorer_.MenuShowDateClick();
    widgets_.commands[ExplorerAction::ShowDate].menu->setChecked(config_.ShowDate);
}

}  // namespace tessaro
