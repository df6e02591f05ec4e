// The main window's trigger wiring: the dispatch with the interpreter behind it, the
// nickname path of a second start and the start macro of "/A".
#include <QTimer>

#include "player/ui/main_win.h"
#include "player/commands/desktop_families.h"
#include "player/engine/network_lock.h"
#include "player/engine/player_triggers.h"

namespace tessaro {

void TMainWin::StartTriggers() {
    PlayerTriggers::FileUpkeep upkeep;
    upkeep.reloadMacroFile = [this] { macros_->ReloadMacroFile(); };
    upkeep.loadMacroFile = [this](const std::string& file) { macros_->LoadMacroFile(file); };
    upkeep.getSwapFile = [this] { swaps_->GetSwapFile(); };
    upkeep.setHotKeys = [this] { SetHotKeys(); };
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
    RegisterDesktopFamilies(triggers_->families(), glob_, link_, triggers_->waitReports());

    RunByNickname = [this](const std::string& nickname) { triggers_->RunByNickname(nickname); };
    if (!switches_.startMacro.empty()) {
        const std::string nickname = switches_.startMacro;
        QTimer::singleShot(0, this, [this, nickname] {
            if (!closing_) triggers_->RunByNickname(nickname);
        });
    }
}

}  // namespace tessaro
