#pragma once
// Answering the shown quick wizard as a hand does: held clicks on its buttons, boxes and
// list rows, keys typed into its fields, Next and Back pressed on the form's own buttons.
#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "editor/wizard/t_quick_wiz.h"
#include "tests/support/held_press.h"

namespace tessaro::testing {

template <class W = QWidget>
W* Find(TQuickWiz& form, const char* name) {
    W* w = form.Control<W>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void Click(TQuickWiz& form, const char* name) {
    if (auto* w = Find(form, name)) HeldClick(w);
}

inline void ClickRow(TQuickWiz& form, const char* list, int row) {
    auto* box = Find<QListWidget>(form, list);
    if (!box) return;
    ASSERT_LT(row, box->count()) << list;
    HeldClickRow(box, row);
}

// Clears the field and types `text` into it, key by key.
inline void TypeInto(TQuickWiz& form, const char* name, const QString& text) {
    auto* w = Find(form, name);
    if (!w) return;
    w->setFocus();
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Delete);
    QTest::keyClicks(w, text);
}

inline void Next(TQuickWiz& form) { HeldClick(form.NextButton); }
inline void Back(TQuickWiz& form) { HeldClick(form.BackButton); }

// Next until `page` is on screen; false when a page kept the wizard or the sequence ended.
inline bool WalkTo(TQuickWiz& form, int page) {
    for (int i = 0; i < 20 && form.CurrentPage() != page; ++i) {
        const int before = form.CurrentIndex();
        Next(form);
        if (form.CurrentIndex() == before) return false;
    }
    return form.CurrentPage() == page;
}

// The activation tail of most functions: a hot key from page 3's list, played everywhere,
// no popup menu, then the nickname and Finish.
inline void HotKeyTail(TQuickWiz& form, int hotKey, const QString& nickname) {
    ASSERT_TRUE(WalkTo(form, 3));
    ClickRow(form, "P3KeyList", hotKey);
    ASSERT_TRUE(WalkTo(form, 10));
    TypeInto(form, "P10Nick", nickname);
    Next(form);
}

}  // namespace tessaro::testing
