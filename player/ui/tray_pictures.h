#pragma once
// The player's tray pictures, drawn so that no image file is needed.
#include <QIcon>
#include <cstdint>

#include "foundation/config_record.h"

namespace tessaro {

QIcon PlayerIcon();     // the player at rest; the "MAIN" macro icon
QIcon RunningIcon();    // while a macro runs
QIcon RecordingIcon();  // while a macro is recorded
QIcon MenuIcon();       // popup-menu macros; the "MENU" macro icon

// A macro's picture in the chooser: "MAIN", "MENU" or its icon file; a file that is
// missing or unreadable falls back to the popup-menu picture for popup menus and to the
// program's otherwise.
QIcon MacroPicture(const TMacroIcon& icon, std::uint16_t scope);
// A popup-menu macro's tray picture: its icon file unless it names "MENU" or is missing.
QIcon PopupTrayPicture(const TMacroIcon& icon);

}  // namespace tessaro
