#include "editor/model/tools/swap_access.h"

#include <functional>

#include "macro/swap_file.h"
#include "platform/named_mutex.h"
#include "platform/shared_memory.h"
#include "protocol/object_names.h"
#include "protocol/swap_keys.h"

namespace tessaro {

namespace {

constexpr int kWaitMs = 500;

// Runs `fn` on the player's block; false when it cannot be reached. A wait that times out
// goes on as if it had the mutex: the user's window must not hang on a stuck holder.
bool WithBlock(const std::function<void(TSwapShared&)>& fn) {
    const auto mutex = win::NamedMutex::Open(kSwapMutexName);
    if (!mutex) return false;
    const win::MutexLock lock(*mutex, kWaitMs);
    if (lock.result() == win::WaitResult::Failed) return false;
    const auto block = win::SharedMemory::Open(kSwapBlockName, sizeof(TSwapShared));
    if (!block) return false;
    fn(*static_cast<TSwapShared*>(block->data()));
    return true;
}

}  // namespace

std::optional<char> ReadSwapEntry(std::size_t i) {
    if (i >= kSwapKeyCount) return std::nullopt;
    char c = 0;
    if (!WithBlock([&](TSwapShared& s) { c = s.Keys.at(i); })) return std::nullopt;
    return c;
}

std::array<std::optional<char>, kSwapKeyCount> ReadSwapTable() {
    std::array<std::optional<char>, kSwapKeyCount> table{};
    const auto mutex = win::NamedMutex::Open(kSwapMutexName);
    const auto block = mutex ? win::SharedMemory::Open(kSwapBlockName, sizeof(TSwapShared)) : nullptr;
    if (!block) return table;
    const auto& shared = *static_cast<const TSwapShared*>(block->data());
    for (std::size_t i = 0; i < kSwapKeyCount; ++i) {
        // The player's hook must never wait for a whole repaint: one entry per lock.
        const win::MutexLock lock(*mutex, kWaitMs);
        if (lock.result() != win::WaitResult::Failed) table[i] = shared.Keys.at(i);
    }
    return table;
}

bool WriteSwapEntry(std::size_t i, char c) {
    return i < kSwapKeyCount && WithBlock([&](TSwapShared& s) { s.Keys.at(i) = c; });
}

bool LoadSwapKeys(const std::string& path) {
    TSwapKeys keys;
    if (LoadSwapKeysFile(path, keys) != SwapFileStatus::Ok) return false;
    return WithBlock([&](TSwapShared& s) { s.Keys = keys; });
}

bool SaveSwapKeys(const std::string& path) {
    TSwapKeys keys;
    if (!WithBlock([&](TSwapShared& s) { keys = s.Keys; })) return false;
    return SaveSwapKeysFile(path, keys) == SwapFileStatus::Ok;
}

bool InitSwapKeys() {
    return WithBlock([](TSwapShared& s) { s.Keys = DefaultSwapKeys(); });
}

}  // namespace tessaro
