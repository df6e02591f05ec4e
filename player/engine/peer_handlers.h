#pragma once
// The player's handlers of the WM_PEER_UPDATE codes about the macro file, the remap table,
// the trigger table, the editor and the settings. Codes of later subsystems (schedules,
// tray menus, tray icon) register their own handlers on the same dispatcher; the steps
// of the reloads below that touch them are the shell's upkeep.
#include <cstdint>
#include <functional>

#include "foundation/config_record.h"
#include "protocol/glob_data.h"
#include "player/engine/peer_update.h"

namespace win {
class WindowControl;
}

namespace tessaro {

class MacroFileUpkeep;
class PeerLink;
class PlayerMacroFile;

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
    MacroFileUpkeep& upkeep;            // remap table, hot keys, schedules, tray icons, lock file
    win::WindowControl& windowControl;  // the screen the main window's stored bounds are kept on
    HookCalls hooks = LibraryHookCalls();
};

// Installs the handlers of codes 1, 2, 4, 6, 7, 8, 10..17, 20 and 21. The context must
// outlive the dispatcher's use of them.
void RegisterPlayerPeerHandlers(PeerUpdateDispatcher& dispatcher, PlayerPeerContext& context);

// Code 20: re-reads record n and refreshes all its mirrors (AbbrevCase as stored).
bool RefreshMacroMirrors(PlayerPeerContext& context, int n);

}  // namespace tessaro
