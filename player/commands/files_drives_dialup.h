#pragma once
// The family of file, network-drive and dial-up commands.
#include "player/commands/dialup.h"
#include "player/engine/command_family.h"

namespace tessaro {

class FilesDrivesDialUpCommands : public CommandFamily {
public:
    explicit FilesDrivesDialUpCommands(DialStatusWindow& status) : status_(status) {}
    CommandOutcome Run(MacroPlayer& player, const CommandToken& token) override;

private:
    DialStatusWindow& status_;
};

}  // namespace tessaro
