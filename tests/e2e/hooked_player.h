#pragma once
// The real player, up with its keyboard and mouse hooks, for tests that show the forms in
// this program and let the player route the keys to them. Included after
// tests/e2e/editor_session.h.
#include <chrono>
#include <cstdint>

namespace tessaro::testing {

// The player's window once it runs and its hooks stand in the library's block; 0 otherwise.
inline std::uint64_t WaitForHookedPlayer(const PlayerProcess& player) {
    if (!player.started()) return 0;
    const std::uint64_t window = WaitForPlayerWindow();
    const auto hooked = [] { return SharedGlob().KeyboardHook != 0 && SharedGlob().MouseHook != 0; };
    return window != 0 && WaitFor(hooked, std::chrono::seconds(10)) ? window : 0;
}

}  // namespace tessaro::testing
