#pragma once
// The capture function's pages (59-63) and what its Finish arms: the options of the
// recording, its stop keys and the capture file with its speed token.
#include <string>
#include <variant>
#include <vector>

#include "editor/model/commands/command_form.h"
#include "editor/model/wizard/wizard_answers.h"
#include "editor/model/wizard/wizard_context.h"
#include "editor/model/wizard/wizard_outcome.h"

namespace tessaro::wizard {

// Pages 59-61 preset from the capture defaults of the settings.
void LoadCapturePages(const TConfigRecord& config, Answers& answers);

// Page 62: the titles of the visible, not minimised windows that have one, sorted.
std::vector<std::string> CaptureWindowTitles(win::Desktop& desktop);

// 1 same speed .. 5 ten times as fast; 0 for "As fast as possible" (no timing).
int CaptureSpeedOf(const Answers& answers);

// The token the capture file starts with for that speed; empty without timing.
std::string CaptureSpeedToken(int speed);

// Function 7's Finish: the new hot-key macro in ctx.CurrentMacro (its text comes when the
// recording ends), the capture options and keys in ctx.GlobData and a fresh capture file.
// Refused with nothing changed when no key can end the recording or the file cannot be made.
std::variant<WizardOutcome, FormError> ArmWizardCapture(const Answers& answers, WizardContext& ctx);

}  // namespace tessaro::wizard
