#include "editor/explorer/tools/small_dialogs.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <filesystem>

#include "editor/explorer/forms/form_support.h"
#include "foundation/strings.h"
#include "platform/cp1252.h"
#include "platform/datetime.h"
#include "platform/message_box.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"
#include "widgets/program_icons.h"

namespace tessaro {

namespace {

QLabel* Value(QWidget* owner, const char* name) {
    auto* l = new QLabel(owner);
    l->setObjectName(name);
    return l;
}

QHBoxLayout* OkCancel(QDialog* dialog, QPushButton*& ok, bool withCancel) {
    ok = new QPushButton(QObject::tr("&Ok"), dialog);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    if (withCancel) {
        auto* cancel = new QPushButton(QObject::tr("&Cancel"), dialog);
        cancel->setObjectName("CancelButton");
        QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
        row->addWidget(cancel);
    }
    return row;
}

QString ScopeText(const TMacroRecord& m) {
    switch (m.Scope) {
        case scGlobal: return "GLOBAL";
        case scPopupMenu: return "Popup Menu";
        case scSystem: return "SYSTEM";
        default: break;
    }
    const QString kind = m.Scope == scWindow ? "Window" : "Program";
    return win::ToQt(m.ScopeText.view()) + " \"" + kind + "\" " +
           (m.TopmostOnly ? "(Topmost Only)" : "(If Running)");
}

}  // namespace

TQuickInfo::TQuickInfo(QWidget* owner, const TMacroRecord& m, const std::string& programDir,
                       const std::string& schedule)
    : QDialog(owner), IconName(m.IconName.view()) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Quick Info"));
    IconButton = new QToolButton(this);
    IconButton->setObjectName("IconButton");
    IconButton->setIconSize(QSize(16, 16));
    QIcon icon = MainIcon();
    if (IconName == "MENU") {
        icon = MenuIcon();
    } else if (IconName != "MAIN") {
        const std::string file = programDir + "/Icons/" + IconName;
        if (std::filesystem::is_regular_file(file))
            icon = QIcon(QString::fromStdString(file));
        else
            IconName = "MAIN";
    }
    IconButton->setIcon(icon);

    ActivationLabel = Value(this, "ActivationLabel");
    Activation = Value(this, "Activation");
    switch (m.ActivationCode) {
        case acNone: ActivationLabel->setText(tr("None")); break;
        case acWindowTitle:
            ActivationLabel->setText(tr("Window Title:"));
            Activation->setText(win::ToQt(m.ScopeText.view()));
            break;
        case acScheduled:
            ActivationLabel->setText(tr("Timed Macro:"));
            Activation->setText(win::ToQt(schedule));
            break;
        case acAbbreviation:
            ActivationLabel->setText(tr("Snipra:"));
            Activation->setText(win::ToQt(m.Abbreviation.view()));
            break;
        default:
            ActivationLabel->setText(tr("Hot Key:"));
            Activation->setText(win::ToQt(HotKeyNames(m.ActivationCode)));
    }
    NickName = Value(this, "NickName");
    NickName->setText(win::ToQt(m.Nickname.view()));
    Scope = Value(this, "Scope");
    Scope->setText(ScopeText(m));
    Active = Value(this, "Active");
    Active->setText(m.Enabled ? tr("Yes") : tr("No"));
    TextLabel = Value(this, "TextLabel");
    TextLabel->setText(tr("Macro Text:"));
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName("Memo");
    Memo->setReadOnly(true);
    // A popup menu's text holds item numbers and a system macro's nothing to read.
    if (m.Scope == scPopupMenu || m.Scope == scSystem) {
        TextLabel->clear();
        Memo->hide();
        Memo->setEnabled(false);
    } else {
        Memo->setPlainText(win::ToQt(GetMacroText(m)));
    }
    LastModified = Value(this, "LastModified");
    const QDateTime when(QDateTime::fromSecsSinceEpoch(
        std::chrono::duration_cast<std::chrono::seconds>(win::ToTimePoint(m.LastModified).time_since_epoch())
            .count()));
    LastModified->setText(tr("Last Modified On ") + QLocale().toString(when));

    auto* form = new QFormLayout;
    form->addRow(tr("Icon:"), IconButton);
    form->addRow(ActivationLabel, Activation);
    form->addRow(tr("NickName:"), NickName);
    form->addRow(tr("Scope:"), Scope);
    form->addRow(tr("Active:"), Active);
    form->addRow(TextLabel, Memo);
    QPushButton* ok = nullptr;
    auto* buttons = OkCancel(this, ok, false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(LastModified);
    layout->addLayout(buttons);
}

TUserManual::TUserManual(QWidget* owner, std::string programDir)
    : QDialog(owner), programDir_(std::move(programDir)) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("User Manual Notice"));
    const auto notice = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setWordWrap(true);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setMargin(6);
        return l;
    };
    QPushButton* ok = nullptr;
    auto* buttons = OkCancel(this, ok, true);
    connect(ok, &QPushButton::clicked, this, &TUserManual::OkButtonClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        notice(tr("The Tutorial / User Guide is a PDF document.  Reading it needs a PDF viewer; "
                  "every desktop offers one, and the package manager installs more.")));
    layout->addWidget(notice(tr("The Tutorial / User Guide is also found on the Tessaro web site.")));
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void TUserManual::OkButtonClick() {
    const std::string path = programDir_ + "/QTTUT.PDF";
    if (std::filesystem::is_regular_file(path))
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
    else
        win::MessageBox(
            "The Tutorial / User Manual could not be located.  Please make sure that it was installed.",
            "Error");
    accept();
}

TDoCategory::TDoCategory(QWidget* owner, const std::string& preset) : QDialog(owner), Name(preset) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Category Maintenance"));
    CatName = new QLineEdit(win::ToQt(preset), this);
    CatName->setObjectName("CatName");
    LimitTyping(*CatName, 255);
    QPushButton* ok = nullptr;
    auto* buttons = OkCancel(this, ok, true);
    connect(ok, &QPushButton::clicked, this, &TDoCategory::OkButtonClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Category Name"), this));
    layout->addWidget(CatName);
    layout->addLayout(buttons);
    CatName->setFocus();
}

void TDoCategory::OkButtonClick() {
    const std::string name = TrimBlanks(win::Utf8ToCp1252(CatName->text().toStdString()));
    if (name.empty()) {
        win::MessageBox("No name has been entered for the category.", "Error");
        CatName->setFocus();
        return;
    }
    Name = name;
    accept();
}

TChooseCategory::TChooseCategory(QWidget* owner, const std::vector<std::string>& names) : QDialog(owner) {
    forms::CentreWhenShown(*this);
    setWindowTitle(tr("Categories"));
    CatList = new QListWidget(this);
    CatList->setObjectName("CatList");
    for (const std::string& n : names) CatList->addItem(win::ToQt(n));
    CatList->sortItems();
    if (CatList->count() > 0) CatList->setCurrentRow(0);
    QPushButton* ok = nullptr;
    auto* buttons = OkCancel(this, ok, true);
    connect(ok, &QPushButton::clicked, this, &TChooseCategory::OkButtonClick);
    connect(CatList, &QListWidget::itemDoubleClicked, this, &TChooseCategory::OkButtonClick);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Categories"), this));
    layout->addWidget(CatList);
    layout->addLayout(buttons);
    CatList->setFocus();
}

void TChooseCategory::OkButtonClick() {
    if (!CatList->currentItem()) {
        win::MessageBox("No category has been selected.", "Error");
        return;
    }
    Chosen = win::Utf8ToCp1252(CatList->currentItem()->text().toStdString());
    accept();
}

}  // namespace tessaro
