#include "protocol/hotkey_names.h"

#include <algorithm>

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

}  // namespace tessaro
