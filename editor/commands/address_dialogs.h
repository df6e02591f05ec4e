#pragma once
// "E-Mail Recipient List" (TMyAddress) and its one-entry editor (TDoAnAddress).
#include <QDialog>
#include <string>

#include "editor/commands/chooser.h"
#include "editor/model/commands/address_forms.h"
#include "foundation/config_record.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tessaro {

class TDoAnAddress : public QDialog {
    Q_OBJECT
public:
    explicit TDoAnAddress(QWidget* owner);

    std::string EntryText;  // in: the entry to edit (empty: new); after OK: name "|" address
    QLineEdit *EMailName = nullptr, *EMailAddress = nullptr;
    QPushButton *OkButton = nullptr, *CancelButton = nullptr;

    void OkButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
};

// The list in its sorted order; Exit writes it to EMailPath, the close box leaves it.
class TMyAddress : public QDialog {
    Q_OBJECT
public:
    TMyAddress(QWidget* owner, TConfigRecord& config, RecipientPathEditor& pathEditor);

    QListWidget* AddList = nullptr;
    QPushButton *AddButton = nullptr, *ModifyButton = nullptr, *DeleteButton = nullptr, *OkButton = nullptr;

    void AddButtonClick();
    void ModifyButtonClick();
    void DeleteButtonClick();
    void OkButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Refill(int select);

    TConfigRecord& config_;
    RecipientPathEditor& pathEditor_;
    RecipientListModel list_;
};

}  // namespace tessaro
