#include "mail/ui/send_email_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWindow>

#include "mail/send_dialog_model.h"
#include "platform/cp1252.h"
#include "widgets/file_chooser.h"
#include "widgets/on_top.h"
#include "widgets/screen_fit.h"

namespace tessaro::mail {
namespace {

constexpr const char* kAttachmentFilter =
    "All Files (*.*)|*.*|Zip Files (*.ZIP)|*.ZIP|Text Files (*.TXT)|*.TXT|Word Files (*.DOC)|*.DOC";

// What a window manager's frame and title bar take of the screen, at most.
constexpr int kFrameRoom = 40;

// Takes a shown window off top and puts it back. Only the native window's flags change:
// QWidget::setWindowFlags hides a shown window, and hiding a modal dialog ends its loop.
class OffTopWhileAlive {
public:
    explicit OffTopWhileAlive(QWidget& w) : w_(w) { Set(false); }
    ~OffTopWhileAlive() { Set(true); }
    OffTopWhileAlive(const OffTopWhileAlive&) = delete;
    OffTopWhileAlive& operator=(const OffTopWhileAlive&) = delete;

private:
    void Set(bool onTop) {
        Qt::WindowFlags flags = w_.windowFlags();
        flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
        w_.overrideWindowFlags(flags);
        if (QWindow* native = w_.windowHandle()) native->setFlags(flags);
    }
    QWidget& w_;
};

}  // namespace

QString QtFileFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        name = name.left(name.indexOf('(')).trimmed();
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';')) {
            if (p == "*.*")
                patterns << "*";
            else
                patterns << p.toLower() << p.toUpper();
        }
        patterns.removeDuplicates();
        out << name + " (" + patterns.join(' ') + ")";
    }
    return out.join(";;");
}

TDoTheEmail::TDoTheEmail(EMailPromptMode mode, const std::string& recipientListPath, QWidget* parent)
    : QDialog(parent), mode_(mode) {
    setWindowTitle("Send E-Mail");
    MakeOnTop(*this);
    auto* layout = new QVBoxLayout(this);
    RecipientPanel = new QGroupBox("Select Recipients For Your E-Mail", this);
    TextPanel = new QGroupBox("Enter Your Subject And Message To Send In Your E-Mail", this);
    AttachmentPanel = new QGroupBox("Choose Your File Attachments To Send WIth Your E-Mail", this);
    layout->addWidget(RecipientPanel);
    layout->addWidget(TextPanel);
    layout->addWidget(AttachmentPanel);
    BuildRecipients();
    BuildText();
    BuildAttachments();
    ContinueButton = new QPushButton("&Continue", this);
    AbortButton = new QPushButton("&Abort Macro", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ContinueButton);
    buttons->addWidget(AbortButton);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(ContinueButton, &QPushButton::clicked, this, [this] { ContinueButtonClick(); });
    connect(AbortButton, &QPushButton::clicked, this, [this] { AbortButtonClick(); });
    ContinueButton->setDefault(true);

    RecipientPanel->setVisible(mode == EMailPromptMode::Recipients);
    TextPanel->setVisible(mode == EMailPromptMode::SubjectAndText);
    AttachmentPanel->setVisible(mode == EMailPromptMode::Attachments);
    RecipientPanel->setEnabled(RecipientPanel->isVisibleTo(this));
    TextPanel->setEnabled(TextPanel->isVisibleTo(this));
    AttachmentPanel->setEnabled(AttachmentPanel->isVisibleTo(this));
    if (mode == EMailPromptMode::Recipients) {
        recipients_ = ReadRecipientFile(recipientListPath);
        for (RecipientBlock& b : Blocks) {
            b.NameRadio->setChecked(true);
            FillList(b);
        }
    }
    // As large as its contents ask, but no wider or taller than a small screen leaves room
    // for, frame included (the recipient lists would ask for 900 pixels).
    QSize size = sizeHint();
    if (const QScreen* screen = this->screen()) {
        const QSize room = screen->availableGeometry().size() - QSize(kFrameRoom, kFrameRoom);
        size = size.boundedTo(room).expandedTo(minimumSizeHint());
    }
    setFixedSize(size);
    CentreOnScreen(*this);
}

