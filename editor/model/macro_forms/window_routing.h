#pragma once
// Routing the hook library's reports to an editor window: pressed hot keys to a dialog that
// waits for one (SetSecWind), capture messages to the main window (SetCapWind).
#include "hook/client/glob_data_sync.h"
#include "protocol/glob_data.h"

namespace tessaro {

// Store the window and flag, push the group and tell the player to pull it.
void SetSecWind(TGlobData& glob, std::uint32_t window, bool on, const PeerNotify& notify);
void SetCapWind(TGlobData& glob, std::uint32_t window, bool on, const PeerNotify& notify);

}  // namespace tessaro
