#include "protocol/hotkey_names.h"

#include <algorithm>

#include "protocol/glob_data.h"
#include "protocol/hotkey_codes.h"

namespace tessaro {

const std::string& HotKeyNames(int code) {
    static const std::string none;
    const hook::HotKeyDef* def = hook::HotKeyDefinition(code);
    return def ? def->name : none;
}

bool IsReservedHotKey(int code) {
    return std::find(kReservedHotKeys.begin(), kReservedHotKeys.end(), code) != kReservedHotKeys.end();
}

DecipheredKey DecipherKey(int code) {
    DecipheredKey key;
    const hook::HotKeyDef* def = hook::HotKeyDefinition(code);
    if (!def) return key;
    key.vk = def->vk;
    key.mouse = def->mouse;
    key.ctrl = def->mods & hook::kModCtrl;
    key.alt = def->mods & hook::kModAlt;
    key.shift = def->mods & hook::kModShift;
    key.win = def->mods & hook::kModWin;
    return key;
}

std::string ReservedKeyQuestion(int code) {
    if (!IsReservedHotKey(code)) return {};
    const std::string& name = HotKeyNames(code);
    return name + " may be used internally by Windows 95, 98 or NT. " +
           " This may cause the hot key not to function correctly." + " Would you still like to use " + name +
           "?";
}

static_assert(kHotKeyCodeCount == 721);

std::array<int, 721> HotKeyUseCounts(const TGlobData& glob) {
    std::array<int, 721> uses{};
    const int count = std::min<int>(glob.MacroCount, kMaxMacros);
    for (int n = 1; n <= count; ++n) {
        const int code = glob.ActivationCode[n];
        if (code >= 0 && code < kHotKeyCodeCount) ++uses[static_cast<std::size_t>(code)];
    }
    return uses;
}

std::string HotKeyUsageText(int macrosUsing) {
    if (macrosUsing == 0) return "Not in Use";
    if (macrosUsing == 1) return "1 macro in use";
    return std::to_string(macrosUsing) + " macros in use";
}

}  // namespace tessaro
