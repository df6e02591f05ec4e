#pragma once
// "Capture Macro": what is recorded and where, then the start of a capture through the
// hook library. The recording itself reaches the explorer's main window.
#include <QDialog>

#include "editor/explorer/forms/macro_forms_context.h"
#include "editor/model/macro_forms/capture_setup.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessaro {

class TCaptureKeys : public QDialog {
    Q_OBJECT
public:
    TCaptureKeys(MacroFormsContext& context, CaptureHost& host, QWidget* parent = nullptr);

    // In (set before showing).
    bool GlobalTaken = false;
    int CaptureMacroNumber = 0;
    bool Recapture = false;
    // Out.
    bool MacroCounted = false;
    bool CaptureStarted = false;

    QLineEdit* NickName;
    QCheckBox *DoKey, *DoDouble, *DoTheMouse, *DoSize, *ClicksOnly, *DoTime;
    QRadioButton *ToScreen, *ToWindow, *ToPosition;
    QRadioButton *ActualSpeed, *HalfSpeed, *DoubleSpeed, *QuadSpeed;
    QRadioButton *GlobalButton, *ProgramButton;
    QComboBox* ProgList;
    QLabel *HotKeyLabel, *HotLabel2, *HotLabel3;
    QPushButton *StartButton, *CancelButton, *HelpButton;

    void FormShow();
    void StartButtonClick();
    void Enabling();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    CaptureChoices Choices() const;

    MacroFormsContext& context_;
    CaptureHost& host_;
    bool shown_ = false;
    bool closed_ = false;
};

}  // namespace tessaro
