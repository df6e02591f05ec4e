#pragma once
// Plugs the wait family and the program, window and system family into the interpreter,
// over the desktop of the program's platform.
#include "player/engine/command_family.h"

namespace win {
class Platform;
}

namespace tessaro {

struct TGlobData;
class PeerLink;
class WaitReports;

// `platform`, `glob` and `link` are the player's copy of the trigger table and its way to the hook
// library; `reports` what the library reported to the player. All must outlive `families`.
void RegisterDesktopFamilies(CommandFamilies& families, win::Platform& platform, TGlobData& glob,
                             PeerLink& link, WaitReports& reports);

}  // namespace tessaro
