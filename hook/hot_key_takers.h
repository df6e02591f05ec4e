#pragma once
// Whether a pressed hot key would start a macro, decided as the player chooses one: a
// press no macro takes goes on to the focused window as if no hot key were set.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "protocol/glob_data.h"

namespace tessaro::hook {

// The titles of the desktop's top-level windows and of the one in front.
struct DesktopTitles {
    std::string foreground;
    std::vector<std::string> all;
};

// True when an enabled macro with `code` is global (or a popup menu or system macro), or
// scoped to a window or program that is in front or (unless it is topmost only) exists.
// `titles` is asked only when a window-scoped macro decides; without an answer (the
// desktop cannot be read) a window-scoped macro takes the press. A code no enabled macro
// names is left to the player (the table's groups may be read between two pushes).
bool SomeMacroTakes(const TGlobData& g, int code,
                    const std::function<std::optional<DesktopTitles>()>& titles);

}  // namespace tessaro::hook
