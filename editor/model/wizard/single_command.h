#pragma once
// The single-command function (pages 53-58): the type of command, its family, and which
// command dialog the family opens.
#include <span>
#include <string_view>

#include "editor/model/wizard/wizard_answers.h"

namespace tessaro::wizard {

// One family button of pages 54-57 and a command its dialog makes (the code the script
// editor opens that dialog for).
struct CommandChoice {
    std::string_view control;
    std::string_view caption;
    int code;
};

// Page 53's types in the order they are tested; the last counts when none is checked.
struct CommandType {
    std::string_view control;
    std::string_view caption;
    int page;
};
std::span<const CommandType> CommandTypes();

// The family buttons of page 54, 55, 56 or 57, in the order they are tested.
std::span<const CommandChoice> CommandChoicesOf(int page);

// The code of the dialog to open: the checked type's page, its first checked family; 0
// when that page has none checked.
int ChosenCommandCode(const Answers& answers);

}  // namespace tessaro::wizard
