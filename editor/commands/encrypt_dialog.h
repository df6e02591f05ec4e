#pragma once
// "Encrypted Text": a masked text kept in the macro only enciphered.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/encrypt_forms.h"

namespace tessaro {

class TDoEncrypt : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoEncrypt(QWidget* owner);
    // An existing command's stored (enciphered) text: its plain text into the edit.
    void Preset(const std::string& stored);

    QLineEdit* Password = nullptr;
    FormResult<EncryptFields> Result;

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;
};

}  // namespace tessaro
