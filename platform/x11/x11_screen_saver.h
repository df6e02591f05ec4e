#pragma once
// Keeps the X desktop's screen saver from starting: the server's own (MIT-SCREEN-SAVER
// suspension, which ends with the connection) and, when the session bus offers it, the
// desktop's org.freedesktop.ScreenSaver inhibition.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/screen_saver.h"

namespace win::x11 {

class DesktopScreenSaver : public ScreenSaverInhibitor {
public:
    explicit DesktopScreenSaver(std::string application);
    ~DesktopScreenSaver() override;
    DesktopScreenSaver(const DesktopScreenSaver&) = delete;
    DesktopScreenSaver& operator=(const DesktopScreenSaver&) = delete;

    void SetInhibited(bool inhibited) override;

private:
    struct X11;
    std::unique_ptr<X11> x11_;
    std::string application_;
    bool inhibited_ = false;
    std::uint32_t cookie_ = 0;  // of the session bus inhibition; 0 for none
};

}  // namespace win::x11
