#include "player/commands/files_drives_dialup.h"

#include "player/commands/files.h"
#include "player/engine/macro_player.h"

namespace tessaro {

CommandOutcome FilesDrivesDialUpCommands::Run(MacroPlayer& player, const CommandToken& command) {
    PlayerWindows& windows = player.services().windows;
    const Token& token = command.token;
    if (RunFileCommand(windows, token) || RunNetworkDriveCommand(windows, drives_, token))
        return CommandOutcome::Done;
    return RunDialUpCommand(windows, status_, token);
}

}  // namespace tessaro
