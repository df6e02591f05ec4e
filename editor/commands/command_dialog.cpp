#include "editor/commands/command_dialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QShowEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "widgets/entry_text.h"
#include "widgets/screen_fit.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "widgets/kept_text.h"

namespace tessaro {
namespace {

// The keywords each dialog's Help button passes.
constexpr std::pair<std::string_view, std::string_view> kHelpKeywords[] = {
    {"TDoDelay2", "Set Delays"},
    {"TDoSpeed", "Keyboard and Mouse Speed"},
    {"TDoRepeat", "Repeat Options"},
    {"TModText", "Text Insertion"},
    {"TDoActive", "Activating Windows"},
    {"TDoSizeIt", "Size or Position"},
    {"TDoSystemCommand", "System Commands"},
    {"TDoMouse", "Mouse Commands"},
    {"TDoClipboard", "Clipboard Options"},
    {"TDoNetConn", "Network Connection"},
    {"TDateOrTime.Time", "Time Format"},
    {"TDateOrTime.Date", "Date Format"},
    {"TDoSound", "Set Sound"},
    {"TDoPausePos", "Macro Pause"},
    {"TDoSwap", "Swap Macro File"},
    {"TDoRemark", "Remarks"},
    {"TDoKeyUpDown", "Keys Up Or Down"},
    {"TDoWebStuff.Ftp", "Web FTP"},
    {"TDoWebStuff.Web", "Web Site URL"},
    {"TDoWaitWin", "Wait For Window"},
    {"TDoDOSFiles", "File Commands"},
    {"TDoNick", "Connect Macro"},
    {"TDoSysControls", "System Controls"},
    {"TDoScreen", "Screen Setting"},
    {"TDoDefPrint", "Default Printer"},
    {"TDoAVI", "AVI Files"},
    {"TDoCDRom", "CDROM Commands"},
    {"TDoVolume", "Speaker Controls"},
    {"TDoRecycle", "Desktop Commands"},
    {"TDoExplore", "Explorer"},
    {"TDoReboot", "Reboot"},
    {"TDoTBox", "Text Box"},
    {"TDoDialup", "Dial-Up Networking"},
    {"TDoEncrypt", "Encrypted Text"},
    {"TDoTheEmail", "E-Mail Commands"},
    {"TDoTextInsert", "Insert Text File"},
};

// Until the editor installs its viewer: say where the topic is, in a box.
class BoxHelpViewer final : public HelpViewer {
public:
    void ShowTopic(QWidget*, const std::string& helpFile, std::string_view keyword) override {
        if (QFileInfo::exists(QString::fromStdString(helpFile)) &&
            QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(helpFile))))
            return;
        win::MessageBox(
            "No help viewer is available for \"" + std::string(keyword) + "\" in " + helpFile + ".", "Help");
    }
};

HelpViewer*& InstalledViewer() {
    static BoxHelpViewer fallback;
    static HelpViewer* viewer = &fallback;
    return viewer;
}

}  // namespace

std::string_view HelpKeyword(std::string_view formClass) {
    for (const auto& [form, keyword] : kHelpKeywords)
        if (form == formClass) return keyword;
    return {};
}

ScopedHelpViewer::ScopedHelpViewer(HelpViewer& viewer) : previous_(InstalledViewer()) {
    InstalledViewer() = &viewer;
}
ScopedHelpViewer::~ScopedHelpViewer() { InstalledViewer() = previous_; }

std::string HelpFilePath() { return win::ProgramDirectory() + "/TESSARO.HLP"; }

void ShowHelpTopic(QWidget* owner, std::string_view keyword) {
    InstalledViewer()->ShowTopic(owner, HelpFilePath(), keyword);
}

