#pragma once
// The Copy or Move dialog: a macro gets a new activation (copied as a new macro, or moved).
#include <string>

#include "editor/model/macro_forms/hot_key_list.h"
#include "macro/macro_record.h"

namespace tessaro {

enum class NewActivation { HotKey, Snipra, Timed, None, Title };

struct CopyOrMoveEntry {
    NewActivation choice = NewActivation::HotKey;
    int selectedCode = -1;
    std::string entryText;  // SnipraEntry as typed, Windows-1252
    bool moveMode = false;
};

struct CopyOrMoveCheck {
    bool ok = false;
    std::string error;  // for a box "Error"
    bool focusEntry = false;
    std::string reservedQuestion;    // asked before the record is taken (No refuses)
    bool fillTimerDefaults = false;  // the macro becomes timed: schedule defaults first
    bool openSchedule = false;       // then the schedule dialog
    TMacroRecord record;             // when ok: the record with its new activation
};

inline constexpr const char* kNoTitleWasEntered = "No Window Title was entered.";

// The dialog's client height for the chosen activation: room for the key list only when
// a hot key is chosen.
int CopyOrMoveClientHeight(NewActivation choice);

std::string GlobalKeyRefusal(bool moveMode);
// A popup menu can only be given a hot key.
bool OffersOnlyHotKey(const TMacroRecord& rec);

// OK's checks; nothing is written into `current`, the caller takes `record` when ok (and
// the reserved-key question, if any, was answered Yes). A copy is counted by the caller's
// append, not here.
CopyOrMoveCheck CheckCopyOrMove(const TMacroRecord& current, const CopyOrMoveEntry& entry,
                                const HotKeyFlags& globalUsed);

}  // namespace tessaro
