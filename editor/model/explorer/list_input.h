#pragma once
// The macro list's keyboard and header input without widgets: the incremental search on
// the activation column, the primary sort chosen by a header click, the show command the
// editor starts with, and the main window's bounds brought inside the screen.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/config_record.h"
#include "protocol/glob_data.h"

namespace tessaro {

// What the search compares typed text with: "NONE", "WINDOW TITLE", "TIMED MACRO", the
// abbreviation or the hot key's name, upper-cased.
std::string SearchActivationText(std::uint16_t code, std::string_view abbreviation);

// The first list row (1-based) whose activation text begins with `text`; -1 when none or
// when `text` is empty. Only the rows listed are searched.
int SearchRow(const std::vector<int>& rowMacro, const TGlobData& glob, const TConfigRecord& config,
              std::string_view text);

// The primary sort after a right click on list column 2, 3 or 4 ("132", "213", "321");
// nothing when the column is another one or the order already starts with its key.
std::optional<std::string> HeaderPrimarySort(std::string_view current, int column);

// The show command the editor was started with, from the start-up information the launcher
// leaves in TESSARO_SHOW: a name or a show-window number. Unknown text shows normally.
enum class StartShow { Normal, Minimize, Maximize };
StartShow StartShowCmdOf(const char* startupInfo);

// A window's bounds (width, height, left, top) inside an area of the screen: never larger
// than the area and with every edge on it.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
Bounds FitToArea(Bounds window, Bounds area);

}  // namespace tessaro
