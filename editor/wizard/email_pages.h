#pragma once
// The e-mail function's pages (75-78, 81-83): recipients typed or picked from the recipient
// list, the body, the attachments and the connection to use.
#include <memory>

#include "editor/wizard/wizard_pages.h"

namespace tessaro {

class CommandDialogRunner;
class RecipientPathEditor;

// `runner` shows the recipient list dialog; `pathEditor` is its way to a new list file.
std::unique_ptr<WizardPageGroup> MakeEmailPages(RecipientPathEditor& pathEditor, CommandDialogRunner& runner);

}  // namespace tessaro
