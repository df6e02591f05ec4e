#pragma once
// What the X server's keyboard looks like to any client: its core keyboard map and the
// keys held down.
#include <X11/Xlib.h>

#include <cstddef>
#include <vector>

namespace tessaro::testing {

// The keysyms of every keycode, keycode by keycode, as XGetKeyboardMapping gives them.
inline std::vector<KeySym> KeyboardMap(Display* d) {
    int first = 0, last = 0, per = 0;
    XDisplayKeycodes(d, &first, &last);
    KeySym* syms = XGetKeyboardMapping(d, static_cast<KeyCode>(first), last - first + 1, &per);
    std::vector<KeySym> map(syms, syms + static_cast<std::size_t>(last - first + 1) * per);
    XFree(syms);
    return map;
}

inline std::size_t FirstKeycode(Display* d) {
    int first = 0, last = 0;
    XDisplayKeycodes(d, &first, &last);
    return static_cast<std::size_t>(first);
}

inline std::size_t KeycodeCount(Display* d) {
    int first = 0, last = 0;
    XDisplayKeycodes(d, &first, &last);
    return static_cast<std::size_t>(last - first + 1);
}

inline bool KeyIsDown(Display* d, KeyCode code) {
    char keys[32];
    XQueryKeymap(d, keys);
    return keys[code / 8] & (1 << (code % 8));
}

}  // namespace tessaro::testing
