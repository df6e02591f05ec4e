#pragma once
// Each event the programs of this session inject is noted, so that the hook library can
// tell the player's own playback from input the user (or another program) makes.
#include <cstdint>

namespace win {

// How many of the latest notes are kept: enough for a long burst of typing the library
// reads only after the burst.
constexpr unsigned kSyntheticNotesKept = 4096;

enum class SyntheticKind : std::uint8_t { KeyDown = 1, KeyUp, ButtonDown, ButtonUp, Motion };

// Call right before injecting one event: detail is the keycode or button (0 for
// motion), vk the virtual key a keycode stands for (0 when the key map tells). The key
// map may be changed back before the library reads the event (a keysym typed through a
// spare keycode), so the library takes the vk from the note.
void NoteSyntheticInput(SyntheticKind kind, unsigned detail = 0, unsigned vk = 0);

// Claims the oldest unclaimed note of that kind and detail made within the last
// withinMs; true when there was one, its vk in *vk. A note is claimed only once, so it
// excuses one event.
bool ClaimSyntheticInput(SyntheticKind kind, unsigned detail, int withinMs, unsigned* vk = nullptr);

// The virtual key last noted for a keycode within the last withinMs, 0 for none.
unsigned SyntheticKeyVk(unsigned keycode, int withinMs);

// Attaches to the session's notes; false when they cannot be had.
bool SyntheticNotesAvailable();

}  // namespace win
