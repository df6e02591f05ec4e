#pragma once
// Bringing a top-level window of any program to the front of the desktop.
#include <cstdint>

namespace win::x11 {

// Asks the window manager to activate the window (_NET_ACTIVE_WINDOW) and raises it;
// false when no display is reachable or the id is 0.
bool BringToFront(std::uint64_t window);

}  // namespace win::x11
