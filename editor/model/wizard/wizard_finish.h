#pragma once
// What the quick wizard's Finish button does: it turns the answers of a completed run into
// the new macro (left in ctx.CurrentMacro for the caller to append) or refuses.
#include <variant>
#include <vector>

#include "editor/model/commands/command_form.h"
#include "editor/model/wizard/wizard_answers.h"
#include "editor/model/wizard/wizard_context.h"
#include "editor/model/wizard/wizard_outcome.h"

namespace tessaro::wizard {

// Builds the macro of `function` (1-29) from the answers. A FormError keeps the wizard open:
// its message is shown (an empty message: the user answered a question "No" and nothing
// changed) and its control gets the focus. Only the first-use function saves settings.
std::variant<WizardOutcome, FormError> FinishUp(int function, const Answers& answers, WizardContext& ctx);

// The refusals FinishUp would give that name a control, without doing anything: each page's
// Next shows those of its own controls, where the user can mend them.
std::vector<FormError> FinishRefusals(int function, const Answers& answers, const WizardContext& ctx);
}  // namespace tessaro::wizard
