#include "widgets/kept_text.h"

#include <QLineEdit>
#include <algorithm>

namespace tessaro {

void LimitTyping(QLineEdit& edit, int typedLimit) {
    edit.setMaxLength(typedLimit);
    QObject::connect(&edit, &QLineEdit::textChanged, &edit, [&edit, typedLimit] {
        edit.setMaxLength(std::max(typedLimit, static_cast<int>(edit.text().size())));
    });
}

void SetKeptText(QLineEdit& edit, const QString& text, int typedLimit) {
    edit.setMaxLength(std::max(typedLimit, static_cast<int>(text.size())));
    edit.setText(text);
}

}  // namespace tessaro
