#pragma once
// The macro control dialog (TDoNick): run, delete, enable or disable a macro by nickname.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/model/commands/command_form.h"

namespace tessaro {

struct TConfigRecord;
struct TGlobData;

inline constexpr std::array<RadioChoice, 4> kNickChoices{{
    {"Run", "&Run A Macro", 1, cmd::MacroRun, TokenKind::MacRun},
    {"Delete", "&Delete A Macro", 2, cmd::MacroDelete, TokenKind::MacDel},
    {"ACtivate", "&Activate A Macro", 3, cmd::MacroActivate, TokenKind::MacAct},
    {"Deactivate", "&Deactivate A Macro", 4, cmd::MacroDeactivate, TokenKind::MacDeact},
}};

// The nicknames of macros 1..MacroCount that are not system macros (scope 5) and not
// blank, as stored, sorted case-insensitively as the list box sorts.
std::vector<std::string> NickListOf(const TGlobData& glob, const TConfigRecord& config);

struct NickForm {
    std::int32_t Kind = 0;
    std::string ProgPath;
    std::string Highlighted;  // the selected list entry; empty for none
    bool operator==(const NickForm&) const = default;
};

struct NickFields {
    std::string TargetNickname;
    std::int32_t NickKind = 0;
};

NickForm NickDefaults();  // "Run"
NickForm NickPreset(const TMacroRefRec& rec);

// The question asked when ProgPath is empty and an entry is highlighted (Yes/No, "Error").
std::string NickUseHighlightedQuestion(const std::string& nickname);
inline constexpr const char* kNoNickname = "No nickname has been entered.  Please correct.";

// `useHighlighted`: the user's answer to the question; only asked (and only read) when
// ProgPath is empty and an entry is highlighted. A No gives an error with no message.
FormResult<NickFields> BuildNick(const NickForm& form, bool useHighlighted);
// True when BuildNick would need the answer.
bool NickNeedsQuestion(const NickForm& form);

}  // namespace tessaro
