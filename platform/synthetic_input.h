#pragma once
// Input the programs of this session synthesise is marked, so that the hook library can
// tell the player's own playback from input the user (or another program) makes.
namespace win {

// Call right before injecting input.
void NoteSyntheticInput();

// Call right before injecting a key: which virtual key the keycode stands for. The key
// map may be changed back before the library reads the event (a keysym typed through a
// spare keycode), so the library asks here first. Also marks the input as synthetic.
void NoteSyntheticKey(unsigned keycode, unsigned vk);

// True when a program of this session injected input within the last withinMs.
bool RecentSyntheticInput(int withinMs);

// The virtual key last noted for a keycode within the last withinMs, 0 for none.
unsigned SyntheticKeyVk(unsigned keycode, int withinMs);

}  // namespace win
