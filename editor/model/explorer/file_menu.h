#pragma once
// The "&File" menu's logic: which names open as macro files, the five recent files, and
// the schedule description of a timed macro.
#include <array>
#include <string>
#include <string_view>

#include "foundation/config_record.h"
#include "macro/macro_record.h"

namespace tessaro {

// The last four characters, upper-cased, are ".QTM".
bool IsMacroFileName(std::string_view name);

// Recent files after opening `newName` while `oldName` was current: `newName` leaves
// entries 1..5, the rest move down and `oldName` becomes entry 1.
void DoLastFiles(TConfigRecord& config, const std::string& oldName, const std::string& newName);

// Captions of MenuLastFile1..5 ("&1   " + name); empty: hidden. The separator shows when
// any caption is not empty.
std::array<std::string, 5> LastFileCaptions(const TConfigRecord& config);

// "Daily at 12:00PM,Sun,Sat", "Once at 9:05AM on 3 March 2027", ...; empty for other types.
std::string GetSched(const TMacroRecord& rec);

}  // namespace tessaro
