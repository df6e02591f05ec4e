#pragma once
// The list of the 721 hot keys that the Add Macro and Copy or Move dialogs show, and the
// facts about hot keys in use that both check.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

using HotKeyFlags = std::array<bool, kHotKeyCodeCount>;

bool IsHotKeyCode(int activationCode);

// One row per code 0..720: its name followed by "  (Not in Use)", "  (1 macro in use)" or
// "  (n macros in use)", counting the macros of any scope.
std::vector<std::string> HotKeyListRows(const TGlobData& glob);
// The two columns of a row: the name, and the text between "(" and ")".
std::pair<std::string, std::string> HotKeyRowColumns(const std::string& row);

// Keys held by a macro of scope GLOBAL or popup menu, and with `countSystem` by a system
// macro too.
HotKeyFlags GlobalHotKeysUsed(const TGlobData& glob, bool countSystem);
// At least one macro that is not a system macro.
bool HasUserMacros(const TGlobData& glob);

inline constexpr const char* kNoHotKeySelected = "No hot key selected.  Please select one.";

}  // namespace tessaro
