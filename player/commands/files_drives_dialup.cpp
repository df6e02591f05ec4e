#include "player/commands/files_drives_dialup.h"

#include "player/commands/files.h"
#include "player/engine/macro_player.h"

namespace tessaro {

CommandOutcome FilesDrivesDialUpCommands::Run(MacroPlayer& player, const CommandToken& command) {
    PlayerWindows& windows = player.services().windows;
    const Token& token = command.token;
    if (RunFileCommand(windows, token)) return CommandOutcome::Done;
    if (token.kind == TokenKind::Dial || token.kind == TokenKind::Hang)
        return RunDialUpCommand(windows, status_, token);
    // Network drives are not mapped by this player yet.
    const std::string_view text = command.text;
    const std::string_view name = text.substr(0, std::min(text.find(':'), text.size()));
    windows.DoAMessage("Command Not Available", "The command \"" + std::string(name) +
                                                    ":\" is not available on this system. "
                                                    "Macro will abort.");
    return CommandOutcome::EndMacro;
}

}  // namespace tessaro
