#include "editor/explorer/main_win_widgets.h"

#include <QAbstractButton>
#include <QAction>

#include "editor/model/explorer/explorer.h"

namespace tessaro {

void CommandWidgets::SetEnabled(bool on) const {
    if (menu) menu->setEnabled(on);
    if (large) large->setEnabled(on);
    if (speed) speed->setEnabled(on);
}

void ButtonsForList(Explorer& explorer, ExplorerWindow& window) {
    // An empty category leaves nothing to act on, as an empty list does.
    window.SetButtons(true);
    if (!explorer.listEmpty()) explorer.CheckTimeItemFor(explorer.selectedRow());
}

}  // namespace tessaro
