#include "platform/x11/xkb_levels.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

namespace win::x11 {
namespace {

// Keys whose modifiers turn a key into a command rather than a character.
bool IsShortcutModifier(KeySym sym) {
    switch (sym) {
        case XK_Control_L:
        case XK_Control_R:
        case XK_Alt_L:
        case XK_Alt_R:
        case XK_Meta_L:
        case XK_Meta_R:
        case XK_Super_L:
        case XK_Super_R:
        case XK_Hyper_L:
        case XK_Hyper_R: return true;
        default: return false;
    }
}

// The modifiers a key sets while it is down, from the action of its first level.
unsigned SetModsOf(XkbDescPtr xkb, int code) {
    if (XkbKeyNumGroups(xkb, code) < 1 || !XkbKeyHasActions(xkb, code)) return 0;
    const XkbAction* action = XkbKeyActionEntry(xkb, code, 0, 0);
    if (!action || action->type != XkbSA_SetMods) return 0;
    return action->mods.flags & XkbSA_UseModMapMods ? xkb->map->modmap[code] : action->mods.mask;
}

}  // namespace

bool ReadXkbLayout(Display* display, unsigned device, XkbLayout& layout) {
    XkbDescPtr xkb =
        XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbKeyActionsMask | XkbModifierMapMask, device);
    if (!xkb) return false;
    std::vector<LevelType> types;
    for (int i = 0; i < xkb->map->num_types; ++i) {
        const XkbKeyTypeRec& t = xkb->map->types[i];
        LevelType type{t.mods.mask, {}};
        for (int e = 0; e < t.map_count; ++e)
            if (t.map[e].active) type.levels.emplace_back(t.map[e].mods.mask, t.map[e].level);
        types.push_back(std::move(type));
    }
    unsigned shortcut = ControlMask;
    for (int code = xkb->min_key_code; code <= xkb->max_key_code; ++code)
        if (XkbKeyNumGroups(xkb, code) > 0 && IsShortcutModifier(XkbKeySymEntry(xkb, code, 0, 0)))
            shortcut |= SetModsOf(xkb, code);
    layout.levels.Reset(std::move(types), shortcut);
    layout.empty.clear();
    for (int code = xkb->min_key_code; code <= xkb->max_key_code; ++code) {
        std::vector<KeyLevels::Group> groups;
        bool any = false;
        for (int g = 0; g < XkbKeyNumGroups(xkb, code); ++g) {
            KeyLevels::Group group{XkbKeyKeyTypeIndex(xkb, code, g), {}};
            for (int l = 0; l < XkbKeyGroupWidth(xkb, code, g); ++l) {
                group.syms.push_back(XkbKeySymEntry(xkb, code, l, g));
                any = any || group.syms.back() != NoSymbol;
            }
            groups.push_back(std::move(group));
        }
        const auto kc = static_cast<unsigned char>(code);
        if (!any && !xkb->map->modmap[code]) layout.empty.push_back(kc);
        if (!any) continue;
        layout.levels.SetKey(kc, std::move(groups));
        // A modifier key counts only where it has a keysym: one without is nobody's key.
        if (XkbKeySymEntry(xkb, code, 0, 0) != NoSymbol)
            layout.levels.SetModifierKey(kc, SetModsOf(xkb, code));
    }
    XkbFreeKeyboard(xkb, 0, True);
    return true;
}

std::optional<LevelState> ReadLevelState(Display* display) {
    XkbStateRec state{};
    if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) return std::nullopt;
    LevelState out;
    out.group = state.group;
    out.locked_group = state.locked_group;
    out.group_held = state.base_group != 0 || state.latched_group != 0;
    out.locked = state.locked_mods;
    return out;
}

void LockGroup(Display* display, int group) {
    XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(group));
}

void LockModifiers(Display* display, unsigned affect, unsigned values) {
    XkbLockModifiers(display, XkbUseCoreKbd, affect, values);
}

}  // namespace win::x11
