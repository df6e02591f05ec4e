#include "platform/x11/key_levels.h"

#include <algorithm>
#include <bit>

namespace win::x11 {
namespace {

// What a stroke costs: each modifier key held is one more key event pair; a lock or a
// group changed for the key is two more requests and a flicker of the keyboard's lights.
// A spare is dearer than a modifier key: it is lent to one keysym of many.
constexpr int kPressCost = 1, kLockCost = 4, kGroupCost = 4, kSpareCost = 2;

bool Before(const KeyLevels::Place& a, const KeyLevels::Place& b) {
    if (a.spare != b.spare) return b.spare;
    if (a.group != b.group) return a.group < b.group;
    if (a.level != b.level) return a.level < b.level;
    return a.code < b.code;
}

}  // namespace

int LevelType::LevelOf(unsigned mods) const {
    mods &= mask;
    for (const auto& [combination, level] : levels)
        if (combination == mods) return level;
    return 0;
}

void KeyLevels::Reset(std::vector<LevelType> types, unsigned shortcut) {
    types_ = std::move(types);
    shortcut_ = shortcut;
    for (auto& key : keys_) key.clear();
    std::fill(spare_.begin(), spare_.end(), 0);
    std::fill(mods_.begin(), mods_.end(), 0);
    std::fill(mod_keys_.begin(), mod_keys_.end(), 0);
    places_.clear();
}

void KeyLevels::SetKey(unsigned char code, std::vector<Group> groups) {
    Unindex(code);
    spare_[code] = 0;
    keys_[code] = std::move(groups);
    for (Group& g : keys_[code])
        if (g.type < 0 || g.type >= static_cast<int>(types_.size())) g.syms.clear();
    Index(code);
}

void KeyLevels::SetSpare(unsigned char code, Sym sym) {
    Unindex(code);
    keys_[code].clear();
    spare_[code] = sym;
    Index(code);
}

void KeyLevels::SetModifierKey(unsigned char code, unsigned mods) {
    mods_[code] = mods;
    if (std::popcount(mods) != 1) return;
    const int bit = std::countr_zero(mods);
    if (bit < 8 && !mod_keys_[bit]) mod_keys_[bit] = code;
}

unsigned char KeyLevels::KeyFor(unsigned bit) const {
    return std::popcount(bit) == 1 && bit < 256 ? mod_keys_[std::countr_zero(bit)] : 0;
}

unsigned KeyLevels::ModsOf(unsigned char code) const { return mods_[code]; }

KeyLevels::Sym KeyLevels::SymAt(unsigned char code, int group, int level) const {
    if (spare_[code]) return spare_[code];
    const auto& key = keys_[code];
    if (group < 0 || group >= static_cast<int>(key.size())) return 0;
    const auto& syms = key[group].syms;
    return level >= 0 && level < static_cast<int>(syms.size()) ? syms[level] : 0;
}

int KeyLevels::Groups(unsigned char code) const {
    return spare_[code] ? 1 : static_cast<int>(keys_[code].size());
}

bool KeyLevels::Carries(unsigned char code, Sym sym) const {
    if (spare_[code]) return spare_[code] == sym;
    bool any = false;
    for (const Group& g : keys_[code])
        for (Sym s : g.syms) {
            if (s && s != sym) return false;
            any = any || s == sym;
        }
    return any;
}

const std::vector<KeyLevels::Place>& KeyLevels::PlacesOf(Sym sym) const {
    static const std::vector<Place> kNone;
    auto it = places_.find(sym);
    return it == places_.end() ? kNone : it->second;
}

std::optional<KeyLevels::Place> KeyLevels::Primary(Sym sym) const {
    const auto& places = PlacesOf(sym);
    if (places.empty() || places.front().spare) return std::nullopt;
    return places.front();
}

void KeyLevels::Index(unsigned char code) {
    auto add = [&](Sym sym, Place place) {
        auto& list = places_[sym];
        list.insert(std::upper_bound(list.begin(), list.end(), place, Before), place);
    };
    if (spare_[code]) add(spare_[code], {code, 0, 0, true});
    const auto& key = keys_[code];
    for (int g = 0; g < static_cast<int>(key.size()); ++g)
        for (int l = 0; l < static_cast<int>(key[g].syms.size()); ++l)
            if (key[g].syms[l]) add(key[g].syms[l], {code, g, l, false});
}

void KeyLevels::Unindex(unsigned char code) {
    auto drop = [&](Sym sym) {
        auto it = places_.find(sym);
        if (it == places_.end()) return;
        std::erase_if(it->second, [&](const Place& p) { return p.code == code; });
        if (it->second.empty()) places_.erase(it);
    };
    if (spare_[code]) drop(spare_[code]);
    for (const Group& g : keys_[code])
        for (Sym sym : g.syms)
            if (sym) drop(sym);
}

std::optional<Stroke> KeyLevels::Plan(Sym sym, const LevelState& state) const {
    std::optional<Stroke> best;
    int best_cost = 0;
    auto consider = [&](const Stroke& stroke, int cost) {
        if (!best || cost < best_cost) {
            best = stroke;
            best_cost = cost;
        }
    };
    for (const Place& place : PlacesOf(sym)) {
        if (place.spare) {
            consider({place.code}, kSpareCost);
            continue;
        }
        const auto& key = keys_[place.code];
        const int groups = static_cast<int>(key.size());
        // A group past the key's own wraps round to them.
        const bool other_group = state.group % groups != place.group;
        if (other_group && state.group_held) continue;
        const LevelType& type = types_[key[place.group].type];
        // The modifiers the key sees: what is held stays, what is locked may be let go.
        const unsigned held = state.held & type.mask;
        const unsigned locked = state.locked & ~state.held & type.mask;
        for (unsigned mods = type.mask;; mods = (mods - 1) & type.mask) {
            const unsigned needed = mods & ~(held | locked);
            if (type.LevelOf(mods) == place.level && !(held & ~mods) && !(needed & shortcut_)) {
                Stroke stroke{place.code};
                stroke.group = other_group ? place.group : -1;
                for (unsigned bits = needed; bits; bits &= bits - 1)
                    if (KeyFor(bits & -bits)) stroke.press |= bits & -bits;
                stroke.lock = needed & ~stroke.press;
                stroke.unlock = locked & ~mods;
                consider(stroke, kPressCost * std::popcount(stroke.press) +
                                     kLockCost * std::popcount(stroke.lock | stroke.unlock) +
                                     (other_group ? kGroupCost : 0));
            }
            if (mods == 0) break;
        }
    }
    return best;
}

}  // namespace win::x11
