#pragma once
// The two browser repair commands. This desktop keeps no shell registration to patch, so
// a confirmed repair or undo always ends in its failure message and changes nothing.
#include <string>

#include "foundation/config_record.h"

namespace tessaro {

struct RepairStep {
    const char* caption;
    std::string text;
};

// The questions (Yes and No).
RepairStep BrowserFixQuestion();
RepairStep BrowserRestoreQuestion();

// What a confirmed command reports; the values saved for an undo are emptied, as nothing
// was changed that could be restored.
RepairStep BrowserFixConfirmed(TConfigRecord& config);
RepairStep BrowserRestoreConfirmed(TConfigRecord& config);

}  // namespace tessaro
