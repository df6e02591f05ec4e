#pragma once
// "Repeat Options" over editor/model/commands/repeat_forms.h.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/repeat_forms.h"

namespace tessaro {

class TDoRepeat : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoRepeat(QWidget* owner);
    void Preset(const RepeatForm& form);

    QLineEdit *Count = nullptr, *CStart = nullptr, *CStep = nullptr;
    QLabel *RepeatLabel = nullptr, *CStartLabel = nullptr, *CStepLabel = nullptr;
    FormResult<RepeatFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;
};

}  // namespace tessaro
