#include "platform/window_control.h"

#include "platform/backend.h"
#include "platform/desktop.h"
#include "platform/sim/sim_window_control.h"
#include "platform/x11/display.h"
#include "platform/x11/x11_window_control.h"

namespace win {

WindowControl& ActiveWindowControl() {
    if (ActiveBackend() == Backend::X11) {
        if (Display* d = x11::SharedDisplay()) {
            static x11::X11WindowControl control(d, ActiveDesktop());
            return control;
        }
    }
    return sim::TheSimWindowControl();
}

}  // namespace win
