#include "platform/bell.h"

#include "platform/backend.h"
#include "platform/sim/sim_bell.h"
#include "platform/x11/display.h"

namespace win {

void DesktopBell() {
    if (ActiveBackend() == Backend::Sim) {
        sim::RingBell();
        return;
    }
    if (Display* display = x11::SharedDisplay()) {
        XBell(display, 0);
        XFlush(display);
    }
}

}  // namespace win
