// The option commands handled by the main window itself: the screen saver hold.
#include <QAction>

#include "editor/explorer/main_win.h"
#include "editor/model/explorer/player_link.h"
#include "foundation/settings.h"
#include "protocol/window_messages.h"

namespace tessaro {

void TMainWin::HoldScreenSaver() {
    screenSaver_->SetInhibited(ScreenSaverHeld(core_.GlobData, config_.DisableScreenSaver));
}

void TMainWin::MenuDisableScreenSaverClick() {
    config_.DisableScreenSaver = !config_.DisableScreenSaver;
    commands_[ExplorerAction::DisableScreenSaver].menu->setChecked(config_.DisableScreenSaver);
    SaveMiscSettings(config_);
    Post(puSettingsMisc, 0);
    HoldScreenSaver();
}

}  // namespace tessaro
