#include "editor/model/wizard/wizard_flow.h"

#include "editor/model/wizard/activation_names.h"
#include "editor/model/wizard/wizard_functions.h"

namespace tessaro::wizard {

bool PageApplies(int page, int function, const Answers& a, bool menusExist) {
    const bool none = a.Checked(kP2None);
    const bool title = a.Checked(kP2Title);
    const bool timed = a.Checked(kP2Timed);
    switch (page) {
        case 3: return !none && !title;
        case 7: return !none && !timed && !title;
        case 8: return !none && !timed && !title && !a.Checked(kP7Global);
        case 9: return menusExist;
        case 18:
        case 20: return !a.Checked("P17Time");
        case 19: return !a.Checked("P17Date");
        case 28:
            if (function == 12) return !a.Checked("P27Hang");
            if (function == 29) return a.Checked("P78RAS");
            return true;
        case 31:
        case 32: return !a.Checked("P30OpenDoc") && !a.Checked("P30Act");
        case 33:
            if (function == 20) return !a.Checked("P35RepTop") && !a.Checked("P35SizeTop");
            return !a.Checked("P30OpenDoc") && !a.Checked("P30LaunchOnly");
        case 34: return a.Checked("P30OpenDoc");
        case 37: return title;
        case 40: return a.Checked("P39Choice");
        case 44: return a.Checked("P43Audio");
        case 45: return a.Checked("P43MIDI");
        case 46: return a.Checked("P43Play");
        case 54: return a.Checked("P53Text");
        case 55: return a.Checked("P53System");
        case 56: return a.Checked("P53Program");
        case 57: return a.Checked("P53Macro");
        case 76: return !a.Checked("P75Prompt");
        case 81: return !a.Checked("P75Prompt") && a.Checked("P75cc");
        case 82: return !a.Checked("P75Prompt") && a.Checked("P75Blind");
        default: return true;
    }
}

WizardFlow::WizardFlow(int function, bool bypass) : function_(function) {
    if (const FunctionInfo* f = wizard::Function(function)) pages_.assign(f->pages.begin(), f->pages.end());
    if (bypass && function != kFirstUseFunction && pages_.size() > 1) index_ = 2;
}

int WizardFlow::CurrentPage() const {
    if (pages_.empty()) return 0;
    return pages_[static_cast<size_t>(index_ - 1)];
}

void WizardFlow::Settle(Direction direction, const Answers& answers, bool menusExist) {
    const int last = static_cast<int>(pages_.size());
    while (index_ > 1 && index_ < last && !PageApplies(CurrentPage(), function_, answers, menusExist))
        index_ += direction == Direction::Forward ? 1 : -1;
}

void WizardFlow::Step(Direction direction, const Answers& answers, bool menusExist) {
    const int last = static_cast<int>(pages_.size());
    if (direction == Direction::Forward && index_ < last) ++index_;
    if (direction == Direction::Backward && index_ > 1) --index_;
    Settle(direction, answers, menusExist);
}

}  // namespace tessaro::wizard
