#pragma once
// The macro properties editor ("Modify Hot Key"): what it shows for a macro, the checks of
// its Update and the record it then stores. The form itself only moves texts in and out.
#include <QString>
#include <string>

#include "foundation/config_record.h"
#include "macro/macro_record.h"

namespace tessaro {

enum class ScopeChoice { Global, Window, Program };

// How the controls of one activation kind look (1 hot key, 2 timed, 3 Snipra, 6 none,
// 7 window title; any other value looks like a hot key).
struct KindControls {
    bool timerLabelShown = false;
    std::string timerLabel;
    int timerLabelTop = 0;
    bool hotKeyLabelShown = true;
    bool setScheduleShown = false;
    bool snipraNameShown = false;
    int snipraNameLimit = 10;
    bool shortPropShown = false;
    bool windowScopesEnabled = true;  // "Window", "Program" and "Select"
};
KindControls ControlsOfKind(int activationKind);

struct ModHotKeysView {
    QString nickname, text, snipraName;
    ScopeChoice scope = ScopeChoice::Global;
    bool globalEnabled = true;
    std::string iconFile;  // "MAIN" or a file in ProgramDir/Icons
    KindControls controls;
};

// FormShow's preparation of the record (abbreviation repairs for an existing macro, the
// defaults of a new one except its schedule, which DefaultTimer fills) and what it shows.
// `iconsDir` is ProgramDir/Icons: an icon file missing there falls back to "MAIN".
ModHotKeysView PrepareModHotKeys(TMacroRecord& rec, bool modifyExisting, bool globalKeyTaken,
                                 int activationKind, const TConfigRecord& config,
                                 const std::string& iconsDir);

QString ModHotKeysCaption(ScopeChoice scope, const std::string& scopeText);

struct ModHotKeysEntry {
    bool modifyExisting = false;
    int activationKind = 1;
    QString nickname, text, snipraName;
    ScopeChoice scope = ScopeChoice::Global;
    std::string iconFile;
};

enum class EntryFocus { None, NickName, SnipraName, NewFormat };

struct ModHotKeysUpdate {
    enum class Status { Stored, Refused, AskTruncation };
    Status status = Status::Refused;
    std::string message;  // Windows-1252, for a box "Error" (refused) or "Warning" (question)
    EntryFocus focus = EntryFocus::None;
    TMacroRecord record;  // when stored: the whole record to keep
};

inline constexpr const char* kNoSnipraName = "No Snipra name was entered.";
inline constexpr const char* kBadSnipraName =
    "The Snipra name has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # "
    "$ % ^ & _ = < > ? . ; , * - / +";
inline constexpr const char* kNoWindowTitle = "No Window title has been entered.";
inline constexpr const char* kTruncateQuestion =
    "The size of the macro exceeds the 5,000 character limit.  The macro will be truncated to 5,000 "
    "characters. Would you like to exit and have the macro truncated?";

// One of the 81 characters a Snipra name may hold.
bool IsSnipraCharacter(char c);
// The first failure of a trimmed Snipra name: kNoSnipraName, kBadSnipraName or empty.
std::string SnipraNameProblem(const std::string& trimmed);

// Update: checks in their fixed order and builds the record to store; nothing of `current`
// changes here. With `truncateAgreed` the text is cut to 5,000 characters instead of asking.
// A new macro is enabled but not counted: the caller's append counts it once written.
ModHotKeysUpdate UpdateModHotKeys(const TMacroRecord& current, const ModHotKeysEntry& entry,
                                  bool truncateAgreed, double now);

}  // namespace tessaro
