#include "platform/synthetic_input.h"

#include <atomic>
#include <cstdint>
#include <ctime>
#include <memory>

#include "platform/shared_memory.h"

namespace win {

namespace {

struct Marker {
    std::atomic<std::int64_t> lastNs;  // CLOCK_MONOTONIC of the last injection
};

std::int64_t NowNs() {
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

Marker* TheMarker() {
    static std::unique_ptr<SharedMemory> block = SharedMemory::Create("QTSYNTH1", sizeof(Marker));
    return block ? static_cast<Marker*>(block->data()) : nullptr;
}

}  // namespace

void NoteSyntheticInput() {
    if (Marker* m = TheMarker()) m->lastNs.store(NowNs(), std::memory_order_release);
}

bool RecentSyntheticInput(int withinMs) {
    Marker* m = TheMarker();
    if (!m) return false;
    const std::int64_t last = m->lastNs.load(std::memory_order_acquire);
    return last != 0 && NowNs() - last <= static_cast<std::int64_t>(withinMs) * 1000000LL;
}

}  // namespace win
