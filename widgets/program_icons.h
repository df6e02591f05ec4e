#pragma once
// The programs' own pictures, kept as files in widgets/icons and built into both programs:
// "MAIN" is the programs' window icon and a macro's default icon, "MENU" the default icon
// of a popup-menu macro.
#include <QIcon>
#include <cstdint>

#include "foundation/config_record.h"

namespace tessaro {

QIcon MainIcon();
QIcon MenuIcon();

// A macro's picture: "MAIN", "MENU" or its icon file; a file that is missing or unreadable
// gives the popup-menu picture for popup menus (scope 4) and the main one otherwise.
QIcon MacroPicture(const TMacroIcon& icon, std::uint16_t scope);

}  // namespace tessaro
