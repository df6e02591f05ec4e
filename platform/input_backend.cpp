#include "platform/input_backend.h"

#include <cstdio>

#include "platform/backend.h"
#include "platform/held_input_record.h"
#include "platform/sim/sim_input.h"
#include "platform/x11/display.h"
#include "platform/x11/xtest_input.h"

namespace win {

std::unique_ptr<InputBackend> CreateInputBackend() {
    if (ActiveBackend() == Backend::X11) {
        if (Display* d = x11::SharedDisplay()) {
            auto xtest = std::make_unique<x11::XTestInput>(d);
            if (xtest->ok()) return xtest;
            std::fputs("tessaro: the X server lacks the XTEST extension; macros cannot type\n", stderr);
        }
    }
    return std::make_unique<sim::SimInput>();
}

bool UndoInputLeftByDeadPlayer() {
    if (ActiveBackend() != Backend::X11) return false;
    HeldInput leftover;
    // Held by a living process: that one is no dead player.
    const auto record = HeldInputRecord::Claim(leftover);
    return record && !leftover.empty() && x11::UndoHeldInput(leftover) && record->Write({});
}

}  // namespace win
