#pragma once
// The editor's access to the player's key remapping table. The editor keeps no copy: each
// access opens the player's block under its mutex, and when the player is not running
// (no block or no mutex) nothing happens.
#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "protocol/swap_keys.h"

namespace tessaro {

// Entry i (0..92) of the table; nullopt without the player.
std::optional<char> ReadSwapEntry(std::size_t i);
// All entries, each read under its own lock, the block opened once (a repaint).
std::array<std::optional<char>, kSwapKeyCount> ReadSwapTable();
// False without the player.
bool WriteSwapEntry(std::size_t i, char c);

// ".QTS" file -> block. A missing or unreadable file leaves the block as it was.
bool LoadSwapKeys(const std::string& path);
// Block -> ".QTS" file; nothing is written without the player.
bool SaveSwapKeys(const std::string& path);
// The default table -> block.
bool InitSwapKeys();

}  // namespace tessaro
