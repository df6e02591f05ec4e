#include "editor/explorer/category_list.h"

namespace tessaro {

void CategoryListBox::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before) emit ChosenByKey();
}

}  // namespace tessaro
