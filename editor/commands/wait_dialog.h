#pragma once
// "Wait For": the ten waits over editor/model/commands/wait_forms.h.
#include "editor/commands/chooser.h"
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/wait_forms.h"

class QComboBox;
class QGroupBox;
class QRadioButton;

namespace tessaro {

class TDoWaitWin : public CommandDialog {
    Q_OBJECT
public:
    TDoWaitWin(QWidget* owner, ProgramPicker& picker);
    void Preset(const WaitForm& form);

    QLineEdit *WinTitle = nullptr, *ProgName = nullptr, *TheText = nullptr;
    QLineEdit *Minutes = nullptr, *Seconds = nullptr, *WaitMin = nullptr;
    QRadioButton *CaseSense = nullptr, *WaitIndef = nullptr, *WaitMax = nullptr;
    QComboBox* TheKey = nullptr;
    QGroupBox *TitlePanel = nullptr, *ProgPanel = nullptr, *TextPanel = nullptr, *KeyPanel = nullptr,
              *ElapsePanel = nullptr, *TimePanel = nullptr;
    QPushButton* Button1 = nullptr;
    FormResult<WaitFields> Result;

    void Button1Click();

protected:
    void SetDefaults() override;
    void FocusFirst() override {}
    void EnableDisable() override;
    void OkButtonClick() override;

private:
    ProgramPicker& picker_;
};

}  // namespace tessaro
