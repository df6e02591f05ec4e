#include "editor/commands/email_dialog.h"
#include "widgets/screen_fit.h"

#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTextEdit>

#include "editor/commands/address_dialogs.h"
#include "editor/commands/form_parts.h"
#include "editor/model/commands/reboot_forms.h"
#include "mail/recipient_list.h"
#include "mail/send_dialog_model.h"
#include "widgets/page_control.h"
#include "widgets/recipient_delegate.h"

namespace tessaro {

using namespace parts;

namespace {

QRadioButton* RadioIn(QWidget* parent, const char* name, const QString& caption) {
    auto* r = new QRadioButton(caption, parent);
    r->setObjectName(name);
    return r;
}

// The selected state of every row, and the rows selected again in one step: a list of
// thousands of recipients must not select row by row.
std::vector<bool> SelectedRows(QListWidget* list, std::size_t count) {
    std::vector<bool> selected(count, false);
    for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
        if (index.row() >= 0 && static_cast<std::size_t>(index.row()) < count)
            selected[static_cast<std::size_t>(index.row())] = true;
    return selected;
}

void SelectRows(QListWidget* list, const std::vector<bool>& selected) {
    QItemSelection selection;
    const int rows = std::min(list->count(), static_cast<int>(selected.size()));
    for (int i = 0; i < rows;) {
        if (!selected[static_cast<std::size_t>(i)]) {
            ++i;
            continue;
        }
        int end = i;
        while (end + 1 < rows && selected[static_cast<std::size_t>(end + 1)]) ++end;
        selection.select(list->model()->index(i, 0), list->model()->index(end, 0));
        i = end + 1;
    }
    list->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

constexpr const char* kGroupNames[3][5] = {
    {"ToPerson", "ToAddress", "ToList", "ToName", "ToAdd"},
    {"ccPerson", "ccAddress", "ccList", "ccName", "ccAdd"},
    {"BlindPerson", "BlindAddress", "BlindList", "BlindName", "BlindAdd"}};

}  // namespace

TDoTheEmailCommand::TDoTheEmailCommand(QWidget* owner, TConfigRecord& config, PathChooser& chooser,
                                       RecipientPathEditor& pathEditor)
    : CommandDialog(owner, "TDoTheEmail", tr("Send E-Mail")),
      config_(config),
      chooser_(chooser),
      pathEditor_(pathEditor) {
    Pages = new TAPageControl(this);
    Pages->setObjectName("Pages");
    Body()->addWidget(Pages);

    // Recipients.
    auto* recip = new QWidget;
    auto* rl = new QGridLayout(recip);
    ChooseRecip = RadioIn(recip, "ChooseRecip", tr("Choose &Now"));
    PromptRecip = RadioIn(recip, "PromptRecip", tr("&Prompt For Recipients"));
    Button1 = Button(recip, "Button1", tr("&Modify Recipient List"));
    rl->addWidget(ChooseRecip, 0, 0);
    rl->addWidget(PromptRecip, 0, 1);
    rl->addWidget(Button1, 0, 2);
    const QString titles[3] = {tr("To"), tr("CC"), tr("Blind CC")};
    for (int i = 0; i < 3; ++i) {
        auto* box = new QGroupBox(titles[i], recip);
        auto* gl = new QGridLayout(box);
        Group& g = Groups[static_cast<std::size_t>(i)];
        g.Person = Edit(box, kGroupNames[i][0]);
        g.Address = Edit(box, kGroupNames[i][1]);
        g.List = new QListWidget(box);
        g.List->setObjectName(kGroupNames[i][2]);
        g.List->setSelectionMode(QAbstractItemView::MultiSelection);
        g.Name = RadioIn(box, kGroupNames[i][3], tr("Name"));
        g.Add = RadioIn(box, kGroupNames[i][4], tr("Address"));
        g.PersonLabel = Label(box, tr("Name"), g.Person);
        g.AddressLabel = Label(box, tr("Address"), g.Address);
        g.ListLabel = Label(box, tr("Select from Recipient List"), g.List);
        gl->addWidget(g.PersonLabel, 0, 0);
        gl->addWidget(g.Person, 0, 1);
        gl->addWidget(g.AddressLabel, 1, 0);
        gl->addWidget(g.Address, 1, 1);
        gl->addWidget(g.ListLabel, 2, 0, 1, 2);
        gl->addWidget(g.List, 3, 0, 1, 2);
        gl->addWidget(g.Name, 4, 0);
        gl->addWidget(g.Add, 4, 1);
        rl->addWidget(box, 1, i);
        connect(g.Name, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) SwitchList(i, true);
        });
        connect(g.Add, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) SwitchList(i, false);
        });
    }
    Pages->addTab(recip, tr("&Recipients"));

    // Subject and text.
    auto* text = new QWidget;
    auto* tl = new QGridLayout(text);
    FixedText = RadioIn(text, "FixedText", tr("Send &Fixed Text"));
    PromptText = RadioIn(text, "PromptText", tr("&Prompt For Subject && Text"));
    ClipText = RadioIn(text, "ClipText", tr("S&end Text From Clipboard"));
    FileText = RadioIn(text, "FileText", tr("Send &Text From File"));
    Request = new QCheckBox(tr("Req&uest Return Receipt"), text);
    Request->setObjectName("Request");
    Subject = Edit(text, "Subject");
    MyMemo = new QTextEdit(text);
    MyMemo->setObjectName("MyMemo");
    MyMemo->setAcceptRichText(false);
    FileName = Edit(text, "FileName");
    BrowseButton = Button(text, "BrowseButton", tr("&Browse"));
    tl->addWidget(FixedText, 0, 0);
    tl->addWidget(PromptText, 0, 1);
    tl->addWidget(ClipText, 1, 0);
    tl->addWidget(FileText, 1, 1);
    tl->addWidget(Request, 2, 0);
    tl->addWidget(Label(text, tr("E-Mail Subject"), Subject, "SubjectLabel"), 3, 0);
    tl->addWidget(Subject, 3, 1, 1, 2);
    tl->addWidget(Label(text, tr("File Name"), FileName, "FileLabel"), 4, 0);
    tl->addWidget(FileName, 4, 1);
    tl->addWidget(BrowseButton, 4, 2);
    tl->addWidget(Label(text, tr("Text"), MyMemo, "TextLabel"), 5, 0);
    tl->addWidget(MyMemo, 6, 0, 1, 3);
    Pages->addTab(text, tr("&Subject && Text"));

    // Attachments.
    auto* attach = new QWidget;
    auto* al = new QGridLayout(attach);
    NoAttach = RadioIn(attach, "NoAttach", tr("No Attach&ment"));
    ChooseAttach = RadioIn(attach, "ChooseAttach", tr("Choose Attachment &Now"));
    PromptAttach = RadioIn(attach, "PromptAttach", tr("&Prompt For Attachment"));
    AttachBox = new QListWidget(attach);
    AttachBox->setObjectName("AttachBox");
    AddAttach = Button(attach, "AddAttach", tr("A&dd"));
    DeleteAttach = Button(attach, "DeleteAttach", tr("&Delete"));
    al->addWidget(NoAttach, 0, 0);
    al->addWidget(ChooseAttach, 0, 1);
    al->addWidget(PromptAttach, 0, 2);
    al->addWidget(Label(attach, tr("Attachment List"), AttachBox, "AttachLabel"), 1, 0);
    al->addWidget(AttachBox, 2, 0, 1, 3);
    al->addWidget(AddAttach, 3, 1);
    al->addWidget(DeleteAttach, 3, 2);
    Pages->addTab(attach, tr("&Attachments"));

    for (QRadioButton* r : {ChooseRecip, PromptRecip, FixedText, PromptText, ClipText, FileText, NoAttach,
                            ChooseAttach, PromptAttach})
        connect(r, &QRadioButton::toggled, this, [this] { EnableDisable(); });
    connect(Button1, &QPushButton::clicked, this, &TDoTheEmailCommand::Button1Click);
    connect(BrowseButton, &QPushButton::clicked, this, &TDoTheEmailCommand::BrowseButtonClick);
    connect(AddAttach, &QPushButton::clicked, this, &TDoTheEmailCommand::AddAttachClick);
    connect(DeleteAttach, &QPushButton::clicked, this, &TDoTheEmailCommand::DeleteAttachClick);
}

