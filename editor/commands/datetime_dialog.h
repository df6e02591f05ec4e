#pragma once
// "Dates" / "Times" over editor/model/commands/datetime_forms.h. Its result is
// DateTimeText (CommandText holds the same text).
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/datetime_forms.h"

class QListWidget;

namespace tessaro {

class TDateOrTime : public CommandDialog {
    Q_OBJECT
public:
    TDateOrTime(QWidget* owner, bool isTime, TConfigRecord& settings);
    void Preset(const DateTimeForm& form);

    std::string DateTimeText;
    QListWidget* TheFormat = nullptr;
    QLabel *TitleLabel = nullptr, *sdlab1 = nullptr, *sdlab2 = nullptr;
    QCheckBox* Suppress = nullptr;
    QLineEdit* Days = nullptr;
    QAbstractButton *Future = nullptr, *Past = nullptr;
    FormResult<DateTimeFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    bool isTime_;
    TConfigRecord& settings_;
};

}  // namespace tessaro
