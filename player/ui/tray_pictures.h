#pragma once
// The player's tray pictures, drawn so that no image file is needed.
#include <QIcon>

namespace tessaro {

QIcon PlayerIcon();   // the player at rest
QIcon RunningIcon();  // while a macro runs

}  // namespace tessaro
