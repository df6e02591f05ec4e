#pragma once
// "Send E-Mail": asks, while a macro runs, for what its e-mail command leaves open (mode 1
// recipients, 2 subject and text, 3 attachments), one question per showing.
#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mail/mail_prompts.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace tessaro::mail {

// "All Files (*.*)|*.*|Zip Files (*.ZIP)|..." as Qt filters: "*.*" is every file, and each
// extension matches in either case.
QString QtFileFilter(const std::string& filter);

class TDoTheEmail : public QDialog {
public:
    TDoTheEmail(EMailPromptMode mode, const std::string& recipientListPath, QWidget* parent = nullptr);

    bool Canceled = false;
    std::array<std::string, 3> Results;

    // One recipient block: To, CC or Blind CC.
    struct RecipientBlock {
        QGroupBox* Box;
        QLineEdit* NameEdit;
        QLineEdit* AddressEdit;
        QListWidget* List;
        QRadioButton* NameRadio;
        QRadioButton* AddressRadio;
    };
    std::array<RecipientBlock, 3> Blocks{};
    QGroupBox* RecipientPanel;
    QGroupBox* TextPanel;
    QGroupBox* AttachmentPanel;
    QLineEdit* SubjectEdit;
    QPlainTextEdit* TextMemo;
    QCheckBox* ReceiptCheck;
    QListWidget* AttachmentList;
    QPushButton* AddButton;
    QPushButton* DeleteButton;
    QPushButton* ContinueButton;
    QPushButton* AbortButton;

    void ContinueButtonClick();
    void AbortButtonClick();
    void AddButtonClick();
    void DeleteButtonClick();
    // The Name and Address buttons of every list.
    void ShowNamesOrAddresses(RecipientBlock& block);

private:
    void BuildRecipients();
    void BuildText();
    void BuildAttachments();
    void FillList(RecipientBlock& block);

    EMailPromptMode mode_;
    std::vector<std::string> recipients_;  // lines of the recipient list file
};

// "Tessaro E-Mail Send": one line of progress.
class TEMailStatus : public QDialog {
public:
    explicit TEMailStatus(QWidget* parent = nullptr);
    void SetText(const std::string& text);
    std::string Text() const;

private:
    QStatusBar* MyStatus;
};

// The dialogs and the status window behind an e-mail command.
class MailDialogs : public MailPrompts {
public:
    explicit MailDialogs(std::function<std::string()> recipientListPath);
    ~MailDialogs() override;
    std::optional<std::array<std::string, 3>> GetTheEMail(EMailPromptMode mode) override;
    void ShowStatus(const std::string& text) override;
    void SetStatus(const std::string& text) override;
    void CloseStatus() override;
    TEMailStatus* Status() { return status_.get(); }

private:
    std::function<std::string()> recipientListPath_;
    std::unique_ptr<TEMailStatus> status_;
};

}  // namespace tessaro::mail
