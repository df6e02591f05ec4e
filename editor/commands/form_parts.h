#pragma once
// Small builders the remaining command dialogs share: named controls and text in the
// records' Windows-1252 bytes.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QBoxLayout>
#include <QString>
#include <string>
#include <string_view>

#include "platform/cp1252.h"
#include "widgets/kept_text.h"

namespace tessaro::parts {

inline QLineEdit* Edit(QWidget* parent, const char* name, int maxLength = 255) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    LimitTyping(*edit, maxLength);
    return edit;
}

inline QLabel* Label(QWidget* parent, const QString& caption, QWidget* buddy = nullptr,
                     const char* name = "") {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

inline QPushButton* Button(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace tessaro::parts
