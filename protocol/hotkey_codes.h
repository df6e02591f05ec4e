#pragma once
// The 721 hot-key codes: each names one key (or mouse button) with its modifiers.
#include <cstdint>
#include <string>

namespace tessaro::hook {

// Modifier bits.
enum : std::uint8_t { kModCtrl = 1, kModAlt = 2, kModShift = 4, kModWin = 8 };

struct HotKeyDef {
    std::uint16_t vk = 0;    // Windows virtual key; 0 for mouse codes
    std::uint8_t mouse = 0;  // 1 left, 2 right, 3 middle, 0 a key
    std::uint8_t mods = 0;   // kMod* bits
    std::string name;        // as listed to the user, at most 24 characters
};

inline constexpr int kFirstMouseCode = 699;

// The definition of code 0..720; nullptr outside that range.
const HotKeyDef* HotKeyDefinition(int code);

// The code of a key with its modifiers, or -1 when no code names that combination.
int HotKeyCodeForKey(std::uint16_t vk, std::uint8_t mods);
// The code of a mouse button (1..3) with its modifiers, or -1.
int HotKeyCodeForMouse(int button, std::uint8_t mods);

}  // namespace tessaro::hook
