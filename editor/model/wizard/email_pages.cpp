#include "editor/model/wizard/email_pages.h"

#include <algorithm>

namespace tessaro::wizard {

BodyLayout BodyLayoutOf(const Answers& a) {
    // Asked when the macro plays: the receipt is asked then too.
    if (a.Checked("P83Prompt")) return {false, false, false};
    if (a.Checked("P83Clip")) return {true, false, false};
    if (a.Checked("P83File")) return {true, true, false};
    return {true, false, true};
}

int SelectionAfterDelete(int removed, int remaining) {
    if (remaining <= 0) return -1;
    return std::min(removed, remaining - 1);
}

}  // namespace tessaro::wizard
