#include "editor/wizard/control_binding.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QWidget>

#include "editor/commands/form_parts.h"
#include "platform/cp1252.h"
#include "widgets/label_text.h"

namespace tessaro {
namespace {

using wizard::ControlState;

void ReadList(const QListWidget& list, ControlState& s) {
    for (int i = 0; i < list.count(); ++i) {
        s.items.push_back(win::FromQt(list.item(i)->text()));
        if (list.item(i)->isSelected()) s.selected.push_back(i);
    }
    const bool single = list.selectionMode() == QAbstractItemView::SingleSelection;
    if (single && !s.selected.empty()) s.index = s.selected.front();
    if (single) s.selected.clear();
}

void WriteList(QListWidget& list, const ControlState& s) {
    if (!s.items.empty()) {
        list.clear();
        for (const std::string& item : s.items) list.addItem(win::ToQt(item));
    }
    list.clearSelection();
    if (list.selectionMode() == QAbstractItemView::SingleSelection) {
        if (s.index >= 0 && s.index < list.count()) list.setCurrentRow(s.index);
        return;
    }
    for (int i : s.selected)
        if (i >= 0 && i < list.count()) list.item(i)->setSelected(true);
}

void ReadCombo(const QComboBox& box, ControlState& s) {
    for (int i = 0; i < box.count(); ++i) s.items.push_back(win::FromQt(box.itemText(i)));
    s.index = box.currentIndex();
    s.text = win::FromQt(box.currentText());
}

void WriteCombo(QComboBox& box, const ControlState& s) {
    if (!s.items.empty()) {
        box.clear();
        for (const std::string& item : s.items) box.addItem(win::ToQt(item));
    }
    box.setCurrentIndex(s.index < box.count() ? s.index : -1);
    if (box.isEditable() && s.index < 0) box.setEditText(win::ToQt(s.text));
}

ControlState Read(const QWidget& w) {
    ControlState s;
    if (auto* custom = dynamic_cast<const BoundControl*>(&w)) {
        custom->ReadState(s);
    } else if (auto* b = qobject_cast<const QAbstractButton*>(&w)) {
        s.checked = b->isChecked();
        s.text = win::FromQt(b->text());
    } else if (auto* e = qobject_cast<const QLineEdit*>(&w)) {
        s.text = win::FromQt(e->text());
    } else if (auto* m = qobject_cast<const QPlainTextEdit*>(&w)) {
        s.text = win::FromQt(m->toPlainText());
    } else if (auto* l = qobject_cast<const QLabel*>(&w)) {
        s.text = win::FromQt(l->text());
    } else if (auto* list = qobject_cast<const QListWidget*>(&w)) {
        ReadList(*list, s);
    } else if (auto* box = qobject_cast<const QComboBox*>(&w)) {
        ReadCombo(*box, s);
    } else if (auto* spin = qobject_cast<const QSpinBox*>(&w)) {
        s.value = spin->value();
    }
    s.enabled = !w.testAttribute(Qt::WA_ForceDisabled);
    s.visible = !w.isHidden();
    return s;
}

void Write(QWidget& w, const ControlState& s) {
    if (auto* custom = dynamic_cast<BoundControl*>(&w)) {
        custom->WriteState(s);
    } else if (auto* b = qobject_cast<QAbstractButton*>(&w)) {
        if (b->isCheckable()) b->setChecked(s.checked);
    } else if (auto* e = qobject_cast<QLineEdit*>(&w)) {
        e->setText(win::ToQt(s.text));
    } else if (auto* m = qobject_cast<QPlainTextEdit*>(&w)) {
        m->setPlainText(win::ToQt(s.text));
    } else if (auto* l = qobject_cast<QLabel*>(&w)) {
        // A state without a text only switches the label on or off: it keeps its caption.
        if (!s.text.empty()) l->setText(CaptionShown(win::ToQt(s.text)));
    } else if (auto* list = qobject_cast<QListWidget*>(&w)) {
        WriteList(*list, s);
    } else if (auto* box = qobject_cast<QComboBox*>(&w)) {
        WriteCombo(*box, s);
    } else if (auto* spin = qobject_cast<QSpinBox*>(&w)) {
        spin->setValue(s.value);
    }
    w.setEnabled(s.enabled);
    w.setVisible(s.visible);
}

bool Bound(const QWidget& w) {
    const QString name = w.objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

}  // namespace

wizard::Answers ReadControls(const QWidget* root) {
    wizard::Answers answers;
    for (const QWidget* w : root->findChildren<QWidget*>())
        if (Bound(*w)) answers.Set(w->objectName().toStdString()) = Read(*w);
    return answers;
}

void WriteControls(QWidget* root, const wizard::Answers& answers) {
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!Bound(*w)) continue;
        const std::string name = w->objectName().toStdString();
        if (answers.Has(name)) Write(*w, answers.Get(name));
    }
}

}  // namespace tessaro
