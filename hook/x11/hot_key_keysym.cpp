#include "hook/x11/hot_key_keysym.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace tessaro::hook {

namespace {

bool IsKeypad(win::Keysym s) { return s >= XK_KP_Space && s <= XK_KP_Equal; }

}  // namespace

KeyLevels HotKeySyms(const KeyLevels& levels, bool numLock, bool shift) {
    if (!IsKeypad(levels[0]) || !IsKeypad(levels[1]) || levels[0] == levels[1]) return levels;
    return {levels[numLock != shift ? 1 : 0], NoSymbol};
}

unsigned HotKeyVk(const KeyLevels& levels, bool numLock, bool shift) {
    for (win::Keysym s : HotKeySyms(levels, numLock, shift))
        if (const unsigned vk = win::VkFromKeysym(s)) return vk;
    return 0;
}

bool CarriesHotKey(const KeyLevels& levels, bool numLock, bool shift, unsigned vk) {
    const win::Keysym sym = win::VkToKeysym(vk);
    if (sym == NoSymbol) return false;
    KeySym lower = sym, upper = sym;
    XConvertCase(sym, &lower, &upper);
    for (win::Keysym s : HotKeySyms(levels, numLock, shift))
        if (s != NoSymbol && (s == lower || s == upper || (IsKeypad(s) && win::VkFromKeysym(s) == vk)))
            return true;
    return false;
}

}  // namespace tessaro::hook
