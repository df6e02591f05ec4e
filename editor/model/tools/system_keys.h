#pragma once
// The hot keys of the five system macros, chosen by pressing them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/glob_data.h"

namespace tessaro {

// Slots in dialog order; each names its system macro by the first character of ScopeText.
inline constexpr std::array<char, 5> kSystemSlotScope = {'5', '1', '2', '3', '4'};

struct MacroKeyUse {
    std::uint16_t ActivationCode = 0;
    std::uint16_t Scope = 0;
    std::string ScopeText;
};

struct SystemKeys {
    std::array<std::uint16_t, 5> Current{};
    std::array<std::uint16_t, 5> Opening{};
    std::array<int, 5> Macro{};  // macro numbers, 0 when the file lacks that system macro
};

// The trigger table's macros 1..MacroCount, in order.
std::vector<MacroKeyUse> MacroKeyUses(const TGlobData& glob);

// The slot of a field numbered as the dialog's focus (1..4 the commands "1".."4", 5
// "Terminate Program"); slot 1 for any other number.
int SystemSlotOfField(int field);

// The five slots from the macros of the file (numbered from 1 in order).
SystemKeys LoadSystemKeys(const std::vector<MacroKeyUse>& macros);

// The refusal of a pressed key that a global, popup-menu or system macro already holds;
// empty when the key may be taken.
std::string SystemKeyTaken(const std::vector<MacroKeyUse>& macros, std::uint16_t code);

inline constexpr const char* kSystemKeysTwice =
    "The same hot key has been assigned to more than one system command.";

// True when two slots hold the same key.
bool SystemKeysRepeat(const SystemKeys& keys);

// The slots whose key changed since the dialog opened.
std::vector<int> ChangedSystemSlots(const SystemKeys& keys);

}  // namespace tessaro
