#pragma once
// The player's windows that the file, dial-up and multimedia commands use.
#include <memory>

#include "player/commands/dialup.h"
#include "player/commands/multimedia.h"

namespace tessaro {

class QtPlayerWindows;

std::unique_ptr<DialStatusWindow> CreateDialStatusWindow();
std::unique_ptr<VideoWindow> CreateVideoWindow(QtPlayerWindows& windows);

}  // namespace tessaro
