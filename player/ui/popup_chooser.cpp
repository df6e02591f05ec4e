#include "player/ui/popup_chooser.h"

#include "player/engine/player_macro_file.h"
#include "player/engine/top_window_menu.h"

namespace tessaro {

std::vector<ChooserItem> ChooserItemsOf(const TMacroRecord& menu, PlayerMacroFile& macros,
                                        const TConfigRecord& config, int macroCount) {
    std::vector<ChooserItem> items;
    for (const std::uint16_t n : ReadPopupMenu(menu, macroCount).items) {
        if (items.size() >= static_cast<std::size_t>(kMaxChooserItems)) break;
        TMacroRecord rec{};
        if (!macros.ReadMacroRecord(n, rec)) continue;
        ChooserItem item;
        item.macro = n;
        item.nickname = rec.Nickname.str();
        item.text = rec.Scope == scPopupMenu ? std::string() : GetMacroText(rec);
        item.activationCode = rec.ActivationCode;
        item.scope = rec.Scope;
        item.scopeText = rec.ScopeText.str();
        item.abbreviation = rec.Abbreviation.str();
        item.icon = config.MacroIcons[n];
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace tessaro
