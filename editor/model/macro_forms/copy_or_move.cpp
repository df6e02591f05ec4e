#include "editor/model/macro_forms/copy_or_move.h"

#include "editor/model/macro_forms/mod_hot_keys.h"
#include "foundation/strings.h"

namespace tessaro {

int CopyOrMoveClientHeight(NewActivation choice) {
    switch (choice) {
        case NewActivation::HotKey: return 420;
        case NewActivation::Snipra:
        case NewActivation::Title: return 150;
        case NewActivation::Timed:
        case NewActivation::None: return 122;
    }
    return 420;
}

std::string GlobalKeyRefusal(bool moveMode) {
    return std::string("A \"GLOBAL\" or \"POPUP MENU\" hot key already exists for this selection. The \"") +
           (moveMode ? "MOVE" : "COPY") + "\" did not take place.";
}

bool OffersOnlyHotKey(const TMacroRecord& rec) { return rec.Scope == scPopupMenu; }

CopyOrMoveCheck CheckCopyOrMove(const TMacroRecord& current, const CopyOrMoveEntry& entry,
                                const HotKeyFlags& globalUsed) {
    CopyOrMoveCheck c;
    c.record = current;
    TMacroRecord& r = c.record;
    const std::string name = TrimBlanks(entry.entryText);
    switch (entry.choice) {
        case NewActivation::Timed:
            c.fillTimerDefaults = current.ActivationCode != acScheduled;
            c.openSchedule = true;
            r.ActivationCode = acScheduled;
            break;
        case NewActivation::Snipra:
            if (std::string problem = SnipraNameProblem(name); !problem.empty()) {
                c.error = problem;
                c.focusEntry = true;
                return c;
            }
            r.ActivationCode = acAbbreviation;
            r.Abbreviation = name;
            break;
        case NewActivation::HotKey:
            if (!IsHotKeyCode(entry.selectedCode)) {
                c.error = kNoHotKeySelected;
                return c;
            }
            if (current.Scope == scGlobal && globalUsed[std::size_t(entry.selectedCode)]) {
                c.error = GlobalKeyRefusal(entry.moveMode);
                return c;
            }
            c.reservedQuestion = ReservedKeyQuestion(entry.selectedCode);
            r.ActivationCode = std::uint16_t(entry.selectedCode);
            break;
        case NewActivation::None: r.ActivationCode = acNone; break;
        case NewActivation::Title:
            if (name.empty()) {
                c.error = kNoTitleWasEntered;
                c.focusEntry = true;
                return c;
            }
            r.ActivationCode = acWindowTitle;
            r.ScopeText = name;
            break;
    }
    c.ok = true;
    return c;
}

}  // namespace tessaro
