#include "platform/sim/sim_bell.h"

#include <atomic>

namespace win::sim {

namespace {
std::atomic<int> rings{0};
}

void RingBell() { ++rings; }
int BellsRung() { return rings; }

}  // namespace win::sim
