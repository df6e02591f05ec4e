#pragma once
// "Size or Position a Window" and "Window Controls" over
// editor/model/commands/window_forms.h.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/window_forms.h"

namespace tessaro {

// The window designation both dialogs share: current window or a (partial) title.
struct WindowTargetControls {
    QAbstractButton* CurrentWin = nullptr;
    QAbstractButton* SpecificWin = nullptr;
    QLineEdit* WinTitle = nullptr;
};

class TDoSizeIt : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoSizeIt(QWidget* owner);
    void Preset(const SizeItForm& form);

    WindowTargetControls Target;
    QLineEdit *TheWidth = nullptr, *TheHeight = nullptr;
    QLabel *Lab1 = nullptr, *Lab2 = nullptr;
    FormResult<SizeItFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;
};

class TDoSystemCommand : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoSystemCommand(QWidget* owner);
    void Preset(const SystemCommandForm& form);

    WindowTargetControls Target;
    FormResult<SystemCommandFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;
};

}  // namespace tessaro
