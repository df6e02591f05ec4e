#include "platform/sim/sim_platform.h"

#include "platform/sim/sim_bell.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_input.h"
#include "platform/sim/sim_screen_saver.h"
#include "platform/sim/sim_system_settings.h"
#include "platform/sim/sim_window_control.h"

namespace win::sim {

Desktop& SimPlatform::desktop() { return TheSimDesktop(); }
WindowControl& SimPlatform::windowControl() { return TheSimWindowControl(); }
SystemSettings& SimPlatform::systemSettings() { return TheSimSystemSettings(); }
Power& SimPlatform::power() { return TheSimPower(); }
Printers& SimPlatform::printers() { return TheSimPrinters(); }
std::unique_ptr<InputBackend> SimPlatform::MakeInput() { return std::make_unique<SimInput>(); }

void SimPlatform::Bell() { RingBell(); }
std::unique_ptr<ScreenSaverInhibitor> SimPlatform::ScreenSaver(const std::string&) {
    return MakeScreenSaver();
}

}  // namespace win::sim
