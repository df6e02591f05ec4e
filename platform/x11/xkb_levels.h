#pragma once
// Reads an X server's keyboard layout and state through XKB, for KeyLevels, and locks
// a group or modifiers of the core keyboard (the one whose state key events carry).
#include <optional>
#include <vector>

#include "platform/x11/key_levels.h"

// No X header here: its macros (None, ...) clash with names of the callers.
typedef struct _XDisplay Display;

namespace win::x11 {

struct XkbLayout {
    KeyLevels levels;
    std::vector<unsigned char> empty;  // keycodes with no keysym in any group or level
};

// The layout of keyboard `device`; false when the server does not tell it.
bool ReadXkbLayout(Display* display, unsigned device, XkbLayout& layout);

// The core keyboard's state now (LevelState::held left 0); nullopt when unknown.
std::optional<LevelState> ReadLevelState(Display* display);

// Locks `group` of the core keyboard, or sets the locks of the modifiers in `affect` to
// their bits in `values`. The requests are queued, not flushed.
void LockGroup(Display* display, int group);
void LockModifiers(Display* display, unsigned affect, unsigned values);

}  // namespace win::x11
