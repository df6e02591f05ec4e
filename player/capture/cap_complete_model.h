#pragma once
// What "Capture Complete" decides, apart from its widgets: the hot-key list, the height
// for each kind of start, the checks of "&Ok" and what they write into the new macro.
#include <cstdint>
#include <string>
#include <vector>

#include "macro/macro_record.h"
#include "protocol/glob_data.h"

namespace tessaro {

enum class CapType { HotKeys, Snipra, None };

// Routes the hot keys the user presses to a window (WM_HOTKEY_CHOSEN) instead of running
// their macros, while that window picks a hot key.
class SecWindRoute {
public:
    virtual ~SecWindRoute() = default;
    virtual void SetSecWind(std::uint32_t window, bool on) = 0;
};

// The dialog's client height for a kind of start.
int CapCompleteHeight(CapType type);

// One line of the hot-key list: drawn as `name` at the left and `usage` from three fifths
// of the width; `text` is the whole line.
struct HotKeyLine {
    std::string name;
    std::string usage;  // "Not in Use", "1 macro in use", "n macros in use"
    std::string text;   // name + "  (" + usage + ")"
};
// One line per hot-key code 0..720, counting every loaded macro started by that code.
std::vector<HotKeyLine> HotKeyLines(const TGlobData& glob);

struct CapChoice {
    CapType type = CapType::Snipra;
    bool global = true;
    int code = -1;  // the hot key chosen in the list, -1 none
    std::string snipra;
    std::string nickname;
};

struct CapCheck {
    enum Kind { Ok, Error, Confirm } kind = Ok;
    std::string caption, text;
    bool focusSnipra = false;
};

// The checks of "&Ok", in order. Confirm asks Yes/No about a hot key the desktop itself
// uses; Yes carries on with ApplyCapChoice, No keeps the dialog open.
CapCheck CheckCapChoice(const CapChoice& choice, const TGlobData& glob);

// Writes the choice into the record (the checks passed).
void ApplyCapChoice(const CapChoice& choice, const std::string& topProgram, TMacroRecord& rec);

}  // namespace tessaro
