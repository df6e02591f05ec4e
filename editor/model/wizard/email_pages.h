#pragma once
// The e-mail function's pages: which body controls a body choice shows and where the
// attachment list's selection goes after a delete.
#include "editor/model/wizard/wizard_answers.h"

namespace tessaro::wizard {

// Page 83: the subject with the return receipt, the text file and the typed text; each
// group is shown and enabled, or hidden and disabled, as a whole.
struct BodyLayout {
    bool subject = false, file = false, text = false;
    bool operator==(const BodyLayout&) const = default;
};
BodyLayout BodyLayoutOf(const Answers& answers);

// The row selected after row `removed` went, with `remaining` rows left; -1 for none.
int SelectionAfterDelete(int removed, int remaining);

}  // namespace tessaro::wizard
