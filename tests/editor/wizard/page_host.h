#pragma once
// The wizard form as a page group sees it: one panel per page of the group and a snapshot
// of the named buttons, edits, memos and lists, the way the form reads its controls.
#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <gtest/gtest.h>
#include <map>

#include "editor/wizard/wizard_pages.h"
#include "platform/cp1252.h"
#include "tests/editor/model/wizard/wizard_rig.h"
#include "tests/support/qt_app.h"

namespace tessaro::wizard::testing {

inline std::string Bytes(const QString& text) { return win::Utf8ToCp1252(text.toStdString()); }

class PageHost : public WizardForm {
public:
    PageHost(WizardPageGroup& group, Rig& rig, int function) : group_(group), rig_(rig), function_(function) {
        for (int page : group.Pages()) {
            panels_[page] = new QWidget(&window_);
            group.Build(page, panels_[page], *this);
        }
    }
    int WizardFunction() const override { return function_; }
    WizardContext& Context() override { return rig_.ctx; }
    QWidget* Panel(int page) const override { return panels_.at(page); }
    QWidget* Window() override { return &window_; }
    Answers Snapshot() const override {
        Answers a = extra;
        for (auto* b : window_.findChildren<QAbstractButton*>())
            a.Set(b->objectName().toStdString()).checked = b->isChecked();
        for (auto* e : window_.findChildren<QLineEdit*>())
            a.Set(e->objectName().toStdString()).text = Bytes(e->text());
        for (auto* m : window_.findChildren<QPlainTextEdit*>())
            a.Set(m->objectName().toStdString()).text = Bytes(m->toPlainText());
        for (auto* l : window_.findChildren<QListWidget*>()) {
            ControlState& s = a.Set(l->objectName().toStdString());
            for (int i = 0; i < l->count(); ++i) {
                s.items.push_back(Bytes(l->item(i)->text()));
                if (l->item(i)->isSelected()) s.selected.push_back(i);
            }
            s.index = l->currentRow();
        }
        return a;
    }
    void Show(int page) {
        group_.Shown(page, !shown_[page], *this);
        shown_[page] = true;
    }
    template <class W>
    W* Get(const char* name) {
        W* w = Control<W>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    Answers extra;  // answers of pages other groups own

private:
    WizardPageGroup& group_;
    Rig& rig_;
    int function_;
    bool app_ = (EnsureQtApplication(), true);  // before any widget
    QWidget window_;
    std::map<int, QWidget*> panels_;
    std::map<int, bool> shown_;
};

}  // namespace tessaro::wizard::testing
