#pragma once
// The player's tray pictures: at rest the programs' own icon (widgets/program_icons.h);
// the two passing states are drawn.
#include <QIcon>

#include "foundation/config_record.h"
#include "widgets/program_icons.h"

namespace tessaro {

QIcon RunningIcon();    // while a macro runs
QIcon RecordingIcon();  // while a macro is recorded

// A popup-menu macro's tray picture: its icon file unless it names "MENU" or is missing.
QIcon PopupTrayPicture(const TMacroIcon& icon);

}  // namespace tessaro
