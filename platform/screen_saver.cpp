#include "platform/screen_saver.h"

#include "platform/backend.h"
#include "platform/sim/sim_screen_saver.h"
#include "platform/x11/x11_screen_saver.h"

namespace win {

std::unique_ptr<ScreenSaverInhibitor> DesktopScreenSaver(const std::string& application) {
    if (ActiveBackend() == Backend::Sim) return sim::MakeScreenSaver();
    return std::make_unique<x11::DesktopScreenSaver>(application);
}

}  // namespace win
