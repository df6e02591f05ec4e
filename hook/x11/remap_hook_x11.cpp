#include <X11/Xlib.h>

#include <cstring>
#include <memory>
#include <optional>

#include "hook/key_remap.h"
#include "platform/backend.h"
#include "platform/named_mutex.h"
#include "platform/shared_memory.h"

namespace tessaro::hook {

namespace {

// The remap of this process with the connection it was made on; the mapping is put back
// when the remap stops or, at the latest, when the process exits.
struct Remap {
    Display* display = nullptr;
    std::unique_ptr<KeyRemapper> remapper;

    ~Remap() { Close(); }
    void Close() {
        remapper.reset();  // restores first
        if (display) XCloseDisplay(display);
        display = nullptr;
    }
};

Remap& ProcessRemap() {
    static Remap remap;
    return remap;
}

std::optional<TSwapKeys> ReadSwapBlock() {
    auto block = win::SharedMemory::Open(kSwapBlockName, sizeof(TSwapShared));
    auto mutex = win::NamedMutex::Open(kSwapMutexName);
    if (!block || !mutex) return std::nullopt;
    win::MutexLock lock(*mutex, 500);
    if (!lock.owns()) return std::nullopt;
    TSwapShared shared;
    std::memcpy(&shared, block->data(), sizeof shared);
    return shared.Keys;
}

bool Simulated() { return win::ActiveBackend() == win::Backend::Sim; }

}  // namespace

bool StartRemapFromSwapBlock() {
    if (Simulated()) return true;
    const std::optional<TSwapKeys> keys = ReadSwapBlock();
    if (!keys) return false;
    Remap& r = ProcessRemap();
    if (!r.display) r.display = XOpenDisplay(nullptr);
    if (!r.display) return false;
    if (!r.remapper) r.remapper = std::make_unique<KeyRemapper>(r.display);
    return r.remapper->Install(*keys);
}

bool RefreshRemapFromSwapBlock() {
    Remap& r = ProcessRemap();
    if (Simulated() || !r.remapper || !r.remapper->installed()) return false;
    const std::optional<TSwapKeys> keys = ReadSwapBlock();
    return keys && r.remapper->Update(*keys);
}

void StopRemap() { ProcessRemap().Close(); }

bool RestoreRemapLeftByCrash() {
    if (Simulated()) return false;
    Display* display = XOpenDisplay(nullptr);
    const bool restored = RestoreKeyboardAfterCrash(display);
    if (display) XCloseDisplay(display);
    return restored;
}

}  // namespace tessaro::hook
