#pragma once
// The player's key remapping table: the shared block "QTTT1KGR" (created by the player,
// edited by the editor's remapper, read by the hook library) and its ".QTS" file beside
// the current macro file. Every access to the block holds the mutex "QTQJaveR", so no
// reader ever sees half a table.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "protocol/swap_keys.h"

namespace win {
class SharedMemory;
class NamedMutex;
}  // namespace win

namespace tessaro {

struct TConfigRecord;

class SwapKeysBlock {
public:
    static constexpr int kWaitMs = 500;

    // Creates the block (zero-filled when new) and the mutex; nullptr on failure.
    static std::unique_ptr<SwapKeysBlock> Create(std::string* error = nullptr);
    ~SwapKeysBlock();

    // nullopt when the mutex could not be had within kWaitMs.
    std::optional<TSwapKeys> Keys();
    bool SetKeys(const TSwapKeys& keys);
    // The header fields and the flag at 103.
    bool SetHeader(std::uint32_t playerWindow, std::uint32_t swapHook);
    bool ClearFlag();

private:
    SwapKeysBlock(std::unique_ptr<win::SharedMemory> block, std::unique_ptr<win::NamedMutex> mutex);
    bool Locked(const std::function<void(TSwapShared&)>& fn);

    std::unique_ptr<win::SharedMemory> block_;
    std::unique_ptr<win::NamedMutex> mutex_;
};

// The table routines of the player's main window, on the current macro file.
class PlayerSwapKeys {
public:
    // The table belongs to the settings' current macro file at the time of each call.
    PlayerSwapKeys(SwapKeysBlock& block, const TConfigRecord& config) : block_(block), config_(config) {}

    // Loads the current file's table into the block; a missing file is created with the
    // default table. A file that is there but cannot be read is reported, left as it is,
    // and the block gets the default table.
    void GetSwapFile();
    bool LoadSwapKeys(const std::string& path);
    bool SaveSwapKeys(const std::string& path);
    bool InitSwapKeys();
    bool SwapsInUse();

    // The file name of the current macro file's table (a file-system path).
    std::string SwapFilePath() const;

    // The hook library's calls for the remap (the real entry points unless a test replaces them).
    struct RemapCalls {
        std::function<bool()> restoreAfterCrash;
        std::function<std::uint32_t()> hookSwap;
        std::function<bool()> tableChanged;
        std::function<void(std::uint32_t)> unhook;
    };
    static RemapCalls LibraryRemapCalls();

    // Start of the one player instance: puts back a mapping a dead player left remapped,
    // fills the block's header, loads the current file's table and installs the remap hook
    // only when the table remaps anything. Returns the hook (0: none).
    std::uint32_t StartRemap(std::uint32_t playerWindow, const RemapCalls& calls = LibraryRemapCalls());
    // After start-up (an edit announced by the editor, another macro file): loads the current
    // file's table and puts it in force at once, installing the remap hook the first time the
    // table remaps anything. Returns the hook (0: none).
    std::uint32_t ReloadRemap(const RemapCalls& calls = LibraryRemapCalls());
    // Shut-down: removes the remap hook when one was installed.
    void StopRemap(const RemapCalls& calls = LibraryRemapCalls());

private:
    SwapKeysBlock& block_;
    const TConfigRecord& config_;
    std::uint32_t playerWindow_ = 0;
    std::uint32_t hook_ = 0;
};

}  // namespace tessaro
