#pragma once
// "Reboot or Shut Down" and "Display A Text Box".
#include <optional>

#include "editor/commands/command_dialog.h"
#include "editor/model/commands/reboot_forms.h"

class QTextEdit;

namespace tessaro {

class TDoReboot : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoReboot(QWidget* owner);
    void Preset(std::int32_t kind) { CheckKind(kRebootChoices, kind); }

    FormResult<RebootFields> Result;

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;
};

// Collects a text box's title and text; the creators insert Result.CommandText, the script
// editor when BoxConfirmed is set, the others only when BoxHeader is not empty.
class TDoTBox : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoTBox(QWidget* owner);
    void Preset(const std::string& header, const std::string& contents);

    std::uint8_t BoxConfirmed = 0;
    std::string BoxHeader;
    QLineEdit* Header = nullptr;
    QTextEdit* Contents = nullptr;
    FormResult<TBoxFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    std::optional<TBoxKept> kept_;  // the preset's stored text, kept while the memo is unchanged
};

}  // namespace tessaro
