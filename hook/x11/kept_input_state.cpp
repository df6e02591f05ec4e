#include "hook/x11/kept_input_state.h"

#include "platform/x11/error_trap.h"

namespace tessaro::hook {

void KeptKeyboardState::Start(Display* d) {
    constexpr unsigned long kChanges = XkbGroupStateMask | XkbModifierLockMask;
    XkbSelectEventDetails(d, XkbUseCoreKbd, XkbStateNotify, kChanges, kChanges);
    XkbStateRec state{};
    if (XkbGetState(d, XkbUseCoreKbd, &state) != Success) return;
    group_ = state.group;
    lockedMods_ = state.locked_mods;
}

void KeptFocus::Start(Display* d, long rootMask) {
    d_ = d;
    root_ = DefaultRootWindow(d);
    XSelectInput(d_, root_, rootMask | FocusChangeMask);
    stale_ = true;
}

void KeptFocus::Stop() {
    if (!d_ || !watched_) return;
    win::x11::ErrorTrap trap(d_);
    XSelectInput(d_, watched_, NoEventMask);
    watched_ = 0;
}

std::uint32_t KeptFocus::Window() {
    if (!d_ || !stale_) return focus_;
    // The notices are selected before the focus is read, so that a change in between is
    // noticed; a focus that moved meanwhile is read again.
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(d_, &focus, &revert);
    for (int tries = 0; tries < 3; ++tries) {
        win::x11::ErrorTrap trap(d_);
        if (watched_ && watched_ != focus) XSelectInput(d_, watched_, NoEventMask);
        watched_ = focus > PointerRoot && focus != root_ ? focus : 0;
        if (watched_) XSelectInput(d_, watched_, FocusChangeMask);
        const bool gone = trap.Finish() != 0;
        ::Window now = 0;
        XGetInputFocus(d_, &now, &revert);
        if (now == focus && !gone) {
            stale_ = false;
            break;
        }
        focus = now;
    }
    focus_ = focus > PointerRoot ? static_cast<std::uint32_t>(focus) : 0;
    return focus_;
}

}  // namespace tessaro::hook
