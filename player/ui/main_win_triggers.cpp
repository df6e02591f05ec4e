// The main window's trigger wiring: the dispatch with the interpreter behind it, the
// nickname path of a second start and the start macro of "/A".
#include <QTimer>

#include "player/ui/main_win.h"

namespace tessaro {

void TMainWin::StartTriggers() {
    triggers_ = std::make_unique<PlayerTriggers>(
        PlayerTriggers::Context{config_, glob_, *macros_, link_, windows_, *this, *this});
    if (!switches_.startMacro.empty()) {
        const std::string nickname = switches_.startMacro;
        QTimer::singleShot(0, this, [this, nickname] { RunByNickname(nickname); });
    }
}

void TMainWin::RunByNickname(const std::string& nickname) {
    if (triggers_) triggers_->RunByNickname(nickname);
}

}  // namespace tessaro
