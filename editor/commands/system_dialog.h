#pragma once
// "System Controls" over editor/model/commands/system_forms.h.
#include "editor/commands/chooser.h"
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/system_forms.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace tessaro {

class TDoSysControls : public CommandDialog {
    Q_OBJECT
public:
    TDoSysControls(QWidget* owner, PathChooser& chooser);
    void Preset(const SysForm& form);

    QGroupBox *ThePanel = nullptr, *WallPanel = nullptr;
    QLabel *TheLabel = nullptr, *PosLabel = nullptr, *XLabel = nullptr, *YLabel = nullptr;
    QLineEdit *Number = nullptr, *Track = nullptr, *XPos = nullptr, *YPos = nullptr;
    QPushButton* Browse = nullptr;
    QCheckBox* Tile = nullptr;
    QRadioButton *Center = nullptr, *Stretch = nullptr, *Position = nullptr;
    FormResult<SysFields> Result;

    void BrowseClick();
    void CheckWallStuff();

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;

private:
    PathChooser& chooser_;
};

}  // namespace tessaro
