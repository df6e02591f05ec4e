#pragma once
// Keeps the desktop's screen saver from starting while held.
#include <memory>
#include <string>

namespace win {

class ScreenSaverInhibitor {
public:
    virtual ~ScreenSaverInhibitor() = default;
    virtual void SetInhibited(bool inhibited) = 0;
};

// The active desktop's: `application` names the holder to the session bus. Released when
// destroyed.
std::unique_ptr<ScreenSaverInhibitor> DesktopScreenSaver(const std::string& application);

}  // namespace win
