#include "editor/explorer/option_commands.h"

#include <QAction>
#include <utility>

#include "editor/commands/address_dialogs.h"
#include "editor/commands/delay_dialogs.h"
#include "editor/commands/mouse_dialog.h"
#include "editor/commands/small_dialogs.h"
#include "editor/explorer/explorer_core.h"
#include "editor/explorer/tools/options_dialogs.h"
#include "editor/explorer/tools/small_dialogs.h"
#include "editor/model/explorer/player_link.h"
#include "editor/model/tools/browser_repair.h"
#include "foundation/helper_programs.h"
#include "foundation/settings.h"
#include "platform/paths.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {

OptionCommands::OptionCommands(QWidget& window, TConfigRecord& config, TMainWinCore& core, PlayerLink& link,
                               std::map<ExplorerAction, CommandWidgets>& commands,
                               RecipientPathEditor& recipients,
                               std::unique_ptr<win::ScreenSaverInhibitor> screenSaver)
    : window_(window),
      config_(config),
      core_(core),
      link_(link),
      commands_(commands),
      recipients_(recipients),
      screenSaver_(std::move(screenSaver)) {}

void OptionCommands::HoldScreenSaver() {
    screenSaver_->SetInhibited(ScreenSaverHeld(core_.GlobData, config_.DisableScreenSaver));
}

void OptionCommands::MenuDisableScreenSaverClick() {
    config_.DisableScreenSaver = !config_.DisableScreenSaver;
    commands_[ExplorerAction::DisableScreenSaver].menu->setChecked(config_.DisableScreenSaver);
    SaveMiscSettings(config_);
    link_.Notify(puSettingsMisc, 0);
    HoldScreenSaver();
}

void OptionCommands::MenuCaptureOptionsClick() {
    TCaptureDefaults dialog(&window_, config_, core_.Notices());
    dialog.exec();
}

void OptionCommands::MenuEMailOptionsClick() {
    TMyEmailOptions dialog(&window_, config_, core_.Notices());
    dialog.exec();
}

void OptionCommands::MenuSettingsClick() {
    TPreference dialog(&window_, config_, core_.Notices());
    dialog.exec();
}

void OptionCommands::MenuSnipraOptionsClick() {
    TSnipraOptions dialog(&window_, config_, core_.Notices());
    dialog.exec();
}

void OptionCommands::MenuRecipientsClick() {
    TMyAddress dialog(&window_, config_, recipients_);
    dialog.exec();
}

void OptionCommands::MenuTutorialClick() {
    TUserManual dialog(&window_, win::ProgramDirectory());
    dialog.exec();
}

void OptionCommands::MenuAlarmClick() {
    TDoSound dialog(&window_, config_);
    dialog.exec();
    SaveSchedulerSettings(config_);
    link_.Notify(puSettingsScheduler, 0);
}

void OptionCommands::MenuTimerClick() {
    TDoDelay dialog(&window_, config_);
    dialog.exec();
    SaveSchedulerSettings(config_);
    link_.Notify(puSettingsScheduler, 0);
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

void OptionCommands::MenuIE5FixClick() { RunRepair(BrowserFixQuestion(), BrowserFixConfirmed, config_); }
void OptionCommands::MenuIE5RestoreClick() {
    RunRepair(BrowserRestoreQuestion(), BrowserRestoreConfirmed, config_);
}

void OptionCommands::DoHelp() { ShowHelpTopic(&window_, ""); }

void OptionCommands::MenuHomePageClick() { OpenHomePage(win::ExecutableDirectory()); }

void OptionCommands::MenuMouseLocClick() { StartMouseLocator(win::ExecutableDirectory()); }

}  // namespace tessaro
