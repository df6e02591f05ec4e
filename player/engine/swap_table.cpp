#include "player/engine/swap_table.h"

#include <cstddef>
#include <filesystem>
#include <utility>

#include "foundation/config_record.h"
#include "hook/qtmhook.h"
#include "platform/cp1252.h"
#include "macro/swap_file.h"
#include "platform/message_box.h"
#include "platform/named_mutex.h"
#include "platform/shared_memory.h"

namespace tessaro {

std::unique_ptr<SwapKeysBlock> SwapKeysBlock::Create(std::string* error) {
    auto block = win::SharedMemory::Create(kSwapBlockName, sizeof(TSwapShared), error);
    if (!block) return nullptr;
    auto mutex = win::NamedMutex::Create(kSwapMutexName, error);
    if (!mutex) return nullptr;
    return std::unique_ptr<SwapKeysBlock>(new SwapKeysBlock(std::move(block), std::move(mutex)));
}

SwapKeysBlock::SwapKeysBlock(std::unique_ptr<win::SharedMemory> block, std::unique_ptr<win::NamedMutex> mutex)
    : block_(std::move(block)), mutex_(std::move(mutex)) {}

SwapKeysBlock::~SwapKeysBlock() = default;

bool SwapKeysBlock::Locked(const std::function<void(TSwapShared&)>& fn) {
    win::MutexLock lock(*mutex_, kWaitMs);
    if (!lock.owns()) return false;
    fn(*static_cast<TSwapShared*>(block_->data()));
    return true;
}

std::optional<TSwapKeys> SwapKeysBlock::Keys() {
    TSwapKeys keys;
    if (!Locked([&](TSwapShared& s) { keys = s.Keys; })) return std::nullopt;
    return keys;
}

bool SwapKeysBlock::SetKeys(const TSwapKeys& keys) {
    return Locked([&](TSwapShared& s) { s.Keys = keys; });
}

bool SwapKeysBlock::SetHeader(std::uint32_t playerWindow, std::uint32_t swapHook) {
    return Locked([&](TSwapShared& s) {
        s.PlayerWnd = playerWindow;
        s.SwapHook = swapHook;
    });
}

bool SwapKeysBlock::ClearFlag() {
    return Locked([](TSwapShared& s) { s.Flag103 = 0; });
}

std::string PlayerSwapKeys::SwapFilePath() const {
    return SwapFileName(win::Cp1252ToUtf8(config_.RecentFiles[0].str()));
}

void PlayerSwapKeys::GetSwapFile() {
    const std::string path = SwapFilePath();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        InitSwapKeys();
        SaveSwapKeys(path);
        return;
    }
    if (!LoadSwapKeys(path)) {
        // Another file's table must not stay in force for this one.
        InitSwapKeys();
        win::MessageBox(
            "The key remapping file " + win::OsToCp1252(path) + " could not be read. It was left unchanged.",
            "Error", win::MbButtons::Ok, win::MbIcon::Error);
    }
}

bool PlayerSwapKeys::LoadSwapKeys(const std::string& path) {
    TSwapKeys keys = DefaultSwapKeys();
    if (LoadSwapKeysFile(path, keys) != SwapFileStatus::Ok) return false;
    return block_.SetKeys(keys);
}

bool PlayerSwapKeys::SaveSwapKeys(const std::string& path) {
    const std::optional<TSwapKeys> keys = block_.Keys();
    return keys && SaveSwapKeysFile(path, *keys) == SwapFileStatus::Ok;
}

bool PlayerSwapKeys::InitSwapKeys() { return block_.SetKeys(DefaultSwapKeys()); }

bool PlayerSwapKeys::SwapsInUse() {
    const std::optional<TSwapKeys> keys = block_.Keys();
    return keys && tessaro::SwapsInUse(*keys);
}

PlayerSwapKeys::RemapCalls PlayerSwapKeys::LibraryRemapCalls() {
    return {QtmRestoreSwapLeftByCrash, QtmHookSwap, QtmSwapChanged, QtmUnHook};
}

std::uint32_t PlayerSwapKeys::StartRemap(std::uint32_t playerWindow, const RemapCalls& calls) {
    calls.restoreAfterCrash();
    playerWindow_ = playerWindow;
    block_.ClearFlag();
    block_.SetHeader(playerWindow, 0);
    return ReloadRemap(calls);
}

std::uint32_t PlayerSwapKeys::ReloadRemap(const RemapCalls& calls) {
    GetSwapFile();
    if (hook_ != 0) {
        // Installed: the hook re-reads the block. A table back at the defaults types every
        // character as itself, so the hook can stay until shut-down.
        calls.tableChanged();
    } else if (SwapsInUse()) {
        hook_ = calls.hookSwap();
        block_.SetHeader(playerWindow_, hook_);
    }
    return hook_;
}

void PlayerSwapKeys::StopRemap(const RemapCalls& calls) {
    if (hook_ != 0) calls.unhook(hook_);
    hook_ = 0;
}

}  // namespace tessaro
