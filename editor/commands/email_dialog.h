#pragma once
// "Send E-Mail": the e-mail command of a macro over editor/model/commands/email_command.h.
// Creators editing a command call Preset(token) and take CommandText when Accepted is set;
// creators of a new one may test CommandText.
#include <array>
#include <string>
#include <vector>

#include "editor/commands/chooser.h"
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/email_command.h"
#include "foundation/config_record.h"

class QCheckBox;
class QListWidget;
class QRadioButton;
class QTextEdit;

namespace tessaro {

class TAPageControl;

class TDoTheEmailCommand : public CommandDialog {
    Q_OBJECT
public:
    TDoTheEmailCommand(QWidget* owner, TConfigRecord& config, PathChooser& chooser,
                       RecipientPathEditor& pathEditor);
    void Preset(const std::string& token) { token_ = token; }

    std::uint8_t Accepted = 0;
    std::int32_t RecipientMode = 0, TextMode = 0, AttachMode = 0;
    std::vector<std::string> RecipientLines;

    struct Group {
        QLineEdit* Person;
        QLineEdit* Address;
        QListWidget* List;
        QRadioButton* Name;
        QRadioButton* Add;
        QLabel* PersonLabel;   // "Name"
        QLabel* AddressLabel;  // "Address"
        QLabel* ListLabel;     // "Select from Recipient List"
    };
    std::array<Group, 3> Groups{};  // To, CC, Blind CC
    TAPageControl* Pages = nullptr;
    QRadioButton *ChooseRecip = nullptr, *PromptRecip = nullptr;
    QRadioButton *FixedText = nullptr, *PromptText = nullptr, *ClipText = nullptr, *FileText = nullptr;
    QRadioButton *NoAttach = nullptr, *ChooseAttach = nullptr, *PromptAttach = nullptr;
    QCheckBox* Request = nullptr;
    QLineEdit *Subject = nullptr, *FileName = nullptr;
    QTextEdit* MyMemo = nullptr;
    QListWidget* AttachBox = nullptr;
    QPushButton *Button1 = nullptr, *BrowseButton = nullptr, *AddAttach = nullptr, *DeleteAttach = nullptr;

    void LoadRecipients();
    void SwitchList(int group, bool names);  // the Name/Address handlers
    void Button1Click();
    void BrowseButtonClick();
    void AddAttachClick();
    void DeleteAttachClick();

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override;
    void OkButtonClick() override;

private:
    void ShowForm(const EmailForm& form);
    std::optional<EmailForm> ReadForm();
    QWidget* FaultControl(const EmailFault& fault) const;
    // The group's kept entries the user left selected.
    std::vector<std::string> KeptOthers(int group) const;

    TConfigRecord& config_;
    PathChooser& chooser_;
    RecipientPathEditor& pathEditor_;
    std::string token_;
    std::array<std::vector<std::string>, 3> others_;  // kept entries of a stored command
};

}  // namespace tessaro
