#pragma once
// The rules of the explorer's macro commands that need no window: the checks before a
// command, which commands the selected macro allows, the titles and questions of the
// dialogs, and popup-menu renumbering when a macro is removed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "macro/macro_record.h"

namespace tessaro {

inline constexpr const char* kNoMacrosText = "No hot keys have been added yet.  Please add one first.";
inline constexpr const char* kNoSelectionText = "No hot key selected.  Please select one.";
inline constexpr const char* kMaximumText = "Maximum number of hot keys has been reached.  Add not allowed.";

// Checks (a) and (b): the text of the refusal, or nothing when the command may go on.
// rowCount counts the title row; selectedRow is 1-based (below 1: none).
std::optional<std::string> SelectionCheck(int rowCount, int selectedRow);

// The six command groups' enabling for the selected macro, and the modify captions.
struct CommandStates {
    bool copyModifyRemoveActivate = false;
    bool recapture = false;
    bool scripting = false;
    std::string modifyCaption;  // button and menu item
    std::string modifyHint;     // speed button
};
CommandStates CheckTimeItem(std::uint16_t scope, std::uint16_t activationCode);

// Activate button and menu caption, and speed-button hint, for the macro's state.
std::string ActivateCaption(bool enabled);
std::string ActivateHint(bool enabled);

// "COPY Timed Macro TO", "MOVE Ctrl+A TO", ...
std::string CopyMoveTitle(bool copy, std::uint16_t activationCode, std::string_view abbreviation);
// The capture dialog's label: "Snipra: " + abbreviation, else the hot-key name.
std::string CaptureLabel(std::uint16_t activationCode, std::string_view abbreviation);
// "Tessaro 99 capture is complete for ..."; empty for other activations.
std::string CaptureCompleteText(std::uint16_t activationCode, std::string_view abbreviation);

// The two Delete questions.
std::string DeleteQuestion(std::uint16_t activationCode, std::string_view abbreviation);
std::string PopupDeleteQuestion(std::uint16_t activationCode, std::string_view abbreviation);

// Whether popup menu `menu` lists macro n.
bool PopupListsMacro(const TMacroRecord& menu, int n, int macroCount);
// Removes item n from a popup menu and renumbers the items after n down by one
// ([2, 3, 4] without 3 -> [2, 3]). True when the record changed.
bool RemoveFromPopupMenu(TMacroRecord& menu, int n, int macroCount);

}  // namespace tessaro
