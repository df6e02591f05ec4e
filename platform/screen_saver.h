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

}  // namespace win
