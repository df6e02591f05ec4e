#pragma once
// Hot-key codes 0..720 as both programs show and press them: the name of each code, the
// codes the desktop itself uses, and the decoding of a code into its key, mouse button and
// modifiers. The layout of the codes is the hook library's table, so recognising a key and
// naming or pressing it can never disagree.
#include <array>
#include <cstdint>
#include <string>

namespace tessaro {

inline constexpr int kHotKeyNameLength = 24;

// The name of a code ("Ctrl+A", "KeyPad /", "Ctrl+Alt+Shift+Left Arro"); empty outside
// 0..720.
const std::string& HotKeyNames(int code);

// Codes the desktop itself uses; the editor and the capture-complete dialog warn on them.
inline constexpr std::array<int, 10> kReservedHotKeys = {89, 185, 233, 590, 557, 558, 559, 566, 571, 607};
bool IsReservedHotKey(int code);
// The question asked before such a key is taken; empty for other keys.
std::string ReservedKeyQuestion(int code);

// How many macros use each code, and the words the hot-key lists show for a count:
// "Not in Use", "1 macro in use", "n macros in use".
std::array<int, 721> HotKeyUseCounts(const struct TGlobData& glob);
std::string HotKeyUsageText(int macrosUsing);

// What a code presses: a virtual key (0 for a mouse code), a mouse button (1 left,
// 2 right, 3 middle, 0 none) and the modifiers. A code outside 0..720 decodes to nothing.
struct DecipheredKey {
    std::uint16_t vk = 0;
    std::uint16_t mouse = 0;
    bool win = false, shift = false, alt = false, ctrl = false;
    bool operator==(const DecipheredKey&) const = default;
};
DecipheredKey DecipherKey(int code);

}  // namespace tessaro
