#include "platform/synthetic_input.h"

#include <atomic>
#include <ctime>
#include <memory>

#include "platform/shared_memory.h"

namespace win {

namespace {

constexpr std::uint64_t kSlots = kSyntheticNotesKept;

// A note packs into one word, so it is written and claimed atomically:
// bits 0-7 detail, 8-15 vk, 16-18 kind (0: empty), 19 claimed, 20-63 CLOCK_MONOTONIC ms.
constexpr std::uint64_t kClaimed = std::uint64_t{1} << 19;
constexpr int kTimeShift = 20;

struct Marker {
    std::atomic<std::uint64_t> next;
    std::atomic<std::uint64_t> notes[kSlots];
};
static_assert(std::atomic<std::uint64_t>::is_always_lock_free);
static_assert(sizeof(Marker) == 8 * (kSlots + 1));

std::uint64_t NowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::uint64_t>(ts.tv_sec) * 1000 + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000;
}

Marker* TheMarker() {
    // Shared by the player and the editor; what a killed player left is made anew.
    static std::unique_ptr<SharedMemory> block = SharedMemory::Share("QTSYNTH2", sizeof(Marker));
    return block ? static_cast<Marker*>(block->data()) : nullptr;
}

unsigned KindOf(std::uint64_t note) { return (note >> 16) & 7; }
unsigned DetailOf(std::uint64_t note) { return note & 0xff; }
unsigned VkOf(std::uint64_t note) { return (note >> 8) & 0xff; }
std::uint64_t TimeOf(std::uint64_t note) { return note >> kTimeShift; }

bool Within(std::uint64_t note, std::uint64_t now, int withinMs) {
    const std::uint64_t at = TimeOf(note);
    return withinMs >= 0 && at <= now && now - at <= static_cast<std::uint64_t>(withinMs);
}

}  // namespace

void NoteSyntheticInput(SyntheticKind kind, unsigned detail, unsigned vk) {
    Marker* m = TheMarker();
    if (!m) return;
    const std::uint64_t note = NowMs() << kTimeShift | std::uint64_t{static_cast<unsigned>(kind) & 7} << 16 |
                               std::uint64_t{vk & 0xff} << 8 | (detail & 0xff);
    m->notes[m->next.fetch_add(1) % kSlots].store(note, std::memory_order_release);
}

bool ClaimSyntheticInput(SyntheticKind kind, unsigned detail, int withinMs, unsigned* vk) {
    Marker* m = TheMarker();
    if (!m) return false;
    for (;;) {
        const std::uint64_t now = NowMs();
        std::atomic<std::uint64_t>* oldest = nullptr;
        std::uint64_t found = 0;
        for (auto& slot : m->notes) {
            const std::uint64_t note = slot.load(std::memory_order_acquire);
            if (note & kClaimed || KindOf(note) != static_cast<unsigned>(kind) ||
                DetailOf(note) != (detail & 0xff) || !Within(note, now, withinMs))
                continue;
            if (!oldest || TimeOf(note) < TimeOf(found)) {
                oldest = &slot;
                found = note;
            }
        }
        if (!oldest) return false;
        // Another reader may have claimed it, or a writer reused the slot: look again.
        if (oldest->compare_exchange_strong(found, found | kClaimed, std::memory_order_acq_rel)) {
            if (vk) *vk = VkOf(found);
            return true;
        }
    }
}

unsigned SyntheticKeyVk(unsigned keycode, int withinMs) {
    Marker* m = TheMarker();
    if (!m) return 0;
    const std::uint64_t now = NowMs();
    const std::uint64_t next = m->next.load(std::memory_order_acquire);
    for (std::uint64_t i = 1; i <= kSlots; ++i) {
        const std::uint64_t note = m->notes[(next - i) % kSlots].load(std::memory_order_acquire);
        const unsigned kind = KindOf(note);
        const bool key = kind == static_cast<unsigned>(SyntheticKind::KeyDown) ||
                         kind == static_cast<unsigned>(SyntheticKind::KeyUp);
        if (key && DetailOf(note) == (keycode & 0xff) && Within(note, now, withinMs)) return VkOf(note);
    }
    return 0;
}

bool SyntheticNotesAvailable() { return TheMarker() != nullptr; }

}  // namespace win
