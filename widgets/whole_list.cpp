#include "widgets/whole_list.h"

#include <QListWidget>

namespace tessaro {

void ShowWholeEntries(QListWidget& list) {
    list.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    int height = 0;
    for (int row = 0; row < list.count(); ++row) height += list.sizeHintForRow(row);
    const int frame = 2 * list.frameWidth();
    // A little room beside the longest entry for the focus frame the style draws.
    list.setFixedSize(list.sizeHintForColumn(0) + frame + 8, height + frame);
}

}  // namespace tessaro
