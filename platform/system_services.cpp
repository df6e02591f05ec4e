#include "platform/backend.h"
#include "platform/cups_printers.h"
#include "platform/logind_power.h"
#include "platform/sim/sim_system_settings.h"
#include "platform/x11/display.h"
#include "platform/x11/x11_system_settings.h"

namespace win {

SystemSettings& ActiveSystemSettings() {
    if (ActiveBackend() == Backend::X11) {
        if (Display* d = x11::SharedDisplay()) {
            static x11::X11SystemSettings settings(d);
            return settings;
        }
    }
    return sim::TheSimSystemSettings();
}

Printers& ActivePrinters() {
    if (ActiveBackend() == Backend::X11) {
        static CupsPrinters printers;
        return printers;
    }
    return sim::TheSimPrinters();
}

Power& ActivePower() {
    if (ActiveBackend() == Backend::X11) {
        static LogindPower power;
        return power;
    }
    return sim::TheSimPower();
}

}  // namespace win
