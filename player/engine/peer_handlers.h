#pragma once
// The player's handlers of the WM_PEER_UPDATE codes about the macro file, the remap table,
// the trigger table, the editor and the settings. Codes of later subsystems (schedules,
// tray menus, hooks, tray icon) register their own handlers on the same dispatcher; their
// steps inside the reloads below are hooks that stay empty until those subsystems exist.
#include <cstdint>
#include <functional>

#include "foundation/config_record.h"
#include "protocol/glob_data.h"
#include "player/engine/peer_update.h"

namespace tessaro {

class PeerLink;
class PlayerMacroFile;
class PlayerSwapKeys;

// An installed remap takes the table now in the shared block.
void RefreshInstalledRemap();

struct PeerReloadSteps {
    std::function<void()> removeTrayIcons;  // the popup-menu tray icons
    std::function<void()> rebuildTrayIcons;
    std::function<void()> rebuildSchedules;
    std::function<void()> switchLockFile;  // network mode: the new file's lock record
    std::function<void()> remapTableChanged = RefreshInstalledRemap;
};

// The hook library's hook calls (the real entry points unless a test replaces them).
struct HookCalls {
    std::function<std::uint32_t()> hookKeyboard;
    std::function<std::uint32_t()> hookMouse;
    std::function<void(std::uint32_t)> unhook;
};
HookCalls LibraryHookCalls();

struct PlayerPeerContext {
    TConfigRecord& config;
    TGlobData& glob;
    PeerLink& link;
    PlayerMacroFile& macros;
    PlayerSwapKeys& swaps;
    std::function<void()> setHotKeys;  // rebuild and push the hot keys in use
    PeerReloadSteps steps;
    HookCalls hooks = LibraryHookCalls();
};

// Installs the handlers of codes 1, 2, 4, 6, 7, 8, 10..17, 20 and 21. The context must
// outlive the dispatcher's use of them.
void RegisterPlayerPeerHandlers(PeerUpdateDispatcher& dispatcher, PlayerPeerContext& context);

// Code 20: re-reads record n and refreshes all its mirrors (AbbrevCase as stored).
bool RefreshMacroMirrors(PlayerPeerContext& context, int n);

}  // namespace tessaro
