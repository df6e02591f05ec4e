#pragma once
// A keycode with no keysym at all, free to be mapped for a test; 0 when none.
#include <X11/Xlib.h>

namespace tessaro::hook {

inline KeyCode SpareKeycode(Display* d) {
    int minKc = 0, maxKc = 0;
    XDisplayKeycodes(d, &minKc, &maxKc);
    for (int kc = maxKc; kc >= minKc; --kc) {
        int per = 0;
        KeySym* syms = XGetKeyboardMapping(d, static_cast<KeyCode>(kc), 1, &per);
        bool empty = true;
        for (int i = 0; i < per; ++i) empty = empty && syms[i] == NoSymbol;
        XFree(syms);
        if (empty) return static_cast<KeyCode>(kc);
    }
    return 0;
}

}  // namespace tessaro::hook
