#pragma once
// The macro text of each wizard function, composed from the answers through the command
// families' builders, which write the wizard's form of a command where it differs from the
// dialog's (the launch and move forms).
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "editor/model/commands/command_form.h"
#include "editor/model/wizard/wizard_answers.h"
#include "editor/model/wizard/wizard_context.h"

namespace tessaro::wizard {

// A choice button of a page and the kind of the command family it stands for.
struct ButtonKind {
    std::string_view control;
    std::int32_t kind;
};

// Pages 44 and 45: the sound controls in the order they are tested.
extern const std::array<ButtonKind, 12> kAudioButtons;
extern const std::array<ButtonKind, 8> kMidiButtons;

// The longest sweepstakes recording kept inline; longer ones go to a numbered text file.
inline constexpr std::size_t kSweepInlineLimit = 4980;

// The text of `function` or why it cannot be built (the message names the fault, the focus
// the control to mend). A text over the 5,000 characters of a macro is refused, never cut.
// Function 18 takes the sweepstakes recording out of the capture file in ctx.programDir.
std::variant<std::string, FormError> MacroTextOf(int function, const Answers& answers,
                                                 const WizardContext& ctx);

// Every refusal the builders would give for these answers, in the order of the text; none
// for function 18, whose recording is read only at Finish.
std::vector<FormError> MacroTextFaults(int function, const Answers& answers, const WizardContext& ctx);

inline constexpr const char* kWizardTextTooLong =
    "The macro would be longer than 5,000 characters.  Please shorten it.";

}  // namespace tessaro::wizard
