#pragma once
// A key pressed as a hand does: down, a hold, up, to the widget that has the focus.
#include <QApplication>
#include <QTest>
#include <QWidget>

#include "tests/support/held_press.h"

namespace tessaro::testing {

inline void HeldKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyPress(widget, key, mods);
    QTest::qWait(kHoldMs);
    QTest::keyRelease(widget, key, mods);
}

// The same to whatever has the focus now.
inline void HeldKeyToFocus(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    if (QWidget* w = QApplication::focusWidget()) HeldKey(w, key, mods);
}

}  // namespace tessaro::testing
