#pragma once
// Deprecated: the platform of the code not yet handed it by reference (the editor's main
// window and what it builds, the hot-key fields). Each program's start sets it; unset (a
// unit test), it is a simulated desktop, never the X server the test happens to see.
#include <memory>
#include <string>

#include "platform/platform.h"

namespace win {

class Desktop;
class ScreenSaverInhibitor;

Platform& ProgramPlatform();
// `platform` must outlive every use; nullptr goes back to the simulated desktop.
void SetProgramPlatform(Platform* platform);

// Sets it for as long as it lives.
class ProgramPlatformScope {
public:
    explicit ProgramPlatformScope(Platform& platform) { SetProgramPlatform(&platform); }
    ~ProgramPlatformScope() { SetProgramPlatform(nullptr); }
    ProgramPlatformScope(const ProgramPlatformScope&) = delete;
    ProgramPlatformScope& operator=(const ProgramPlatformScope&) = delete;
};

// The main window's own uses, until its constructor takes the platform.
Desktop& ActiveDesktop();
std::unique_ptr<ScreenSaverInhibitor> DesktopScreenSaver(const std::string& application);

}  // namespace win
