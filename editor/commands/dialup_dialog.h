#pragma once
// "Dial-Up Networking" over editor/model/commands/dialup_forms.h and the dial-up binding.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/dialup_forms.h"

class QGroupBox;
class QListWidget;

namespace tessaro {

// Creators open the dialog only when this answers true; otherwise it has shown the
// binding's warning.
bool DialupAvailableOrWarn(QWidget* owner);

class TDoDialup : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoDialup(QWidget* owner);
    void Preset(const DialForm& form);

    std::string DialEntry;  // the entry to select on showing
    QGroupBox* EntryPanel = nullptr;
    QListWidget* PhoneList = nullptr;
    QLineEdit *UserName = nullptr, *Password = nullptr;
    QPushButton* Button1 = nullptr;
    FormResult<DialFields> Result;

    void FillList();
    void Button1Click();  // Retrieve

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;

private:
    std::vector<std::string> entries_;
};

}  // namespace tessaro
