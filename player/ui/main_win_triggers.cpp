// The main window's trigger wiring: the dispatch with the interpreter behind it, the
// nickname path of a second start and the start macro of "/A".
#include <QTimer>

#include "player/ui/main_win.h"
#include "player/engine/network_lock.h"
#include "player/engine/player_triggers.h"
#include "player/ui/player_automation.h"

namespace tessaro {

void TMainWin::StartTriggers() {
    PlayerTriggers::FileUpkeep upkeep;
    upkeep.reloadMacroFile = [this] { macros_->ReloadMacroFile(); };
    upkeep.loadMacroFile = [this](const std::string& file) { macros_->LoadMacroFile(file); };
    upkeep.getSwapFile = [this] { swaps_->GetSwapFile(); };
    upkeep.setHotKeys = [this] { SetHotKeys(); };
    upkeep.checkAndSetTime = [this] {
        if (automation_) automation_->scheduler().CheckAndSetTime();
    };
    upkeep.fileInUse = [this] { return networkLock_->FileInUse(); };
    upkeep.releaseSyncFile = [this](int changes) { networkLock_->ReleaseSyncFile(changes); };
    upkeep.useLockFileOf = [this](const std::string& file) {
        networkLock_->Configure(config_.NetworkMode, file);
    };

    PlayerTriggers::Context context{
        config_,
        glob_,
        *macros_,
        link_,
        windows_,
        mainIcon_.get(),
        [this] { return macros_->CurrentFilePath(); },
        [this](char id) {
            // Capture and the menu of the top window are not part of the player yet.
            if (id == '5')
                QTimer::singleShot(0, this, [this] { Terminate(); });
            else if (id == '1')
                ActivateMe();
        },
        [this] { return closing_; },
        [this] { return networkLock_->ReloadIfChanged(); },
        std::move(upkeep),
    };
    triggers_ = std::make_unique<PlayerTriggers>(std::move(context));

    RunByNickname = [this](const std::string& nickname) { triggers_->RunByNickname(nickname); };
    // Abbreviations, schedules and the network timers; the "/A" macro runs with the
    // start-up macros.
    automation_ = std::make_unique<PlayerAutomation>(
        PlayerAutomation::Context{config_, glob_, link_, *triggers_, dispatcher_, *networkLock_},
        switches_.startMacro);
}

}  // namespace tessaro
