#pragma once
// Keeps the desktop's screen saver from starting: the X server's own (MIT-SCREEN-SAVER
// suspension, which ends with the connection) and, when the session bus offers it, the
// desktop's org.freedesktop.ScreenSaver inhibition.
#include <cstdint>
#include <memory>

#include "player/schedule/scheduler.h"

namespace tessaro {

class DesktopScreenSaver : public ScreenSaverInhibitor {
public:
    DesktopScreenSaver();
    ~DesktopScreenSaver() override;
    DesktopScreenSaver(const DesktopScreenSaver&) = delete;
    DesktopScreenSaver& operator=(const DesktopScreenSaver&) = delete;

    void SetInhibited(bool inhibited) override;
    bool inhibited() const { return inhibited_; }

private:
    struct X11;
    std::unique_ptr<X11> x11_;
    bool inhibited_ = false;
    std::uint32_t cookie_ = 0;  // of the session bus inhibition; 0 for none
};

}  // namespace tessaro
