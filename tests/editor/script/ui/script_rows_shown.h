#pragma once
// The script editor's list as a person reads it: through the rows its view shows.
#include <QAbstractItemView>
#include <QString>

namespace tessaro::testing {

inline int RowCount(const QAbstractItemView* view) { return view->model()->rowCount(); }

inline QString RowText(const QAbstractItemView* view, int row) {
    return view->model()->index(row, 0).data().toString();
}

inline int CurrentRow(const QAbstractItemView* view) { return view->currentIndex().row(); }

inline void SetCurrentRow(QAbstractItemView* view, int row) {
    view->setCurrentIndex(view->model()->index(row, 0));
}

}  // namespace tessaro::testing
