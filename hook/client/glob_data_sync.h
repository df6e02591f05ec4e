#pragma once
// Keeping a program's copy of TGlobData in step with the hook library's master copy.
#include <cstdint>
#include <functional>

#include "protocol/glob_data.h"

namespace tessaro {

// Tells the other program that a group (6, group) or a macro slot (8, n) changed.
using PeerNotify = std::function<void(std::uint32_t code, std::int32_t arg)>;

// Pulls one group (item 0..14; for 7 the slot `index`) from the library into `own`.
// An unknown item, or a library that cannot reach its block, changes nothing. Returns
// whether it copied.
bool GetGlobDataItem(TGlobData& own, int item, int index = 0);

// Pushes one group (0..14; for 7 the slot `index`, 1..500) of `own` to the library.
void PushGlobDataItem(const TGlobData& own, int item, int index = 0);

// Rebuilds the hot keys in use (codes of enabled macros) and HasAbbreviations from the
// macro slots of `own`.
void RebuildHotKeys(TGlobData& own);

// RebuildHotKeys, then pushes them and notifies the other program with group 14.
void SetHotKeys(TGlobData& own, const PeerNotify& notify = {});

}  // namespace tessaro
