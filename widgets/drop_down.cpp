#include "widgets/drop_down.h"

#include <QComboBox>

namespace tessaro {

void ShowRows(QComboBox& box, int rows) {
    box.setMaxVisibleItems(rows);
    // The style sheet's "combobox-popup: 0" asks for the list that honours the row count.
    box.setStyleSheet(box.styleSheet() + QStringLiteral(" QComboBox { combobox-popup: 0; }"));
}

}  // namespace tessaro
