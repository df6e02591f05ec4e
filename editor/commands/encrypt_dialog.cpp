#include "editor/commands/encrypt_dialog.h"

#include <QRandomGenerator>

#include "editor/commands/form_parts.h"

namespace tessaro {

using namespace parts;

TDoEncrypt::TDoEncrypt(QWidget* owner) : CommandDialog(owner, "TDoEncrypt", tr("Encrypted Text")) {
    Password = Edit(this, "Password");
    Password->setEchoMode(QLineEdit::Password);
    Body()->addWidget(Label(this, tr("Text"), Password));
    Body()->addWidget(Password);
}

void TDoEncrypt::Preset(const std::string& stored) {
    Password->setText(win::ToQt(EncryptPreset(TNameRec{stored})));
}

void TDoEncrypt::FocusFirst() { Password->setFocus(Qt::OtherFocusReason); }

void TDoEncrypt::OkButtonClick() {
    const auto text = ReadText(Password);
    if (!text) return;
    Result = BuildEncrypt(*text, static_cast<std::uint8_t>(QRandomGenerator::global()->bounded(256)));
    Accept(Result);
}

}  // namespace tessaro