void TDoTheEmailCommand::LoadRecipients() {
    // Entries kept from the command are no line of the list: they stay as long as selected.
    for (std::size_t i = 0; i < Groups.size(); ++i) others_[i] = KeptOthers(static_cast<int>(i));
    RecipientLines = mail::ReadRecipientFile(config_.EMailPath.str());
    for (std::size_t i = 0; i < Groups.size(); ++i) {
        SwitchList(static_cast<int>(i), Groups[i].Name->isChecked());
        std::vector<bool> selected(RecipientLines.size(), false);
        selected.resize(RecipientLines.size() + others_[i].size(), true);
        SelectRows(Groups[i].List, selected);
    }
}

std::vector<std::string> TDoTheEmailCommand::KeptOthers(int group) const {
    const std::size_t g = static_cast<std::size_t>(group);
    const std::vector<bool> selected =
        SelectedRows(Groups[g].List, RecipientLines.size() + others_[g].size());
    std::vector<std::string> kept;
    for (std::size_t k = 0; k < others_[g].size(); ++k)
        if (selected[RecipientLines.size() + k]) kept.push_back(others_[g][k]);
    return kept;
}

void TDoTheEmailCommand::SwitchList(int group, bool names) {
    const std::vector<std::string>& others = others_[static_cast<std::size_t>(group)];
    QListWidget* list = Groups[static_cast<std::size_t>(group)].List;
    // Position i always stands for line i, so the selection is kept by position. After the
    // lines come the command's entries that match none of them, shown apart.
    const std::vector<bool> selected = SelectedRows(list, RecipientLines.size() + others.size());
    list->setUpdatesEnabled(false);
    list->clear();
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(RecipientLines.size()));
    for (const std::string& line : RecipientLines)
        shown.append(win::ToQt(std::string(mail::RecipientPart(line, names))));
    list->addItems(shown);
    for (const std::string& entry : others) {
        // A kept entry without a name is shown by its address: a blank row tells nothing.
        std::string_view part = mail::RecipientPart(entry, names);
        if (part.empty()) part = mail::RecipientPart(entry, false);
        auto* item = new QListWidgetItem(win::ToQt(std::string(part)), list);
        QFont font = item->font();
        font.setItalic(true);
        item->setFont(font);
        item->setToolTip(tr("Not in the recipient list: %1").arg(win::ToQt(entry)));
    }
    SelectRows(list, selected);
    list->setUpdatesEnabled(true);
}

