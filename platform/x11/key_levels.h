#pragma once
// The keyboard layout as the server applies it: on which keys, groups and levels each
// keysym sits, which modifiers select each level, and which keys hold a modifier down.
// Plans how one keysym is typed from the keyboard's state without changing the map: with
// the level's modifiers held (Shift, AltGr), a modifier locked for the one key (NumLock
// for the keypad's digits) or another group locked for it. No X header: filled from the
// server's map by xkb_levels.h.
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace win::x11 {

// A key type: the modifiers it looks at and the level each combination of them selects;
// a combination it does not list selects the first level.
struct LevelType {
    unsigned mask = 0;                             // real modifier bits
    std::vector<std::pair<unsigned, int>> levels;  // combination within mask, level (0-based)
    int LevelOf(unsigned mods) const;
};

// The keyboard's state as a key sent now meets it.
struct LevelState {
    int group = 0;            // the effective group
    int locked_group = 0;     // its locked part
    bool group_held = false;  // a key shifts or latches the group: no other group can be locked
    unsigned locked = 0;      // locked modifiers
    unsigned held = 0;        // modifiers of the keys playback holds down
};

// One press of a key and what changes around it, for that press only.
struct Stroke {
    unsigned char code = 0;
    int group = -1;       // the group locked for the key; -1 when the current one serves
    unsigned press = 0;   // modifiers held down through their keys
    unsigned lock = 0;    // modifiers locked for the key
    unsigned unlock = 0;  // locked modifiers let go for the key
    bool Plain() const { return group < 0 && press == 0 && lock == 0 && unlock == 0; }
};

class KeyLevels {
public:
    using Sym = unsigned long;
    struct Group {
        int type = 0;           // index into the types of Reset()
        std::vector<Sym> syms;  // by level
    };
    struct Place {
        unsigned char code = 0;
        int group = 0, level = 0;
        bool spare = false;  // a keycode lent to the keysym: it types it in every state
    };

    // Starts a new layout. `shortcut` are the modifiers that make a key a command
    // (Control, Alt, Super): a character is never typed by adding one of them.
    void Reset(std::vector<LevelType> types, unsigned shortcut);
    void SetKey(unsigned char code, std::vector<Group> groups);
    // A keycode lent to type `sym` whatever the modifiers (0 takes it back).
    void SetSpare(unsigned char code, Sym sym);
    // A key whose press holds the modifiers `mods` down (a Shift, an AltGr key).
    void SetModifierKey(unsigned char code, unsigned mods);

    // The key that holds down exactly the one modifier `bit`; 0 for none.
    unsigned char KeyFor(unsigned bit) const;
    // The modifiers a key holds while it is down.
    unsigned ModsOf(unsigned char code) const;
    Sym SymAt(unsigned char code, int group, int level) const;
    int Groups(unsigned char code) const;
    // Whether every keysym of the key is `sym`.
    bool Carries(unsigned char code, Sym sym) const;
    // Where the layout has `sym`, lowest group and level first, spares last.
    const std::vector<Place>& PlacesOf(Sym sym) const;
    // The first place that is not a spare.
    std::optional<Place> Primary(Sym sym) const;

    // The cheapest stroke that types `sym` from `state`; nullopt when no key can.
    std::optional<Stroke> Plan(Sym sym, const LevelState& state) const;

private:
    void Index(unsigned char code);
    void Unindex(unsigned char code);

    std::vector<LevelType> types_;
    unsigned shortcut_ = 0;
    std::vector<std::vector<Group>> keys_ = std::vector<std::vector<Group>>(256);
    std::vector<Sym> spare_ = std::vector<Sym>(256, 0);
    std::vector<unsigned> mods_ = std::vector<unsigned>(256, 0);
    std::vector<unsigned char> mod_keys_ = std::vector<unsigned char>(8, 0);
    std::unordered_map<Sym, std::vector<Place>> places_;
};

}  // namespace win::x11
