#pragma once
// "Clipboard" over editor/model/commands/clipboard_forms.h.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/clipboard_forms.h"

namespace tessaro {

class TDoClipboard : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoClipboard(QWidget* owner);
    void Preset(const ClipboardForm& form);

    QCheckBox *IgnoreCR = nullptr, *SavePrompt = nullptr;
    QWidget* Panel2 = nullptr;
    QLineEdit* ProgPath = nullptr;
    QLabel* PathLabel = nullptr;
    QPushButton* BrowseButton = nullptr;
    FormResult<ClipboardFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;

private:
    ClipboardForm Current() const;
    void BrowseButtonClick();
};

}  // namespace tessaro
