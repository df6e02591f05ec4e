#include "editor/wizard/email_pages.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>
#include <map>
#include <utility>

#include "editor/commands/address_dialogs.h"
#include "editor/commands/form_parts.h"
#include "editor/model/wizard/email_pages.h"
#include "editor/script/ui/command_editors.h"
#include "editor/wizard/page_parts.h"
#include "mail/recipient_list.h"
#include "widgets/file_chooser.h"
#include "widgets/recipient_delegate.h"

namespace tessaro {

namespace {

struct RecipientPage {
    int page;
    const char* heading;
    const char* person;
    const char* address;
    const char* box;
    const char* modify;
};

constexpr std::array<RecipientPage, 3> kRecipientPages{{
    {76, "\"TO\" Recipients", "P76Person", "P76Address", "P76AddressBox", "P76Modify"},
    {81, "\"CC\" Recipients (Carbon Copy)", "P81Person", "P81Address", "P81AddressBox", "P81Modify"},
    {82, "\"Blind CC\" Recipients (Blind Carbon Copy)", "P82Person", "P82Address", "P82AddressBox",
     "P82Modify"},
}};

using pages::ShowAll;

class EmailPages : public WizardPageGroup {
public:
    EmailPages(RecipientPathEditor& pathEditor, CommandDialogRunner& runner)
        : pathEditor_(pathEditor), runner_(runner) {}

    std::vector<int> Pages() const override { return {75, 76, 77, 78, 81, 82, 83}; }

    void Build(int page, QWidget* panel, WizardForm& form) override {
        switch (page) {
            case 75:
                pages::Heading(panel, "Would you like to");
                pages::Radio(panel, "P75Now", "&Enter Your E-Mail Recipients Now")->setChecked(true);
                pages::Radio(panel, "P75Prompt", "&Be Prompted For E-Mail Recipients When The Macro Runs");
                pages::Check(panel, "P75cc", "Copy Messages (cc)");
                pages::Check(panel, "P75Blind", "Blind Copy Messages (Blind cc)");
                break;
            case 76:
            case 81:
            case 82: BuildRecipients(page, panel, form); break;
            case 77: Build77(panel); break;
            case 78:
                pages::Heading(panel, "E-Mail Connection To The Internet");
                pages::Radio(panel, "P78Connected", "&I am always connected to the Internet")
                    ->setChecked(true);
                pages::Radio(panel, "P78RAS",
                             "I want to invoke &Dial-Up Networking prior to sending my E-Mail");
                pages::Radio(panel, "P78Manual", "I will make sure I am connected prior to sending E-Mail");
                break;
            case 83: Build83(panel); break;
            default: break;
        }
    }

    void Shown(int page, bool firstShowing, WizardForm& form) override {
        if (firstShowing && boxes_.count(page)) LoadRecipients(page, form);
        if (page == 83) UpdateBody();
        if (page == 77) UpdateAttachments();
    }

private:
    void BuildRecipients(int page, QWidget* panel, WizardForm& form) {
        const RecipientPage* p = nullptr;
        for (const RecipientPage& r : kRecipientPages)
            if (r.page == page) p = &r;
        pages::Heading(panel, p->heading);
        auto* grid = new QGridLayout;
        QLineEdit* person = parts::Edit(panel, p->person);
        QLineEdit* address = parts::Edit(panel, p->address);
        grid->addWidget(parts::Label(panel, "Name", person), 0, 0);
        grid->addWidget(person, 0, 1);
        grid->addWidget(parts::Label(panel, "Address", address), 1, 0);
        grid->addWidget(address, 1, 1);
        pages::Column(panel)->addLayout(grid);
        auto* box = new QListWidget(panel);
        box->setObjectName(p->box);
        box->setSelectionMode(QAbstractItemView::MultiSelection);
        box->setItemDelegate(new RecipientItemDelegate(box));
        pages::Column(panel)->addWidget(parts::Label(panel, "Select from Recipient List", box));
        pages::Column(panel)->addWidget(box);
        boxes_[page] = box;
        QPushButton* modify = parts::Button(panel, p->modify, "&Modify Recipient List");
        pages::Column(panel)->addWidget(modify);
        QObject::connect(modify, &QPushButton::clicked, [this, page, &form] { GetRecipients(page, form); });
    }

    void Build77(QWidget* panel) {
        pages::Heading(panel, "E-Mail Attachments");
        auto* none = pages::Radio(panel, "P77NoAttach", "&Send No Attachment");
        none->setChecked(true);
        chooseAttach_ = pages::Radio(panel, "P77ChooseAttach", "C&hoose Attachment Now");
        auto* prompt = pages::Radio(panel, "P77PromptAttach", "&Prompt For Attachment");
        attachBox_ = new QListWidget(panel);
        attachBox_->setObjectName("P77AttachBox");
        attachLabel_ = parts::Label(panel, "Attachment List", attachBox_, "P77AttachLabel");
        addAttach_ = parts::Button(panel, "P77AddAttach", "A&dd");
        deleteAttach_ = parts::Button(panel, "P77DeleteAttach", "&Delete");
        for (QWidget* w : {static_cast<QWidget*>(attachLabel_), static_cast<QWidget*>(attachBox_),
                           static_cast<QWidget*>(addAttach_), static_cast<QWidget*>(deleteAttach_)})
            pages::Column(panel)->addWidget(w);
        for (QAbstractButton* b :
             {static_cast<QAbstractButton*>(none), static_cast<QAbstractButton*>(chooseAttach_),
              static_cast<QAbstractButton*>(prompt)})
            QObject::connect(b, &QAbstractButton::toggled, [this] { UpdateAttachments(); });
        QObject::connect(addAttach_, &QPushButton::clicked, [this] {
            const std::string path =
                ChooseFile(attachBox_->window(), {"Select File For Attachment",
                                                  "All Files (*.*);;Zip Files (*.ZIP);;Text "
                                                  "Files (*.TXT);;Word Files (*.DOC)",
                                                  "", false, true});
            if (!path.empty()) attachBox_->addItem(QString::fromStdString(path));
        });
        QObject::connect(deleteAttach_, &QPushButton::clicked, [this] {
            const int row = attachBox_->currentRow();
            if (row < 0) return;
            delete attachBox_->takeItem(row);
            attachBox_->setCurrentRow(wizard::SelectionAfterDelete(row, attachBox_->count()));
        });
        UpdateAttachments();
    }

