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
    // The keys last injected, newest at (next - 1) mod size; each slot packs
    // keycode << 16 | vk and its time.
    std::atomic<std::uint32_t> next;
    std::atomic<std::uint32_t> keys[32];
    std::atomic<std::int64_t> keyNs[32];
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

bool Within(std::int64_t at, int withinMs) {
    return at != 0 && NowNs() - at <= static_cast<std::int64_t>(withinMs) * 1000000LL;
}

}  // namespace

void NoteSyntheticInput() {
    if (Marker* m = TheMarker()) m->lastNs.store(NowNs(), std::memory_order_release);
}

void NoteSyntheticKey(unsigned keycode, unsigned vk) {
    Marker* m = TheMarker();
    if (!m) return;
    const std::uint32_t slot = m->next.fetch_add(1) % 32;
    m->keys[slot].store((keycode & 0xffff) << 16 | (vk & 0xffff), std::memory_order_relaxed);
    m->keyNs[slot].store(NowNs(), std::memory_order_release);
    m->lastNs.store(NowNs(), std::memory_order_release);
}

bool RecentSyntheticInput(int withinMs) {
    Marker* m = TheMarker();
    return m && Within(m->lastNs.load(std::memory_order_acquire), withinMs);
}

unsigned SyntheticKeyVk(unsigned keycode, int withinMs) {
    Marker* m = TheMarker();
    if (!m) return 0;
    const std::uint32_t next = m->next.load();
    for (std::uint32_t i = 1; i <= 32; ++i) {
        const std::uint32_t slot = (next - i) % 32;
        if (!Within(m->keyNs[slot].load(std::memory_order_acquire), withinMs)) continue;
        const std::uint32_t packed = m->keys[slot].load(std::memory_order_relaxed);
        if ((packed >> 16) == (keycode & 0xffff)) return packed & 0xffff;
    }
    return 0;
}

}  // namespace win