void TDoTheEmail::BuildRecipients() {
    auto* grid = new QHBoxLayout(RecipientPanel);
    const char* titles[] = {"To", "CC", "Blind CC"};
    for (std::size_t i = 0; i < Blocks.size(); ++i) {
        RecipientBlock& b = Blocks[i];
        b.Box = new QGroupBox(titles[i], RecipientPanel);
        auto* g = new QGridLayout(b.Box);
        b.NameEdit = new QLineEdit(b.Box);
        b.AddressEdit = new QLineEdit(b.Box);
        g->addWidget(new QLabel("Name", b.Box), 0, 0);
        g->addWidget(b.NameEdit, 0, 1);
        g->addWidget(new QLabel("Address", b.Box), 1, 0);
        g->addWidget(b.AddressEdit, 1, 1);
        g->addWidget(new QLabel("Select from Recipient List", b.Box), 2, 0, 1, 2);
        b.List = new QListWidget(b.Box);
        b.List->setSelectionMode(QAbstractItemView::MultiSelection);
        g->addWidget(b.List, 3, 0, 1, 2);
        b.NameRadio = new QRadioButton("Name", b.Box);
        b.AddressRadio = new QRadioButton("Address", b.Box);
        auto* radios = new QHBoxLayout;
        radios->addWidget(b.NameRadio);
        radios->addWidget(b.AddressRadio);
        g->addLayout(radios, 4, 0, 1, 2);
        auto* group = new QButtonGroup(b.Box);
        group->addButton(b.NameRadio);
        group->addButton(b.AddressRadio);
        for (QRadioButton* radio : {b.NameRadio, b.AddressRadio}) {
            connect(radio, &QRadioButton::toggled, this, [this, i](bool on) {
                if (on) ShowNamesOrAddresses(Blocks[i]);
            });
        }
        grid->addWidget(b.Box);
    }
}

void TDoTheEmail::BuildText() {
    auto* g = new QGridLayout(TextPanel);
    SubjectEdit = new QLineEdit(TextPanel);
    TextMemo = new QPlainTextEdit(TextPanel);
    ReceiptCheck = new QCheckBox("&Request Return Receipt", TextPanel);
    g->addWidget(new QLabel("Subject", TextPanel), 0, 0);
    g->addWidget(SubjectEdit, 0, 1);
    g->addWidget(new QLabel("Text", TextPanel), 1, 0, Qt::AlignTop);
    g->addWidget(TextMemo, 1, 1);
    g->addWidget(ReceiptCheck, 2, 1);
}

