#pragma once
// The Add Macro dialog: its six macro types, their layouts, the checks before an editor is
// opened and what that editor is given.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/macro_forms/hot_key_list.h"
#include "macro/macro_record.h"

namespace tessaro {

enum class MacroType { HotKey, Popup, Timed, None, Snipra, Title };

struct AddLayout {
    bool snipraShown = false;
    std::string snipraLabel;
    int snipraLimit = 10;
    bool keysShown = false;  // "Select Hot Key", the hint, HotKeyEntry and KeyList
    bool captureEnabled = false;
    bool scriptEnabled = true;
    bool popupEnterCaption = false;  // "&Build Menu" instead of "&Enter Directly"
    int clientHeight = 0;
};
AddLayout LayoutOfType(MacroType type);

// Captions of the type buttons and the four action buttons, with or without their
// accelerators (they go while HotKeyEntry has the focus, so Alt+letter is a hot key).
struct AddCaptions {
    std::array<std::string, 6> types;  // in MacroType order
    std::string script, enter, capture, abort;
};
AddCaptions CaptionsFor(MacroType type, bool withAccelerators);

struct AddEntry {
    MacroType type = MacroType::HotKey;
    int selectedCode = -1;   // the selected KeyList row, -1 none
    std::string snipraName;  // as typed, Windows-1252
};

struct AddCheck {
    bool ok = false;
    std::string error;  // for a box "Error"
    bool focusSnipra = false;
    std::string reservedQuestion;  // when ok: asked before going on (No refuses)
};

inline constexpr const char* kNoSnipraEntered = "No Snipra name entered.";
inline constexpr const char* kNoTitleEntered = "No Window title has been entered.";
inline constexpr const char* kNoUserMacros =
    "No macros have been defined yet.  A popup menu is created with existing macros.";
inline constexpr const char* kPopupKeyTaken =
    "Selected Hot Key is already either a GLOBAL or Popup Menu Hot Key.  Hot Key cannot be added.";

// The checks shared by "Enter Directly", "Capture Macro" and "Scripting Editor" (all but
// the popup type); on success writes the abbreviation or the title into `rec`.
AddCheck CheckAddEntry(const AddEntry& entry, TMacroRecord& rec);
// The popup type's checks before "Build Menu".
AddCheck CheckPopupEntry(const AddEntry& entry, bool hasUserMacros, const HotKeyFlags& globalUsed);

// What the properties editor (or the script editor) is opened with.
struct EditorSetup {
    std::uint16_t activationCode = acNone;
    bool globalKeyTaken = false;
    int activationKind = 0;
    bool setsHotKeyLabel = false;
};
EditorSetup SetupOfType(MacroType type, int code, const HotKeyFlags& globalUsed);

}  // namespace tessaro