void TDoTheEmailCommand::SetDefaults() {
    MyMemo->clear();
    token_.clear();
}

void TDoTheEmailCommand::FocusFirst() {
    Accepted = 0;
    for (Group& g : Groups) g.Name->setChecked(true);
    ChooseRecip->setChecked(true);
    NoAttach->setChecked(true);
    FixedText->setChecked(true);
    for (auto& kept : others_) kept.clear();
    LoadRecipients();
    if (NewCommand == 0) ShowForm(DecodeLStemp(token_, RecipientLines));
}

void TDoTheEmailCommand::ShowForm(const EmailForm& form) {
    Request->setChecked(form.receipt);
    (form.recipientMode == 1 ? ChooseRecip : PromptRecip)->setChecked(true);
    for (std::size_t i = 0; i < Groups.size(); ++i) {
        const EmailGroup& eg = form.groups[i];
        Groups[i].Person->setText(win::ToQt(eg.name));
        Groups[i].Address->setText(win::ToQt(eg.address));
        others_[i] = eg.others;
        SwitchList(static_cast<int>(i), Groups[i].Name->isChecked());
        std::vector<bool> selected = eg.selected;
        selected.resize(RecipientLines.size(), false);
        selected.resize(RecipientLines.size() + eg.others.size(), true);
        SelectRows(Groups[i].List, selected);
    }
    QRadioButton* textRadios[] = {FixedText, PromptText, ClipText, FileText};
    textRadios[std::clamp(form.textMode, 1, 4) - 1]->setChecked(true);
    MyMemo->setPlainText(win::ToQt(form.text));
    FileName->setText(win::ToQt(form.fileName));
    Subject->setText(win::ToQt(form.subject));
    QRadioButton* attachRadios[] = {NoAttach, ChooseAttach, PromptAttach};
    attachRadios[std::clamp(form.attachMode, 1, 3) - 1]->setChecked(true);
    AttachBox->clear();
    for (const std::string& a : form.attachments) AttachBox->addItem(win::ToQt(a));
}

void TDoTheEmailCommand::EnableDisable() {
    // Prompting leaves the groups' headings; all within them waits for the play.
    const bool choose = ChooseRecip->isChecked();
    for (Group& g : Groups)
        for (QWidget* w : {static_cast<QWidget*>(g.Person), static_cast<QWidget*>(g.Address),
                           static_cast<QWidget*>(g.List), static_cast<QWidget*>(g.Name),
                           static_cast<QWidget*>(g.Add), static_cast<QWidget*>(g.PersonLabel),
                           static_cast<QWidget*>(g.AddressLabel), static_cast<QWidget*>(g.ListLabel)})
            w->setEnabled(choose);
    const bool subject = !PromptText->isChecked();
    const bool file = FileText->isChecked();
    const bool memo = FixedText->isChecked();
    for (const auto& [name, on] :
         {std::pair{"Subject", subject}, std::pair{"SubjectLabel", subject}, std::pair{"FileName", file},
          std::pair{"FileLabel", file}, std::pair{"BrowseButton", file}, std::pair{"TextLabel", memo},
          std::pair{"MyMemo", memo}}) {
        if (QWidget* w = findChild<QWidget*>(name)) {
            w->setEnabled(on);
            w->setVisible(on);
        }
    }
    const bool attach = ChooseAttach->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(AttachBox), static_cast<QWidget*>(AddAttach),
                       static_cast<QWidget*>(DeleteAttach), findChild<QWidget*>("AttachLabel")})
        w->setEnabled(attach);
    FitToLayout(*this);
}

