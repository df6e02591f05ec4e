#include "editor/wizard/page_parts.h"

#include <QLineEdit>

#include "platform/cp1252.h"

namespace tessaro::pages {

QVBoxLayout* Column(QWidget* panel) {
    if (auto* existing = qobject_cast<QVBoxLayout*>(panel->layout())) return existing;
    auto* layout = new QVBoxLayout(panel);
    layout->setAlignment(Qt::AlignTop);
    return layout;
}

QLabel* HeadingLabel(QWidget* parent, const QString& text, const char* name) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QLabel* Heading(QWidget* panel, const QString& text, const char* name) {
    QLabel* label = HeadingLabel(panel, text, name);
    Column(panel)->addWidget(label);
    return label;
}

QRadioButton* Radio(QWidget* panel, const char* name, const QString& caption) {
    auto* button = new QRadioButton(caption, panel);
    button->setObjectName(name);
    Column(panel)->addWidget(button);
    return button;
}

QCheckBox* Check(QWidget* panel, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, panel);
    box->setObjectName(name);
    Column(panel)->addWidget(box);
    return box;
}

QWidget* Group(QWidget* panel, const char* name) {
    auto* group = new QWidget(panel);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(24, 0, 0, 0);
    Column(panel)->addWidget(group);
    return group;
}

void ShowAll(std::initializer_list<QWidget*> widgets, bool on) {
    for (QWidget* w : widgets) {
        if (!w) continue;
        w->setVisible(on);
        w->setEnabled(on);
    }
}

void ApplyAnswers(QWidget* root, const wizard::Answers& answers) {
    for (const auto& [name, state] : answers.All()) {
        const QString objectName = QString::fromStdString(name);
        if (auto* button = root->findChild<QAbstractButton*>(objectName)) button->setChecked(state.checked);
        if (auto* edit = root->findChild<QLineEdit*>(objectName))
            edit->setText(QString::fromStdString(win::Cp1252ToUtf8(state.text)));
    }
}

}  // namespace tessaro::pages
