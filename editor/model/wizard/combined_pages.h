#pragma once
// Page 64 of "Build Macros From Other Macros": the macros that may be combined and the
// new macro's list of them in playing order, with its add, insert, move and delete. And the
// small page handlers that store a setting at once.
#include <string>
#include <vector>

#include "editor/model/wizard/wizard_context.h"
#include "editor/script/line_ops.h"
#include "foundation/config_record.h"
#include "protocol/glob_data.h"

namespace tessaro::wizard {

inline constexpr const char* kNoLineChosen = "No line selected.  Please select one.";

struct CombinedItem {
    std::string nickname;
    int number = 0;  // 1-based position in the macro file

    bool operator==(const CombinedItem&) const = default;
};

// The macros that have a nickname and are not system macros, sorted by nickname
// (ignoring case) as the "Available Macros" list shows them.
std::vector<CombinedItem> CombinableMacros(const TGlobData& glob, const TConfigRecord& config);

struct CombinedButtons {
    bool up = false, down = false, remove = false;
    bool operator==(const CombinedButtons&) const = default;
};

struct CombinedList {
    std::vector<CombinedItem> items;
    int selected = -1;  // -1: none

    // Puts a copy of `chosen` at the end, before or after the selected line (at the top
    // when none is selected) and selects it; the message when no
    // available macro is chosen (nothing changes then).
    std::string AddALine(AddStyle style, const CombinedItem* chosen);
    // The selected line swaps places with its neighbour and stays selected.
    void Up();
    void Down();
    // Removes the selected line; the line now at its place, or the new last one, is selected.
    std::string Delete();
    CombinedButtons EnableDisable() const;

private:
    bool HasSelection() const { return selected >= 0 && selected < static_cast<int>(items.size()); }
};

// Page 65's "Do not show this on program startup.": the welcome shows at start exactly
// while it is unticked. The [Misc] settings are saved and the player told at once.
void P65ShowClick(WizardContext& ctx, bool checked);

}  // namespace tessaro::wizard
