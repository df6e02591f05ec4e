#pragma once
// What the chooser of a popup-menu record lists: its macros in menu order, read from the
// loaded macro file.
#include <vector>

#include "macro/macro_record.h"
#include "player/ui/do_a_menu_layout.h"

namespace tessaro {

class PlayerMacroFile;

// Item numbers outside 1..MacroCount and records that cannot be read are skipped; at
// most 36 items are kept.
std::vector<ChooserItem> ChooserItemsOf(const TMacroRecord& menu, PlayerMacroFile& macros,
                                        const TConfigRecord& config, int macroCount);

}  // namespace tessaro
