#pragma once
// The simulated desktop's bell counts its rings.
namespace win::sim {

void RingBell();
int BellsRung();

}  // namespace win::sim
