#pragma once
// The first-use function (pages 65-70 and 74): the settings it presets and stores and the
// follow-up wizards it hands to the explorer.
#include <array>
#include <optional>
#include <string_view>
#include <variant>

#include "editor/model/commands/command_form.h"
#include "editor/model/wizard/wizard_answers.h"
#include "editor/model/wizard/wizard_context.h"
#include "editor/model/wizard/wizard_outcome.h"

namespace tessaro::wizard {

// Page 69's boxes in the order the explorer runs their wizards: the box, its caption, the
// notice shown before its wizard and the function that wizard runs.
struct FollowUp {
    std::string_view control;
    const char* caption;
    const char* notice;
    int function;
};
extern const std::array<FollowUp, 11> kFollowUps;

// Pages 66, 67, 68 and 74 preset from the settings (checked boxes and texts only; what is
// off stays as the form created it).
void LoadFirstUsePages(const TConfigRecord& config, Answers& answers);

// Function 28's Finish: the settings of the pages are stored section by section (abbreviation,
// capture, network, e-mail, misc), each announced to the player, and the follow-up choices
// returned. A port that is no number is refused on page 74 before anything is stored.
// The mail port of page 74 must be a port number.
std::optional<FormError> CheckFirstUsePort(const Answers& answers);
std::variant<WizardOutcome, FormError> FinishFirstUse(const Answers& answers, WizardContext& ctx);

}  // namespace tessaro::wizard
