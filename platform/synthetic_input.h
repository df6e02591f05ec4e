#pragma once
// Input the programs of this session synthesise is marked, so that the hook library can
// tell the player's own playback from input the user (or another program) makes.
namespace win {

// Call right before injecting input.
void NoteSyntheticInput();

// True when a program of this session injected input within the last withinMs.
bool RecentSyntheticInput(int withinMs);

}  // namespace win
