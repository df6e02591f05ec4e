#include "editor/model/wizard/wizard_finish.h"

#include "editor/model/wizard/capture_pages.h"
#include "editor/model/wizard/first_use.h"
#include "editor/model/wizard/wizard_builder.h"
#include "editor/model/wizard/wizard_text.h"
#include "platform/datetime.h"

namespace tessaro::wizard {

std::variant<WizardOutcome, FormError> FinishUp(int function, const Answers& answers, WizardContext& ctx) {
    if (function == 28) return FinishFirstUse(answers, ctx);
    if (function == 7) return ArmWizardCapture(answers, ctx);
    if (function < 1 || function > 29) return WizardOutcome{};
    return BuildMacro(function, answers, ctx, win::Now());
}

std::vector<FormError> FinishRefusals(int function, const Answers& answers, const WizardContext& ctx) {
    std::vector<FormError> faults;
    if (function == 28) {
        if (auto bad = CheckFirstUsePort(answers)) faults.push_back(*bad);
        return faults;
    }
    if (function == 7 || function < 1 || function > 29) return faults;
    if (function == 10)
        if (auto bad = CheckSelfDeletingNick(answers, ctx.GlobData, ctx.Config)) faults.push_back(*bad);
    for (FormError& fault : MacroTextFaults(function, answers, ctx)) faults.push_back(std::move(fault));
    std::erase_if(faults, [](const FormError& f) { return f.focus.empty(); });
    return faults;
}

}  // namespace tessaro::wizard