std::optional<EmailForm> TDoTheEmailCommand::ReadForm() {
    EmailForm f;
    f.receipt = Request->isChecked();
    f.recipientMode = ChooseRecip->isChecked() ? 1 : 2;
    for (std::size_t i = 0; i < Groups.size(); ++i) {
        const auto name = ReadText(Groups[i].Person);
        const auto address = ReadText(Groups[i].Address);
        if (!name || !address) return std::nullopt;
        EmailGroup& eg = f.groups[i];
        eg.name = *name;
        eg.address = *address;
        eg.selected = SelectedRows(Groups[i].List, RecipientLines.size());
        eg.others = KeptOthers(static_cast<int>(i));
    }
    f.textMode = FixedText->isChecked() ? 1 : PromptText->isChecked() ? 2 : ClipText->isChecked() ? 3 : 4;
    const auto memo = ReadText(MyMemo);
    const auto file = ReadText(FileName);
    const auto subject = ReadText(Subject);
    if (!memo || !file || !subject) return std::nullopt;
    f.text = WithCrLf(*memo);
    f.fileName = *file;
    f.subject = *subject;
    f.attachMode = NoAttach->isChecked() ? 1 : ChooseAttach->isChecked() ? 2 : 3;
    for (int i = 0; i < AttachBox->count(); ++i)
        f.attachments.push_back(win::FromQt(AttachBox->item(i)->text()));
    return f;
}

QWidget* TDoTheEmailCommand::FaultControl(const EmailFault& fault) const {
    const Group& g = Groups[static_cast<std::size_t>(std::clamp(fault.group, 0, 2))];
    switch (fault.field) {
        case EmailFault::Field::Name: return g.Person;
        case EmailFault::Field::Address: return g.Address;
        case EmailFault::Field::Text: return MyMemo;
        case EmailFault::Field::Subject: return Subject;
        case EmailFault::Field::FileName: return FileName;
        case EmailFault::Field::Attachment: return AttachBox;
    }
    return nullptr;
}

void TDoTheEmailCommand::OkButtonClick() {
    const auto form = ReadForm();
    if (!form) return;
    if (const auto fault = CheckEmailForm(*form)) {
        QWidget* control = FaultControl(*fault);
        // The page that holds the control comes to the front first.
        for (int p = 0; p < Pages->count(); ++p)
            if (Pages->widget(p)->isAncestorOf(control)) Pages->setCurrentIndex(p);
        if (fault->field == EmailFault::Field::Attachment) AttachBox->setCurrentRow(fault->group);
        Refuse({BadCharacterMessage(fault->character), control->objectName().toStdString()});
        return;
    }
    CommandText = BuildEmailToken(*form, RecipientLines);
    RecipientMode = form->recipientMode;
    TextMode = form->textMode;
    AttachMode = form->attachMode;
    Accepted = 1;
    accept();
}

void TDoTheEmailCommand::Button1Click() {
    TMyAddress list(this, config_, pathEditor_);
    list.exec();
    LoadRecipients();
}

void TDoTheEmailCommand::BrowseButtonClick() {
    if (auto path = chooser_.ChooseFile(this, tr("Select Text File"), "Text Files (*.TXT)|*.TXT"))
        FileName->setText(win::ToQt(*path));
}

void TDoTheEmailCommand::AddAttachClick() {
    if (auto path =
            chooser_.ChooseFile(this, tr("Select File For Attachment"),
                                "All Files (*.*)|*.*|Zip Files (*.ZIP)|*.ZIP|Text Files (*.TXT)|*.TXT|"
                                "Word Files (*.DOC)|*.DOC"))
        AttachBox->addItem(win::ToQt(*path));
}

void TDoTheEmailCommand::DeleteAttachClick() {
    const int row = AttachBox->currentRow();
    if (row < 0 || !AttachBox->item(row)->isSelected()) return;
    delete AttachBox->takeItem(row);
    AttachBox->setCurrentRow(mail::SelectionAfterDelete(row, AttachBox->count()));
}

}  // namespace tessaro
