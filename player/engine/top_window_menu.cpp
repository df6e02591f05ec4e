#include "player/engine/top_window_menu.h"

#include "player/engine/window_activation.h"
#include "protocol/glob_data.h"

namespace tessaro {

TMacroRecord TopWindowMenu(const TGlobData& glob, std::string_view title, std::string_view program,
                           int systemMenu) {
    PopupMenu menu;
    const int count = glob.MacroCount;
    for (int n = 1; n <= count && n <= kMaxMacros && menu.items.size() < kMaxChooserItems; ++n) {
        const std::string scopeText = glob.ScopeText[n].str();
        // An empty scope text belongs to no window, here as for hot keys.
        if ((glob.Scope[n] == scWindow && ScopeTextMatches(scopeText, title)) ||
            (glob.Scope[n] == scProgram && ScopeTextMatches(scopeText, program)))
            menu.items.push_back(static_cast<std::uint16_t>(n));
    }
    TMacroRecord rec{};
    rec.Scope = scPopupMenu;
    WritePopupMenu(rec, menu);
    const char style = systemMenu >= 1 && systemMenu <= 3 ? static_cast<char>('0' + systemMenu) : ' ';
    const char options[3] = {' ', style, '2'};
    rec.Abbreviation.assign(std::string_view(options, 3));
    return rec;
}

}  // namespace tessaro
