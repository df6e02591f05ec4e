#include "widgets/entry_text.h"

#include <QLineEdit>
#include <QWidget>

#include "platform/cp1252.h"
#include "platform/message_box.h"

namespace tessaro {

std::optional<std::string> EntryOrRefuse(QWidget* field, const QString& text) {
    QString refused;
    auto bytes = win::EntryText(text, &refused);
    if (!bytes) {
        win::MessageBox(win::RefusedCharacterText(refused), "Error", win::MbButtons::Ok);
        if (field) field->setFocus(Qt::OtherFocusReason);
    }
    return bytes;
}

std::optional<std::string> EntryOrRefuse(QLineEdit* field) { return EntryOrRefuse(field, field->text()); }

}  // namespace tessaro
