#pragma once
// Which desktop the platform layer talks to: the real X server or the simulated one of
// the unit tests. Chosen once at start-up.
namespace win {

enum class Backend { X11, Sim };

// X11 when a display is reachable, unless a test selected Sim.
Backend ActiveBackend();
void SelectBackend(Backend backend);

}  // namespace win
