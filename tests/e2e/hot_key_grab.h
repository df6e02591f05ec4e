#pragma once
// Whether the player holds the grab of a hot key given by its code: another client's grab
// of the same key (or button) with the same modifiers then fails with BadAccess.
#include <X11/Xlib.h>

#include "platform/virtual_keys.h"
#include "protocol/hotkey_names.h"
#include "tests/support/key_target.h"

namespace tessaro::testing {

inline unsigned HotKeyModifiers(const DecipheredKey& key) {
    return (key.ctrl ? ControlMask : 0u) | (key.alt ? Mod1Mask : 0u) | (key.shift ? ShiftMask : 0u) |
           (key.win ? Mod4Mask : 0u);
}

inline bool HotKeyCodeGrabbed(Display* d, int code) {
    const DecipheredKey key = DecipherKey(code);
    const unsigned modifiers = HotKeyModifiers(key);
    if (!key.mouse) return HotKeyGrabbed(d, win::VkToKeysym(key.vk), modifiers);
    // X numbers the middle button 2 and the right one 3.
    const unsigned button = key.mouse == 2 ? 3 : key.mouse == 3 ? 2 : 1;
    return GrabTaken(
        d,
        [&] {
            XGrabButton(d, button, modifiers, DefaultRootWindow(d), False, ButtonPressMask, GrabModeAsync,
                        GrabModeAsync, None, None);
        },
        [&] { XUngrabButton(d, button, modifiers, DefaultRootWindow(d)); });
}

}  // namespace tessaro::testing
