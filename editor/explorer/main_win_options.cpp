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

void TMainWin::MenuAppearanceClick() {
    const std::array<int, 3> widths{widgets_.grid->ColWidths(2), widgets_.grid->ColWidths(3), widgets_.grid->ColWidths(4)};
    TDoAppear dialog(this, config_, widths, CategoryPanel()->isVisible() ? CategoryPanel()->width() : 0,
                     NoticesTo(core_.PlayerWnd), *this);
    dialog.exec();
}

void TMainWin::ApplyAppearance(bool categoriesWereShown) {
    AdjustGridSpacing();
    widgets_.grid->SetColWidths(1, config_.ShowIcons ? widgets_.grid->DefaultRowHeight() : 0);
    const int widths[] = {config_.Col1Width, config_.Col2Width, config_.Col3Width};
    for (int c = 2; c <= 4; ++c) widgets_.grid->SetColWidths(c, widths[c - 2]);
    roles_->categories.ApplyAppearance(categoriesWereShown);
    widgets_.commands[ExplorerAction::AddToCategory].menu->setEnabled(config_.ShowCategory);
    widgets_.speedStrip->setVisible(config_.UseSpeed);
    widgets_.speedStrip->setEnabled(config_.UseSpeed);
    widgets_.buttonPanel->setVisible(!config_.UseSpeed);
    widgets_.buttonPanel->setEnabled(!config_.UseSpeed);
    Repaint();
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
