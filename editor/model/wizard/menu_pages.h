#pragma once
// Pages 50-52 of the popup-menu function: the macros it offers, what a row of the list
// shows of each and the right-click "Quick Info" box.
#include <string>
#include <vector>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "protocol/glob_data.h"

namespace tessaro::wizard {

// One row of page 50: a macro of the open file and its three columns.
struct MenuCandidate {
    int number = 0;  // 1-based position in the macro file
    std::string activation;
    std::string nickname;
    std::string scope;
};

// The macros page 50 offers: every one but the system macros, in file order (1-based
// numbers). Row i of "P50Macros" is entry i.
std::vector<int> MenuMacros(const TGlobData& glob);
// The same macros with their columns.
std::vector<MenuCandidate> MenuCandidates(const TGlobData& glob, const TConfigRecord& config);

// The "Quick Info" box text of a macro, schedule included for a timed one.
std::string MacroQuickInfo(const TMacroRecord& rec);

// The icon sizes of page 51, in the order of its list.
inline constexpr int kMenuIconSizes[] = {16, 24, 32, 48, 64};

}  // namespace tessaro::wizard
