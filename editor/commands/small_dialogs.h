#pragma once
// The small dialogs over editor/model/commands/small_forms.h.
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/small_forms.h"
#include "platform/sound.h"

namespace tessaro {

// "Set Sound"; with the settings given it is the scheduler's "Scheduler Alarm" and edits
// them instead of building a command.
class TDoSound : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoSound(QWidget* owner);
    TDoSound(QWidget* owner, TConfigRecord& alarmSettings);
    ~TDoSound() override;
    void Preset(const SoundForm& form);

    QLineEdit* ProgPath = nullptr;
    QCheckBox* WaitFor = nullptr;
    QPushButton *Browse = nullptr, *Test = nullptr;
    FormResult<SoundFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    void BrowseClick();
    void TestClick();

    TConfigRecord* alarm_ = nullptr;
    win::SoundService sound_;
};

class TDoPausePos : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoPausePos(QWidget* owner);
    void Preset(const PauseForm& form);

    QLineEdit *TopCoord = nullptr, *LeftCoord = nullptr, *PauseMessage = nullptr;
    QWidget* Details = nullptr;
    FormResult<PauseFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;
};

class TDoSwap : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoSwap(QWidget* owner);
    void Preset(const std::string& path) { SetText(ProgPath, path); }

    QLineEdit* ProgPath = nullptr;
    QPushButton* BrowseButton = nullptr;
    FormResult<SwapFields> Result;

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;
};

class TDoRemark : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoRemark(QWidget* owner);
    void Preset(const std::string& text) { SetText(Comments, text); }

    QLineEdit* Comments = nullptr;
    FormResult<RemarkFields> Result;

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;
};

class TDoKeyUpDown : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoKeyUpDown(QWidget* owner);
    void Preset(std::int32_t kind) { CheckKind(kKeyUpDownChoices, kind); }

    FormResult<KeyUpDownFields> Result;

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;
};

class TDoWebStuff : public CommandDialog {
    Q_OBJECT
public:
    TDoWebStuff(QWidget* owner, bool isFtp);
    void Preset(const std::string& address) {
        SetText(ProgPath, address);
        stored_ = address;
    }

    QLineEdit* ProgPath = nullptr;
    QLabel* Label2 = nullptr;
    FormResult<WebFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    std::string stored_;  // the edited line's address, kept while the field is unchanged
    bool isFtp_;
};

}  // namespace tessaro
