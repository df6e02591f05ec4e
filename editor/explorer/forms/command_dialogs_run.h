#pragma once
// The command dialogs of the macro-text editor, run through the script editor's command
// editors: each entry opens its family's dialog for a new command and gives back the text
// its confirmed line adds to the macro.
#include "editor/explorer/forms/macro_forms_context.h"

namespace tessaro {

class CommandDialogRunner;
class CommandEditors;

// The command code whose family dialog an entry opens (its first choice checked for a new
// command); 0 for "SYMBOLS", whose chooser makes no script line.
int CommandCodeOf(const CommandEntry& entry);

class CommandDialogsRun final : public CommandDialogs {
public:
    CommandDialogsRun(CommandEditors& editors, CommandDialogRunner& runner);

    Result Run(const CommandEntry& entry, QWidget* owner) override;

private:
    CommandEditors& editors_;
    CommandDialogRunner& runner_;
};

}  // namespace tessaro
