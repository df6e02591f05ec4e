#pragma once
// The X server's desktop as a platform, over the process's own connection
// (platform/x11/display.h). Each program builds it once in its main file.
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace win::x11 {

// Nothing when the display named by $DISPLAY can be opened; else why not, as one phrase:
// "DISPLAY is not set" or "display :NN cannot be opened".
std::optional<std::string> DisplayProblem();

// nullptr when no display can be opened (DisplayProblem() says why).
std::unique_ptr<Platform> OpenPlatform();

}  // namespace win::x11