    void Build83(QWidget* panel) {
        pages::Heading(panel, "E-Mail Body (Message Text)");
        const std::pair<const char*, const char*> choices[] = {
            {"P83Now", "&Enter Your Text Now"},
            {"P83Prompt", "Be &Prompted To Enter Your Text When The Macro Runs"},
            {"P83Clip", "&Use The Text Contents Of The Clipboard"},
            {"P83File", "&Send The Contents Of A Text File"}};
        for (const auto& [name, caption] : choices) {
            auto* b = pages::Radio(panel, name, caption);
            b->setChecked(name == choices[0].first);
            QObject::connect(b, &QAbstractButton::toggled, [this, panel] { UpdateBodyOf(panel); });
        }
        memo_ = new QPlainTextEdit(panel);
        memo_->setObjectName("P83Memo");
        textLabel_ = parts::Label(panel, "Text", memo_, "P83TextLabel");
        fileName_ = parts::Edit(panel, "P83FileName");
        fileLabel_ = parts::Label(panel, "File Name", fileName_, "P83FileLabel");
        browse_ = parts::Button(panel, "P83Browse", "&Browse");
        subject_ = parts::Edit(panel, "P83Subject");
        subjectLabel_ = parts::Label(panel, "Subject", subject_, "P83SubjectLabel");
        request_ = pages::Check(panel, "P83Request", "Req&uest Return Receipt");
        for (QWidget* w : {static_cast<QWidget*>(textLabel_), static_cast<QWidget*>(memo_),
                           static_cast<QWidget*>(fileLabel_), static_cast<QWidget*>(fileName_),
                           static_cast<QWidget*>(browse_), static_cast<QWidget*>(subjectLabel_),
                           static_cast<QWidget*>(subject_)})
            pages::Column(panel)->addWidget(w);
        QObject::connect(browse_, &QPushButton::clicked, [this] {
            const std::string path = ChooseFile(
                fileName_->window(), {"Select Text File", "Text Files (*.TXT)", "TXT", false, true});
            if (!path.empty()) fileName_->setText(QString::fromStdString(path));
        });
    }

    void LoadRecipients(int page, WizardForm& form) {
        QListWidget* box = boxes_.at(page);
        box->clear();
        for (const std::string& line : mail::ReadRecipientFile(form.Context().Config.EMailPath.str()))
            box->addItem(win::ToQt(line));
    }

    // Only this page's box is refilled; the others keep theirs until they are loaded.
    void GetRecipients(int page, WizardForm& form) {
        TMyAddress dialog(form.Window(), form.Context().Config, pathEditor_);
        runner_.Run(dialog);
        LoadRecipients(page, form);
    }

    void UpdateBodyOf(QWidget* panel) {
        wizard::Answers a;
        for (const char* name : {"P83Now", "P83Prompt", "P83Clip", "P83File"})
            if (auto* b = panel->findChild<QAbstractButton*>(name)) a.Set(name).checked = b->isChecked();
        const wizard::BodyLayout layout = wizard::BodyLayoutOf(a);
        ShowAll({request_, subject_, subjectLabel_}, layout.subject);
        ShowAll({fileLabel_, fileName_, browse_}, layout.file);
        ShowAll({textLabel_, memo_}, layout.text);
    }

    void UpdateBody() {
        if (memo_) UpdateBodyOf(memo_->parentWidget());
    }

    void UpdateAttachments() {
        if (!chooseAttach_) return;
        ShowAll({attachBox_, attachLabel_, addAttach_, deleteAttach_}, chooseAttach_->isChecked());
    }

    RecipientPathEditor& pathEditor_;
    CommandDialogRunner& runner_;
    std::map<int, QListWidget*> boxes_;
    QRadioButton* chooseAttach_ = nullptr;
    QListWidget* attachBox_ = nullptr;
    QLabel* attachLabel_ = nullptr;
    QPushButton *addAttach_ = nullptr, *deleteAttach_ = nullptr, *browse_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QLabel *textLabel_ = nullptr, *fileLabel_ = nullptr, *subjectLabel_ = nullptr;
    QLineEdit *fileName_ = nullptr, *subject_ = nullptr;
    QCheckBox* request_ = nullptr;
};

}  // namespace

std::unique_ptr<WizardPageGroup> MakeEmailPages(RecipientPathEditor& pathEditor,
                                                CommandDialogRunner& runner) {
    return std::make_unique<EmailPages>(pathEditor, runner);
}

}  // namespace tessaro
