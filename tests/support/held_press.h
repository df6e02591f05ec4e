#pragma once
// Presses as a hand does: down, a hold of 80 ms, up. Offscreen dialogs take these events
// through the same handlers a real press runs.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QMouseEvent>
#include <QPoint>
#include <QTest>
#include <QWidget>

namespace tessaro::testing {

inline constexpr int kHoldMs = 80;

// A left click at `pos` of the widget; when null, on a check box's or radio button's mark
// (its row may be wider than its caption), else at the centre.
inline void HeldClick(QWidget* widget, QPoint pos = QPoint()) {
    if (pos.isNull()) {
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        pos = button && button->isCheckable() ? QPoint(6, widget->height() / 2) : widget->rect().center();
    }
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, pos);
    QTest::qWait(kHoldMs);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, pos);
}

// Press, release, then the second press as the window system reports it: a double click.
inline void HeldDoubleClick(QWidget* widget, QPoint pos) {
    HeldClick(widget, pos);
    QTest::qWait(30);
    QMouseEvent second(QEvent::MouseButtonDblClick, pos, widget->mapToGlobal(pos), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &second);
    QTest::qWait(kHoldMs);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, pos);
}

// A left click on the row of a list or view (its viewport takes the mouse).
inline void HeldClickRow(QAbstractItemView* view, int row) {
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    HeldClick(view->viewport(), view->visualRect(index).center());
}

}  // namespace tessaro::testing
