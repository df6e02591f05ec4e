#pragma once
// The macro record a wizard run leaves for the explorer: activation, scope, schedule,
// popup-menu options, nickname, icon and text.
#include <optional>
#include <string>
#include <variant>

#include "editor/model/commands/command_form.h"
#include "editor/model/wizard/wizard_answers.h"
#include "editor/model/wizard/wizard_context.h"
#include "editor/model/wizard/wizard_outcome.h"
#include "macro/macro_record.h"

namespace tessaro::wizard {

// The icon chosen on page 10 (the icon button's text holds its name); "MAIN" when none was.
std::string IconNameOf(const Answers& answers);

// Asks before a hot key the desktop itself may use is taken; true when the user answers No.
// Other codes ask nothing and give false.
bool WarnReservedHotKey(int code);

// Copies the schedule of page 3 into the record; fields the kind does not use keep theirs.
void SetScheduleFields(const Answers& answers, TMacroRecord& rec);

// A reminder that deletes itself does so by its nickname, so the nickname must be given
// and must not be another macro's: otherwise that macro would be deleted instead.
std::optional<FormError> CheckSelfDeletingNick(const Answers& answers, const TGlobData& glob,
                                               const TConfigRecord& config);

inline constexpr const char* kNoReminderNick =
    "A reminder that deletes itself needs a nickname.  Please enter one.";
inline constexpr const char* kReminderNickInUse =
    "Another macro already has this nickname.  A reminder that deletes itself needs a nickname of "
    "its own.  Please choose another.";

// Every function but 7 and 28: fills ctx.CurrentMacro at `now` (days since 1899-12-30).
// Nothing is written when it refuses.
std::variant<WizardOutcome, FormError> BuildMacro(int function, const Answers& answers, WizardContext& ctx,
                                                  double now);

}  // namespace tessaro::wizard
