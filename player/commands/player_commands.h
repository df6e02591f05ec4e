#pragma once
// Puts the file, drive, dial-up, multimedia and date-time families into the interpreter's
// plug-in point, on this machine's clock, files, dial-up service, sound system and mixer.
#include <memory>

#include "player/commands/dialup.h"
#include "player/commands/multimedia.h"
#include "platform/platform.h"
#include "player/engine/command_family.h"

namespace tessaro {

// The families keep the windows given here for as long as they live.
// `platform` rings the bell; it must outlive `families`.
void RegisterPlayerCommands(CommandFamilies& families, win::Platform& platform,
                            std::unique_ptr<DialStatusWindow> status, std::unique_ptr<VideoWindow> video);

}  // namespace tessaro
