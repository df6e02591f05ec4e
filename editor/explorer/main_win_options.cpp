// The option and tool commands handled by the main window itself: the screen saver hold,
// the list's appearance, the mouse locator and the home page.
#include <QAction>
#include <QListWidget>
#include <array>

#include "editor/commands/delay_dialogs.h"
#include "editor/commands/mouse_dialog.h"
#include "editor/commands/small_dialogs.h"
#include "editor/explorer/main_win.h"
#include "editor/explorer/main_win_roles.h"
#include "editor/explorer/tools/appearance_dialog.h"
#include "editor/model/explorer/player_link.h"
#include "editor/model/tools/browser_repair.h"
#include "foundation/helper_programs.h"
#include "foundation/settings.h"
#include "platform/paths.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

void TMainWin::HoldScreenSaver() {
    screenSaver_->SetInhibited(ScreenSaverHeld(core_.GlobData, config_.DisableScreenSaver));
}

void TMainWin::MenuDisableScreenSaverClick() {
    config_.DisableScreenSaver = !config_.DisableScreenSaver;
    widgets_.commands[ExplorerAction::DisableScreenSaver].menu->setChecked(config_.DisableScreenSaver);
    SaveMiscSettings(config_);
    Post(puSettingsMisc, 0);
    HoldScreenSaver();
}

void TMainWin::MenuAlarmClick() {
    TDoSound dialog(this, config_);
    dialog.exec();
    SaveSchedulerSettings(config_);
    Post(puSettingsScheduler, 0);
}

void TMainWin::MenuTimerClick() {
    TDoDelay dialog(this, config_);
    dialog.exec();
    SaveSchedulerSettings(config_);
    Post(puSettingsScheduler, 0);
}

namespace {

// Asks the repair's question; on Yes shows what the confirmed repair reports.
void RunRepair(const RepairStep& question, RepairStep (*confirmed)(TConfigRecord&), TConfigRecord& config) {
    if (win::MessageBox(question.text, question.caption, win::MbButtons::YesNo, win::MbIcon::Question) !=
        win::MbResult::Yes)
        return;
    const RepairStep result = confirmed(config);
    win::MessageBox(result.text, result.caption, win::MbButtons::Ok, win::MbIcon::Error);
}

}  // namespace

void TMainWin::MenuIE5FixClick() { RunRepair(BrowserFixQuestion(), BrowserFixConfirmed, config_); }
void TMainWin::MenuIE5RestoreClick() {
    RunRepair(BrowserRestoreQuestion(), BrowserRestoreConfirmed, config_);
}

void TMainWin::DoHelp() { ShowHelpTopic(this, ""); }

void TMainWin::MenuHomePageClick() { OpenHomePage(win::ExecutableDirectory()); }

void TMainWin::MenuMouseLocClick() { StartMouseLocator(win::ExecutableDirectory()); }

}  // namespace tessaro
