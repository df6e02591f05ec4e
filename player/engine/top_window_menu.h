#pragma once
// The menu of macros for the top window: every window- or program-scoped macro that
// belongs to the foreground window, shown in the popup chooser.
#include <string_view>

#include "macro/macro_record.h"

namespace tessaro {

struct TGlobData;

inline constexpr const char* kNoTopWindowMacros =
    "There are no macros defined with a specific window title or program name that match the current "
    "top most active window.";

// The chooser shows at most this many items: one per key "0".."9", "A".."Z".
inline constexpr int kMaxChooserItems = 36;

// A popup-menu play record for the foreground window's title and program name (both
// upper-cased): scope-2 macros whose scope text occurs in the title and scope-3 macros
// whose scope text occurs in the program name, in file order, at most 36. Its options are
// a blank, the style digit of `systemMenu` (1..3, else a blank: name style) and "2"
// (32-pixel icons).
TMacroRecord TopWindowMenu(const TGlobData& glob, std::string_view title, std::string_view program,
                           int systemMenu);

}  // namespace tessaro
