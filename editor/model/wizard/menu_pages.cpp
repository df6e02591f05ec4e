#include "editor/model/wizard/menu_pages.h"

#include <algorithm>

#include "editor/model/explorer/file_menu.h"
#include "editor/model/macro_forms/build_menu.h"

namespace tessaro::wizard {

std::vector<int> MenuMacros(const TGlobData& glob) {
    std::vector<int> numbers;
    const int count = std::clamp(glob.MacroCount, 0, static_cast<int>(kMaxMacros));
    for (int n = 1; n <= count; ++n)
        if (glob.Scope[n] != scSystem) numbers.push_back(n);
    return numbers;
}

std::vector<MenuCandidate> MenuCandidates(const TGlobData& glob, const TConfigRecord& config) {
    std::vector<MenuCandidate> rows;
    for (int n : MenuMacros(glob)) {
        rows.push_back({n, ActivationColumn(glob.ActivationCode[n], config.MacroAbbreviations[n].str()),
                        config.MacroNicknames[n].str(), ScopeColumn(glob.Scope[n], glob.ScopeText[n].str())});
    }
    return rows;
}

std::string MacroQuickInfo(const TMacroRecord& rec) { return QuickInfoText(rec, GetSched(rec)); }

}  // namespace tessaro::wizard
