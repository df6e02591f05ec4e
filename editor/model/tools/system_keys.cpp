#include "editor/model/tools/system_keys.h"

#include <algorithm>

#include "macro/macro_record.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

std::vector<MacroKeyUse> MacroKeyUses(const TGlobData& glob) {
    std::vector<MacroKeyUse> uses;
    const int count = std::clamp<int>(glob.MacroCount, 0, kMaxMacros);
    for (int n = 1; n <= count; ++n)
        uses.push_back({glob.ActivationCode[n], glob.Scope[n], glob.ScopeText[n].str()});
    return uses;
}

int SystemSlotOfField(int field) {
    if (field == 5) return 0;
    return field >= 1 && field <= 4 ? field : 1;
}

SystemKeys LoadSystemKeys(const std::vector<MacroKeyUse>& macros) {
    SystemKeys keys;
    for (std::size_t i = 0; i < macros.size(); ++i) {
        const MacroKeyUse& m = macros[i];
        if (m.Scope != scSystem || m.ScopeText.empty()) continue;
        const auto slot = std::find(kSystemSlotScope.begin(), kSystemSlotScope.end(), m.ScopeText[0]);
        if (slot == kSystemSlotScope.end()) continue;
        const auto s = static_cast<std::size_t>(slot - kSystemSlotScope.begin());
        keys.Current[s] = keys.Opening[s] = m.ActivationCode;
        keys.Macro[s] = static_cast<int>(i) + 1;
    }
    return keys;
}

std::string SystemKeyTaken(const std::vector<MacroKeyUse>& macros, std::uint16_t code) {
    for (const MacroKeyUse& m : macros) {
        const bool reaching = m.Scope == scGlobal || m.Scope == scPopupMenu || m.Scope == scSystem;
        if (reaching && m.ActivationCode < kHotKeyCodeCount && m.ActivationCode == code)
            return "The hot key \"" + HotKeyNames(code) +
                   "\" is already in use by a macro.  If you wish to use this hot key combination, you will "
                   "first "
                   "need to either remove or move the macro which is assigned to it.";
    }
    return {};
}

bool SystemKeysRepeat(const SystemKeys& keys) {
    for (std::size_t a = 0; a < keys.Current.size(); ++a)
        for (std::size_t b = a + 1; b < keys.Current.size(); ++b)
            if (keys.Current[a] == keys.Current[b]) return true;
    return false;
}

std::vector<int> ChangedSystemSlots(const SystemKeys& keys) {
    std::vector<int> changed;
    for (std::size_t s = 0; s < keys.Current.size(); ++s)
        if (keys.Current[s] != keys.Opening[s]) changed.push_back(static_cast<int>(s));
    return changed;
}

}  // namespace tessaro
