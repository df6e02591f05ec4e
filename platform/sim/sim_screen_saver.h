#pragma once
// The simulated desktop's screen saver: whether some holder keeps it off.
#include "platform/screen_saver.h"

namespace win::sim {

std::unique_ptr<ScreenSaverInhibitor> MakeScreenSaver();
bool ScreenSaverInhibited();

}  // namespace win::sim
