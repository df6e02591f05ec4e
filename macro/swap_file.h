#pragma once
// The ".QTS" file that keeps a macro file's key remapping table between sessions.
#include <string>

#include "protocol/swap_keys.h"

namespace tessaro {

// The table file of a macro file: ".QTM" replaced by ".QTS", else ".QTS" appended.
std::string SwapFileName(const std::string& macroFile);

enum class SwapFileStatus { Ok, Missing, Unreadable, Damaged, WriteFailed };

// Reads the 93-byte record; `keys` is changed only on Ok. A shorter file is Damaged.
SwapFileStatus LoadSwapKeysFile(const std::string& path, TSwapKeys& keys);
// Creates or overwrites the file with the one record.
SwapFileStatus SaveSwapKeysFile(const std::string& path, const TSwapKeys& keys);

}  // namespace tessaro
