#pragma once
// "Mouse Commands" over editor/model/commands/mouse_forms.h.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/mouse_forms.h"
#include "platform/launch.h"

class QGroupBox;

namespace tessaro {

// Starts the mouse locator from the program directory; a missing one is said.
void LaunchMouseLocator(win::Launcher& launcher);

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

    win::Launcher launcher_;  // the locator runs on its own; this only reaps it
};

}  // namespace tessaro
