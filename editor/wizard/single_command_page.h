#pragma once
// The single-command function's pages (53-58): page 58 opens the command dialog of the
// chosen family, as the script editor opens it for a new line, and shows the command text.
#include <memory>

#include "editor/wizard/wizard_pages.h"

namespace tessaro {

class CommandEditors;

// `editors` runs the dialogs (the explorer's, with its hosts and dialog runner).
std::unique_ptr<WizardPageGroup> MakeSingleCommandPages(CommandEditors& editors);

}  // namespace tessaro
