#pragma once
// "File Manipulation" over editor/model/commands/file_forms.h.
#include "editor/commands/chooser.h"
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/file_forms.h"

class QGroupBox;
class QLabel;

namespace tessaro {

class TDoDOSFiles : public CommandDialog {
    Q_OBJECT
public:
    TDoDOSFiles(QWidget* owner, PathChooser& chooser);
    void Preset(const FileForm& form);

    QLineEdit *ProgPath = nullptr, *NewName = nullptr;
    QLabel* FileLabel = nullptr;
    QGroupBox* NewNamePanel = nullptr;
    QPushButton* BrowseButton = nullptr;
    FormResult<FileFields> Result;

    void BrowseButtonClick();

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;

private:
    PathChooser& chooser_;
};

}  // namespace tessaro
