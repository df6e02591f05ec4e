#pragma once
// The checks Next runs on the page on screen: the first failed check gives its message
// and the control to focus; Back never checks.
#include <string>
#include <vector>

#include "editor/model/commands/command_form.h"
#include "editor/model/macro_forms/hot_key_list.h"
#include "editor/model/wizard/wizard_answers.h"
#include "macro/schedule_checks.h"

namespace tessaro::wizard {

struct CheckEnv {
    CalendarDate today;
    HotKeyFlags globalHotKeys{};         // keys held by a macro of scope 1, 4 or 5
    std::vector<std::string> nicknames;  // of the macros in the file
};

enum class Verdict {
    Pass,
    Fail,       // show `error.message` (caption "Error"), focus `error.focus` when given
    AskGlobal,  // ask kGlobalTakenQuestion (Yes/No, "Warning"); Yes: LeaveGlobalScope, pass
};

struct PageCheck {
    Verdict verdict = Verdict::Pass;
    FormError error;
};

inline constexpr const char* kGlobalTakenQuestion =
    "A Global Macro already exists for this Hot Key combination. You will not be able to make this macro "
    "\"Global\".  Do you wish to continue?";

// A reminder that deletes itself does so by its nickname, and every macro of that name goes.
inline constexpr const char* kSelfDeletingNickname =
    "This reminder deletes itself once shown, and with it every macro of its nickname.  Please enter a "
    "nickname that no other macro has.";

PageCheck ValidData(int page, int function, const Answers& answers, const CheckEnv& env);

// The answer Yes to kGlobalTakenQuestion: the macro may only play in a specific window.
void LeaveGlobalScope(Answers& answers);

// An existing file (not a folder) named by the trimmed path; paths over 255 characters
// have no short form and do not count.
bool FileMustExist(const std::string& path);
// An existing folder named by the trimmed path, one trailing separator allowed.
bool FolderMustExist(const std::string& path);

}  // namespace tessaro::wizard
