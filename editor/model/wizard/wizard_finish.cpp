#include "editor/model/wizard/wizard_finish.h"

#include "editor/model/wizard/capture_pages.h"
#include "editor/model/wizard/first_use.h"
#include "editor/model/wizard/wizard_builder.h"
#include "platform/datetime.h"

namespace tessaro::wizard {

std::variant<WizardOutcome, FormError> FinishUp(int function, const Answers& answers, WizardContext& ctx) {
    if (function == 28) return FinishFirstUse(answers, ctx);
    if (function == 7) return ArmWizardCapture(answers, ctx);
    if (function < 1 || function > 29) return WizardOutcome{};
    return BuildMacro(function, answers, ctx, win::Now());
}

}  // namespace tessaro::wizard
