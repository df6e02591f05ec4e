#pragma once
// "Mouse Commands" over editor/model/commands/mouse_forms.h.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/mouse_forms.h"

class QGroupBox;

namespace tessaro {

class TDoMouse : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoMouse(QWidget* owner);
    void Preset(const MouseForm& form);

    QWidget *Panel2 = nullptr, *Panel3 = nullptr;
    QLineEdit *XPos = nullptr, *YPos = nullptr, *NumClicks = nullptr;
    QLabel *XPosLabel = nullptr, *YPosLabel = nullptr;
    QPushButton* Launch = nullptr;
    FormResult<MouseFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;

private:
    void LaunchClick();
};

}  // namespace tessaro
