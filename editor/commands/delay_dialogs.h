#pragma once
// The timing dialogs over editor/model/commands/delay_forms.h.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/delay_forms.h"

#include "foundation/config_record.h"

class QLabel;
class QLineEdit;

namespace tessaro {

// "Set Delay": seconds, milliseconds or a timed delay. Creators always preset it.
class TDoDelay2 : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoDelay2(QWidget* owner);
    void Preset(const Delay2Form& form);

    QLineEdit* Seconds = nullptr;
    FormResult<Delay2Fields> Result;  // valid when CommandText is not empty

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;
};

// One field with three uses: a delay in seconds, an Alt+keypad sequence (the symbol
// chooser), or the scheduler's check interval (stored into the settings on OK).
class TDoDelay : public CommandDialog {
    Q_OBJECT
public:
    TDoDelay(QWidget* owner, DelayPurpose purpose);     // Seconds or AltKeypad
    TDoDelay(QWidget* owner, TConfigRecord& settings);  // the scheduler frequency

    QLineEdit* Seconds = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    FormResult<DelayFields> Result;

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    DelayPurpose purpose_;
    TConfigRecord* settings_ = nullptr;
};

// "Speed": keystroke and mouse delays, the playback factor.
class TDoSpeed : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoSpeed(QWidget* owner);
    void Preset(const SpeedForm& form);

    QLineEdit* Count = nullptr;
    QLabel* Lab1 = nullptr;
    FormResult<SpeedFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;
};

}  // namespace tessaro