void TDoTheEmail::BuildAttachments() {
    auto* g = new QGridLayout(AttachmentPanel);
    g->addWidget(new QLabel("Attachment List", AttachmentPanel), 0, 0);
    AttachmentList = new QListWidget(AttachmentPanel);
    g->addWidget(AttachmentList, 1, 0, 3, 1);
    AddButton = new QPushButton("A&dd", AttachmentPanel);
    DeleteButton = new QPushButton("&Delete", AttachmentPanel);
    g->addWidget(AddButton, 1, 1);
    g->addWidget(DeleteButton, 2, 1);
    connect(AddButton, &QPushButton::clicked, this, [this] { AddButtonClick(); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
}

void TDoTheEmail::FillList(RecipientBlock& block) {
    block.List->clear();
    const bool names = block.NameRadio->isChecked();
    for (const std::string& line : recipients_)
        block.List->addItem(win::ToQt(std::string(RecipientPart(line, names))));
}

void TDoTheEmail::ShowNamesOrAddresses(RecipientBlock& block) {
    std::vector<bool> kept;
    for (int i = 0; i < block.List->count() && kept.size() < kMaxKeptSelections; ++i)
        kept.push_back(block.List->item(i)->isSelected());
    FillList(block);
    for (std::size_t i = 0; i < kept.size() && static_cast<int>(i) < block.List->count(); ++i)
        block.List->item(static_cast<int>(i))->setSelected(kept[i]);
}

void TDoTheEmail::ContinueButtonClick() {
    switch (mode_) {
        case EMailPromptMode::Recipients:
            for (std::size_t i = 0; i < Blocks.size(); ++i) {
                RecipientBlock& b = Blocks[i];
                std::vector<bool> selected;
                for (int k = 0; k < b.List->count(); ++k) selected.push_back(b.List->item(k)->isSelected());
                Results[i] = RecipientResult(win::FromQt(b.NameEdit->text()),
                                             win::FromQt(b.AddressEdit->text()), recipients_, selected);
            }
            break;
        case EMailPromptMode::SubjectAndText: {
            QString text = TextMemo->toPlainText();
            text.replace("\n", "\r\n");
            Results =
                TextResults(win::FromQt(text), win::FromQt(SubjectEdit->text()), ReceiptCheck->isChecked());
            break;
        }
        case EMailPromptMode::Attachments: {
            std::vector<std::string> paths;
            for (int k = 0; k < AttachmentList->count(); ++k)
                paths.push_back(win::FromQt(AttachmentList->item(k)->text()));
            Results[0] = AttachmentResult(paths);
            break;
        }
    }
    accept();
}

void TDoTheEmail::AbortButtonClick() {
    Canceled = true;
    reject();
}

void TDoTheEmail::AddButtonClick() {
    // The file dialog must not hide behind this window, so it is off top while the dialog runs.
    std::string path;
    {
        const OffTopWhileAlive offTop(*this);
        FileChoice choice;
        choice.title = "Select File For Attachment";
        choice.filter = QtFileFilter(kAttachmentFilter);
        choice.mustExist = true;
        path = ChooseFile(this, choice);
    }
    if (!path.empty()) AttachmentList->addItem(QString::fromStdString(path));
}

void TDoTheEmail::DeleteButtonClick() {
    const int row = AttachmentList->currentRow();
    if (row < 0 || !AttachmentList->item(row)->isSelected()) return;
    delete AttachmentList->takeItem(row);
    const int next = SelectionAfterDelete(row, AttachmentList->count());
    AttachmentList->setCurrentRow(next);
    if (next < 0) AttachmentList->clearSelection();
}

TEMailStatus::TEMailStatus(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Tessaro E-Mail Send");
    MakeOnTop(*this);
    auto* layout = new QVBoxLayout(this);
    MyStatus = new QStatusBar(this);
    MyStatus->setSizeGripEnabled(false);
    layout->addWidget(MyStatus);
    setMinimumWidth(280);
    adjustSize();
    CentreOnScreen(*this);
}

void TEMailStatus::SetText(const std::string& text) { MyStatus->showMessage(win::ToQt(text)); }
std::string TEMailStatus::Text() const { return win::FromQt(MyStatus->currentMessage()); }

MailDialogs::MailDialogs(std::function<std::string()> recipientListPath)
    : recipientListPath_(std::move(recipientListPath)) {}

MailDialogs::~MailDialogs() = default;

std::optional<std::array<std::string, 3>> MailDialogs::GetTheEMail(EMailPromptMode mode) {
    TDoTheEmail dialog(mode, recipientListPath_());
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    dialog.exec();
    if (dialog.Canceled) return std::nullopt;
    return dialog.Results;
}

void MailDialogs::ShowStatus(const std::string& text) {
    status_ = std::make_unique<TEMailStatus>();
    status_->SetText(text);
    status_->show();
    status_->raise();
    status_->activateWindow();
}

void MailDialogs::SetStatus(const std::string& text) {
    if (status_) status_->SetText(text);
}

void MailDialogs::CloseStatus() { status_.reset(); }

}  // namespace tessaro::mail