QWidget* ControlNamed(QWidget* dialog, std::string_view name) {
    if (name.empty()) return nullptr;
    return dialog->findChild<QWidget*>(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

CommandDialog::CommandDialog(QWidget* owner, const char* formClass, const QString& caption)
    : QDialog(owner), formClass_(formClass) {
    setObjectName(QString::fromLatin1(formClass).mid(1));  // "TDoDelay2" -> "DoDelay2"
    setWindowTitle(caption);
    auto* outer = new QVBoxLayout(this);
    body_ = new QVBoxLayout;
    outer->addLayout(body_);
    auto* row = new QHBoxLayout;
    row->addStretch();
    OkButton = new QPushButton(tr("&Ok"), this);
    OkButton->setObjectName("OkButton");
    OkButton->setDefault(true);
    CancelButton = new QPushButton(tr("&Cancel"), this);
    CancelButton->setObjectName("CancelButton");
    HelpButton = new QPushButton(tr("&Help"), this);
    HelpButton->setObjectName("HelpButton");
    for (auto* b : {OkButton, CancelButton, HelpButton}) row->addWidget(b);
    row->addStretch();
    outer->addLayout(row);
    helpKey_ = formClass;
    HelpButton->setVisible(!HelpKeyword(helpKey_).empty());
    connect(OkButton, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpButton, &QPushButton::clicked, this, &CommandDialog::HelpButtonClick);
}

void CommandDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void CommandDialog::FormShow() {
    CommandText.clear();
    if (NewCommand == 1) SetDefaults();
    FocusFirst();
    EnableDisable();
    // The size the chosen panels need, then the centre.
    FitToLayout(*this);
    CentreOnScreen(*this);
}

void CommandDialog::HelpButtonClick() { ShowHelpTopic(this, HelpKeyword(helpKey_)); }

void CommandDialog::SetHelpKey(std::string key) {
    helpKey_ = std::move(key);
    HelpButton->setVisible(!HelpKeyword(helpKey_).empty());
}

bool CommandDialog::Refuse(const FormError& error) {
    win::MessageBox(error.message, "Error", win::MbButtons::Ok);
    if (QWidget* w = ControlNamed(this, error.focus)) w->setFocus(Qt::OtherFocusReason);
    return false;
}

std::optional<std::string> CommandDialog::Cp1252OrRefuse(QWidget* control, const QString& text) {
    return EntryOrRefuse(control, text);
}

bool CommandDialog::ReadTexts(std::initializer_list<std::pair<QLineEdit*, std::string*>> fields) {
    for (const auto& [edit, into] : fields) {
        auto text = ReadText(edit);
        if (!text) return false;
        *into = std::move(*text);
    }
    return true;
}

std::optional<std::string> CommandDialog::ReadText(QLineEdit* edit) {
    return Cp1252OrRefuse(edit, edit->text());
}

std::optional<std::string> CommandDialog::ReadText(QTextEdit* memo) {
    return Cp1252OrRefuse(memo, memo->toPlainText());
}

QWidget* CommandDialog::AddRadios(QBoxLayout* into, std::span<const RadioChoice> table, const QString& title,
                                  const char* groupName, int columns) {
    QWidget* group = nullptr;
    if (title.isEmpty()) {
        group = new QWidget(this);
    } else {
        group = new QGroupBox(title, this);
    }
    group->setObjectName(groupName);
    // One column is a box its dialog may add to; more fill down the first column, then the
    // next, so the table's order reads on.
    QBoxLayout* column = columns > 1 ? nullptr : new QVBoxLayout(group);
    QGridLayout* grid = columns > 1 ? new QGridLayout(group) : nullptr;
    const int rows = (int(table.size()) + columns - 1) / std::max(columns, 1);
    int i = 0;
    for (const RadioChoice& c : table) {
        auto* radio =
            new QRadioButton(QString::fromLatin1(c.caption.data(), qsizetype(c.caption.size())), group);
        radio->setObjectName(QString::fromLatin1(c.control.data(), qsizetype(c.control.size())));
        if (grid)
            grid->addWidget(radio, i % rows, i / rows);
        else
            column->addWidget(radio);
        ++i;
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on) EnableDisable();
        });
    }
    into->addWidget(group);
    return group;
}

QAbstractButton* CommandDialog::Radio(std::string_view control) const {
    return findChild<QAbstractButton*>(QString::fromLatin1(control.data(), qsizetype(control.size())));
}

std::int32_t CommandDialog::CheckedKind(std::span<const RadioChoice> table) const {
    for (const RadioChoice& c : table)
        if (const auto* r = Radio(c.control); r && r->isChecked()) return c.kind;
    return 0;
}

void CommandDialog::CheckKind(std::span<const RadioChoice> table, std::int32_t kind) {
    if (const RadioChoice* c = ChoiceOfKind(table, kind))
        if (auto* r = Radio(c->control)) r->setChecked(true);
}

QLineEdit* CommandDialog::NewEdit(const char* name, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    if (maxLength > 0) LimitTyping(*edit, maxLength);
    return edit;
}

QLabel* CommandDialog::NewLabel(const char* name, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(name);
    if (buddy) label->setBuddy(buddy);
    return label;
}

QCheckBox* CommandDialog::NewCheck(const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(name);
    connect(box, &QCheckBox::toggled, this, [this] { EnableDisable(); });
    return box;
}

QPushButton* CommandDialog::NewButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void CommandDialog::SetText(QLineEdit* edit, std::string_view cp1252) {
    edit->setText(QString::fromStdString(win::Cp1252ToUtf8(cp1252)));
}

void CommandDialog::ShowEnable(QWidget* w, bool on) {
    w->setVisible(on);
    w->setEnabled(on);
}

void CommandDialog::CheckAndFocus(QAbstractButton* radio) {
    radio->setChecked(true);
    radio->setFocus(Qt::OtherFocusReason);
}

}  // namespace tessaro
