#pragma once
// The X server's clock, as it stamps input events.
#include <cstdint>

namespace tessaro::hook {

// The server's time now in milliseconds; 0 when no X server is in use.
std::uint32_t ServerTimeNow();

}  // namespace tessaro::hook
