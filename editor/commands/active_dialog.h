#pragma once
// "Activate/Launch Program" over editor/model/commands/active_forms.h.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/active_forms.h"

class QComboBox;
class QGroupBox;

namespace tessaro {

class TDoActive : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoActive(QWidget* owner);
    void Preset(const ActiveForm& form);

    QGroupBox *Panel2 = nullptr, *Panel3 = nullptr;
    QLineEdit *WinTitle = nullptr, *ProgPath = nullptr, *Params = nullptr, *DelaySecs = nullptr,
              *MaxSecs = nullptr;
    QLabel* MaxSecsLabel = nullptr;
    QCheckBox* Bypass = nullptr;
    QComboBox* RunStyle = nullptr;
    QPushButton* BrowseButton = nullptr;
    FormResult<ActiveFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;

private:
    void BrowseButtonClick();
};

}  // namespace tessaro
