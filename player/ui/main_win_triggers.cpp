// The main window's trigger wiring: the dispatch with the interpreter behind it, the
// nickname path of a second start and the start macro of "/A".
#include <QTimer>

#include "player/ui/main_win.h"
#include "mail/ui/send_email_dialog.h"
#include "player/commands/email.h"
#include "player/commands/desktop_families.h"
#include "player/engine/network_lock.h"
#include "player/commands/player_commands.h"
#include "player/engine/player_triggers.h"
#include "player/ui/player_automation.h"
#include "player/ui/command_windows.h"

namespace tessaro {

void TMainWin::StartTriggers() {
    triggers_ = std::make_unique<PlayerTriggers>(
        PlayerTriggers::Context{platform_, config_, glob_, *macros_, link_, windows_, *this, *this});
    RegisterPlayerCommands(triggers_->families(), platform_, CreateDialStatusWindow(),
                           CreateVideoWindow(windows_));
    RegisterDesktopFamilies(triggers_->families(), platform_, glob_, link_, triggers_->waitReports());
    mailDialogs_ = std::make_unique<mail::MailDialogs>([this] { return config_.EMailPath.str(); });
    triggers_->families().Register(CommandFamilyId::EMail,
                                   std::make_unique<EMailFamily>(config_, *mailDialogs_));
    // Abbreviations, schedules and the network timers; the "/A" macro runs with the
    // start-up macros.
    automation_ = std::make_unique<PlayerAutomation>(
        PlayerAutomation::Context{platform_, config_, glob_, link_, *triggers_, dispatcher_, *networkLock_},
        switches_.startMacro);
    if (heartbeatWanted_) automation_->networkTimers().HeartbeatTimer(true);
}

void TMainWin::RunByNickname(const std::string& nickname) {
    if (triggers_) triggers_->RunByNickname(nickname);
}

}  // namespace tessaro
