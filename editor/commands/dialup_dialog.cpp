#include "editor/commands/dialup_dialog.h"
#include "widgets/screen_fit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>

#include "editor/commands/form_parts.h"
#include "foundation/ras.h"
#include "platform/message_box.h"

namespace tessaro {

using namespace parts;

namespace {

int SelectedRow(QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.front());
}

}  // namespace

bool DialupAvailableOrWarn(QWidget* owner) {
    if (RasAvailable()) return true;
    RasMissingWarning(owner);
    return false;
}

TDoDialup::TDoDialup(QWidget* owner) : CommandDialog(owner, "TDoDialup", tr("Dial-Up Networking")) {
    AddRadios(Body(), kDialChoices, tr("Commands"));
    EntryPanel = new QGroupBox(this);
    EntryPanel->setObjectName("EntryPanel");
    PhoneList = new QListWidget(EntryPanel);
    PhoneList->setObjectName("PhoneList");
    UserName = Edit(EntryPanel, "UserName");
    Password = Edit(EntryPanel, "Password");
    Password->setEchoMode(QLineEdit::Password);
    Button1 = Button(EntryPanel, "Button1", tr("&Retrieve"));
    auto* grid = new QGridLayout(EntryPanel);
    grid->addWidget(Label(EntryPanel, tr("Phone Book Entries"), PhoneList), 0, 0, 1, 2);
    grid->addWidget(PhoneList, 1, 0, 1, 2);
    grid->addWidget(Label(EntryPanel, tr("User Name"), UserName), 2, 0);
    grid->addWidget(UserName, 2, 1);
    grid->addWidget(Label(EntryPanel, tr("Password"), Password), 3, 0);
    grid->addWidget(Password, 3, 1);
    grid->addWidget(Button1, 4, 1);
    Body()->addWidget(EntryPanel);
    connect(Button1, &QPushButton::clicked, this, &TDoDialup::Button1Click);
}

void TDoDialup::Preset(const DialForm& form) {
    CheckKind(kDialChoices, form.Kind);
    DialEntry = form.DialEntry;
    UserName->setText(win::ToQt(form.UserName));
    Password->setText(win::ToQt(form.Password));
}

void TDoDialup::FillList() {
    PhoneList->clear();
    entries_.clear();
    std::vector<std::string> names;
    if (RasAvailable() && RasEnumEntries(names) == kRasSuccess) entries_ = std::move(names);
    for (const std::string& e : entries_) PhoneList->addItem(win::ToQt(e));
    if (!entries_.empty()) PhoneList->setCurrentRow(0);
}

void TDoDialup::SetDefaults() { CheckKind(kDialChoices, DialDefaults().Kind); }

void TDoDialup::FocusFirst() {
    FillList();
    const int row = DialInitialSelection(entries_, NewCommand == 1, DialEntry);
    PhoneList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    if (row < 0) PhoneList->clearSelection();
}

void TDoDialup::EnableDisable() {
    EntryPanel->setVisible(CheckedKind(kDialChoices) == 1);
    FitToLayout(*this);
}

void TDoDialup::Button1Click() {
    const int row = SelectedRow(PhoneList);
    if (row < 0) {
        Refuse({kNoPhoneEntry, "PhoneList"});
        return;
    }
    RasDialParams params;
    params.entryName = entries_[static_cast<std::size_t>(row)];
    if (RasGetEntryDialParams(params) != kRasSuccess) return;
    UserName->setText(win::ToQt(params.userName));
    if (params.passwordStored) Password->setText(win::ToQt(params.password));
}

void TDoDialup::OkButtonClick() {
    const auto user = ReadText(UserName);
    if (!user) return;
    const auto password = ReadText(Password);
    if (!password) return;
    Result =
        BuildDial({CheckedKind(kDialChoices), DialEntry, *user, *password}, entries_, SelectedRow(PhoneList));
    if (Result.ok()) DialEntry = Result.fields.DialEntry;
    Accept(Result);
}

}  // namespace tessaro
