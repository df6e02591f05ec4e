#pragma once
// The family of file, network-drive and dial-up commands.
#include "player/commands/dialup.h"
#include "player/commands/network_drives.h"
#include "player/engine/command_family.h"

namespace tessaro {

class FilesDrivesDialUpCommands : public CommandFamily {
public:
    // The drives mapped go into `driveTable` (none: kept in memory only).
    FilesDrivesDialUpCommands(DialStatusWindow& status, win::NetworkShares& shares,
                              std::optional<std::string> driveTable = std::nullopt)
        : status_(status), drives_(shares, std::move(driveTable)) {}
    CommandOutcome Run(MacroPlayer& player, const CommandToken& token) override;

private:
    DialStatusWindow& status_;
    NetworkDrives drives_;
};

}  // namespace tessaro
