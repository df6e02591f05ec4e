#include "editor/commands/address_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>

#include "editor/commands/form_parts.h"
#include "mail/recipient_list.h"
#include "platform/message_box.h"
#include "widgets/recipient_delegate.h"

namespace tessaro {

using namespace parts;

namespace {

void Centre(QWidget* w) {
    w->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        w->move(area.x() + (area.width() - w->frameGeometry().width()) / 2,
                area.y() + (area.height() - w->frameGeometry().height()) / 2);
    }
}

int SelectedRow(QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

}  // namespace

TDoAnAddress::TDoAnAddress(QWidget* owner) : QDialog(owner) {
    setWindowTitle(tr("EMail Recipient Maintanence"));
    EMailName = Edit(this, "EMailName");
    EMailAddress = Edit(this, "EMailAddress");
    auto* form = new QFormLayout;
    form->addRow(Label(this, tr("Recipient Name"), EMailName), EMailName);
    form->addRow(Label(this, tr("E-Mail Address"), EMailAddress), EMailAddress);
    OkButton = Button(this, "OkButton", tr("&Ok"));
    OkButton->setDefault(true);
    CancelButton = Button(this, "CancelButton", tr("&Cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(OkButton, &QPushButton::clicked, this, &TDoAnAddress::OkButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TDoAnAddress::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    Centre(this);
    if (!EntryText.empty()) {
        const mail::RecipientEntry e = mail::SplitRecipientLine(EntryText);
        EMailName->setText(win::ToQt(e.name));
        EMailAddress->setText(win::ToQt(e.address));
    }
    EMailName->setFocus(Qt::OtherFocusReason);
}

void TDoAnAddress::OkButtonClick() {
    const AddressCheck check =
        CheckAnAddress(win::FromQt(EMailName->text()), win::FromQt(EMailAddress->text()));
    if (check.error) {
        win::MessageBox(check.error->message, "Error");
        if (QWidget* w = findChild<QWidget*>(QString::fromStdString(check.error->focus)))
            w->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (check.askNoAt &&
        win::MessageBox(kNoAtQuestion, "Warning", win::MbButtons::YesNo) != win::MbResult::Yes) {
        EMailAddress->setFocus(Qt::OtherFocusReason);
        return;
    }
    EntryText = check.entry;
    accept();
}

TMyAddress::TMyAddress(QWidget* owner, TConfigRecord& config, RecipientPathEditor& pathEditor)
    : QDialog(owner), config_(config), pathEditor_(pathEditor) {
    setWindowTitle(tr("E-Mail Recipient List"));
    AddList = new QListWidget(this);
    AddList->setObjectName("AddList");
    AddList->setItemDelegate(new RecipientItemDelegate(AddList));
    AddList->setUniformItemSizes(true);
    AddList->setMinimumWidth(420);
    AddButton = Button(this, "AddButton", tr("&Add"));
    ModifyButton = Button(this, "ModifyButton", tr("&Modify"));
    DeleteButton = Button(this, "DeleteButton", tr("&Delete"));
    OkButton = Button(this, "OkButton", tr("E&xit"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {AddButton, ModifyButton, DeleteButton, OkButton}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(AddList);
    layout->addLayout(buttons);
    connect(AddButton, &QPushButton::clicked, this, &TMyAddress::AddButtonClick);
    connect(ModifyButton, &QPushButton::clicked, this, &TMyAddress::ModifyButtonClick);
    connect(AddList, &QListWidget::itemDoubleClicked, this, &TMyAddress::ModifyButtonClick);
    connect(DeleteButton, &QPushButton::clicked, this, &TMyAddress::DeleteButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &TMyAddress::OkButtonClick);
}

void TMyAddress::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    Centre(this);
    list_ = RecipientListModel(mail::ReadRecipientFile(config_.EMailPath.str()));
    Refill(list_.Lines().empty() ? -1 : 0);
    AddList->setFocus(Qt::OtherFocusReason);
}

void TMyAddress::Refill(int select) {
    AddList->clear();
    for (const std::string& line : list_.Lines()) AddList->addItem(win::ToQt(line));
    AddList->setCurrentRow(select, QItemSelectionModel::ClearAndSelect);
    if (select < 0) AddList->clearSelection();
}

void TMyAddress::AddButtonClick() {
    TDoAnAddress entry(this);
    entry.exec();
    if (!entry.EntryText.empty()) Refill(list_.Add(entry.EntryText));
}

void TMyAddress::ModifyButtonClick() {
    const int row = SelectedRow(AddList);
    if (row < 0) {
        win::MessageBox("No category has been selected.", "Error");
        return;
    }
    TDoAnAddress entry(this);
    entry.EntryText = list_.Lines()[static_cast<std::size_t>(row)];
    entry.exec();
    list_.Modify(row, entry.EntryText);
    Refill(row);
}

void TMyAddress::DeleteButtonClick() {
    const int row = SelectedRow(AddList);
    if (row >= 0) Refill(list_.Delete(row));
}

void TMyAddress::OkButtonClick() {
    if (mail::WriteRecipientFile(config_.EMailPath.str(), list_.Lines())) {
        pathEditor_.RecipientListSaved();
        accept();
        return;
    }
    if (win::MessageBox(kSaveFailedQuestion, "Error", win::MbButtons::YesNo) == win::MbResult::Yes) {
        pathEditor_.EditRecipientPath(this);  // the list stays open for another Exit
        return;
    }
    reject();
}

}  // namespace tessaro
