// The one table from each command of the main window to its handler, and the handlers of
// the window's own small commands.
#include <utility>

#include "editor/explorer/main_win.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

namespace {

constexpr char kNotAvailableText[] = "This command is not available yet.";

const char kKeyboardHooksText[] =
    "It is possible for other programs which are run after Tessaro 99 to improperly install themselves "
    "into the system wide Windows keyboard hooks.  This causes Tessaro 99 to no longer be able to monitor "
    "keystrokes.  This option will reinstall the Windows keyboard hooks used by Tessaro 99 so that "
    "Tessaro 99 will have the first look at the keystrokes and will be able to monitor the keystrokes "
    "again.  Continue?";
const char kMouseHooksText[] =
    "It is possible for other programs which are run after Tessaro 99 to improperly install themselves "
    "into the system wide Windows mouse hooks.  This causes Tessaro 99 to no longer be able to monitor "
    "mouse movements and clicks.  This option will reinstall the Windows mouse hooks used by Tessaro 99 "
    "so that Tessaro 99 will have the first look at the mouse movements and will be able to monitor the "
    "mouse again.  Continue?";

}  // namespace

// Commands whose dialogs are not built yet answer NotAvailableYet; each such entry gets
// its real handler when its dialog lands.
TMainWin::Handler TMainWin::HandlerOf(ExplorerAction action) {
    using A = ExplorerAction;
    static const std::pair<A, Handler> kCommandHandlers[] = {
        {A::NewFile, &TMainWin::NotAvailableYet},
        {A::OpenFile, &TMainWin::NotAvailableYet},
        {A::ImportText, &TMainWin::NotAvailableYet},
        {A::OutputMacroInfo, &TMainWin::NotAvailableYet},
        {A::PrintList, &TMainWin::MenuPrintClick},
        {A::PrinterFont, &TMainWin::MenuPrinterFontClick},
        {A::PrinterSetup, &TMainWin::PrinterSetup1Click},
        {A::Terminate, &TMainWin::MenuTerminateClick},
        {A::AddMacro, &TMainWin::DoAdd},
        {A::ModifyDirectly, &TMainWin::DoModifySelected},
        {A::Recapture, &TMainWin::NotAvailableYet},
        {A::RemoveMacro, &TMainWin::NotAvailableYet},
        {A::CopyMacro, &TMainWin::DoCopy},
        {A::ChangeActivation, &TMainWin::DoMove},
        {A::ActivateMacro, &TMainWin::NotAvailableYet},
        {A::ScriptingEditor, &TMainWin::NotAvailableYet},
        {A::PlaceOnDesktop, &TMainWin::NotAvailableYet},
        {A::AddToCategory, &TMainWin::NotAvailableYet},
        {A::QuickInfo, &TMainWin::NotAvailableYet},
        {A::ImportMacros, &TMainWin::NotAvailableYet},
        {A::ExportMacros, &TMainWin::NotAvailableYet},
        {A::SortMacros, &TMainWin::NotAvailableYet},
        {A::Remap, &TMainWin::NotAvailableYet},
        {A::Appearance, &TMainWin::NotAvailableYet},
        {A::CaptureOptions, &TMainWin::NotAvailableYet},
        {A::EMailDefaults, &TMainWin::NotAvailableYet},
        {A::EMailRecipients, &TMainWin::NotAvailableYet},
        {A::NetworkOptions, &TMainWin::NotAvailableYet},
        {A::ShowDate, &TMainWin::NotAvailableYet},
        {A::Alarm, &TMainWin::NotAvailableYet},
        {A::TimerInterval, &TMainWin::NotAvailableYet},
        {A::DisableScreenSaver, &TMainWin::NotAvailableYet},
        {A::Settings, &TMainWin::NotAvailableYet},
        {A::SnipraOptions, &TMainWin::NotAvailableYet},
        {A::MouseLocator, &TMainWin::NotAvailableYet},
        {A::RestoreKeyboardHooks, &TMainWin::MenuKeyHooksClick},
        {A::RestoreMouseHooks, &TMainWin::MenuMouseHooksClick},
        {A::IE5Fix, &TMainWin::NotAvailableYet},
        {A::IE5Restore, &TMainWin::NotAvailableYet},
        {A::HelpContents, &TMainWin::NotAvailableYet},
        {A::Tutorial, &TMainWin::NotAvailableYet},
        {A::FirstTimeSetup, &TMainWin::NotAvailableYet},
        {A::About, &TMainWin::MenuAboutClick},
        {A::NewCategory, &TMainWin::NotAvailableYet},
        {A::RenameCategory, &TMainWin::NotAvailableYet},
        {A::RemoveCategory, &TMainWin::NotAvailableYet},
    };
    for (const auto& [a, handler] : kCommandHandlers)
        if (a == action) return handler;
    return &TMainWin::NotAvailableYet;
}

void TMainWin::Run(ExplorerAction action) { (this->*HandlerOf(action))(); }

void TMainWin::NotAvailableYet() {
    win::MessageBox(kNotAvailableText, "Notice", win::MbButtons::Ok, win::MbIcon::Information);
}

void TMainWin::DoQuickWiz(int function) {
    // The wizards are not built yet; each of the 29 answers the same notice.
    (void)function;
    NotAvailableYet();
}

void TMainWin::MenuKeyHooksClick() {
    if (win::MessageBox(kKeyboardHooksText, "Keyboard Hooks", win::MbButtons::YesNo, win::MbIcon::Question) !=
        win::MbResult::Yes)
        return;
    Post(puHooks, 2);
    Post(puHooks, 1);
}

void TMainWin::MenuMouseHooksClick() {
    if (win::MessageBox(kMouseHooksText, "Mouse Hooks", win::MbButtons::YesNo, win::MbIcon::Question) !=
        win::MbResult::Yes)
        return;
    Post(puHooks, 4);
    Post(puHooks, 3);
}

}  // namespace tessaro
