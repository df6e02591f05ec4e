#pragma once
// The player's small windows stand above the program the user works in.
class QWidget;

namespace tessaro {

// Makes a window topmost and gives it the foreground once it is shown.
void MakeOnTop(QWidget& window);

}  // namespace tessaro
