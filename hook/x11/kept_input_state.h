#pragma once
// What the hook reads at every key, kept from the server's notices instead of asked for
// each time: the keyboard's group and locked modifiers (XKB state notices, in order with
// the raw key events), and the window with the input focus (the focus notices of the
// window that has it, and of the root for the pointer root).
#include <X11/Xlib.h>
#include <X11/XKBlib.h>

#include <cstdint>

namespace tessaro::hook {

class KeptKeyboardState {
public:
    // Asks for the state once and selects the notices that change it.
    void Start(Display* d);
    void Notice(const XkbStateNotifyEvent& e) {
        group_ = e.group;
        lockedMods_ = e.locked_mods;
    }
    int Group() const { return group_; }
    unsigned LockedMods() const { return lockedMods_; }

private:
    int group_ = 0;
    unsigned lockedMods_ = 0;
};

class KeptFocus {
public:
    // Selects the root's focus notices next to `rootMask`, what the caller selects there.
    void Start(Display* d, long rootMask);
    // The focused window; 0 for none or the pointer root. Asked of the server only after
    // a notice said the focus left the window kept.
    std::uint32_t Window();
    void Notice(const XFocusChangeEvent& e) {
        // A grab's start and end move no focus: each hot key brings a pair of them.
        if (e.mode == NotifyGrab || e.mode == NotifyUngrab) return;
        if (e.window == watched_ || e.window == root_) stale_ = true;
    }
    void Stop();

private:
    Display* d_ = nullptr;
    ::Window root_ = 0;
    ::Window watched_ = 0;  // the focused window, whose focus notices are selected
    std::uint32_t focus_ = 0;
    bool stale_ = true;
};

}  // namespace tessaro::hook
