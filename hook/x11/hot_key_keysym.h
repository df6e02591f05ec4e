#pragma once
// Which keysyms a key gives a hot key in one group of the layout: the one decision that
// the grabs and the reading of pressed keys share.
#include <array>

#include "platform/virtual_keys.h"

namespace tessaro::hook {

using KeyLevels = std::array<win::Keysym, 2>;  // the first two levels of a key in one group

// A keypad key with a digit or point on its second level gives the level NumLock selects,
// Shift inverting it, as the server types it; any other key gives both levels (a hot key
// is a key and modifiers, whatever Shift types).
KeyLevels HotKeySyms(const KeyLevels& levels, bool numLock, bool shift);

// The virtual key the levels give a hot key; 0 when none.
unsigned HotKeyVk(const KeyLevels& levels, bool numLock, bool shift);

// Whether the levels carry the hot key of virtual key `vk`: its keysym in either case of
// a letter, or a keypad keysym of the same key (Keypad Home for Home).
bool CarriesHotKey(const KeyLevels& levels, bool numLock, bool shift, unsigned vk);

}  // namespace tessaro::hook
