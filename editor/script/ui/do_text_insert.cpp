#include "editor/script/ui/do_text_insert.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <filesystem>

#include "editor/commands/command_dialog.h"
#include "foundation/strings.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "widgets/file_chooser.h"
#include "widgets/kept_text.h"

namespace tessaro {

namespace {

// An opener still running this long after it was asked has handed the file on.
constexpr int kOpenerVerdictMs = 1500;
constexpr int kOpenerPollMs = 20;

constexpr const char* kNoPath = "No text file has been specified.  Please enter one.";
constexpr const char* kMissing = "Specified Path and Program does not exist.  Unable to open text file.";

QPushButton* Button(QWidget* owner, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, owner);
    b->setObjectName(name);
    return b;
}

}  // namespace

TDoTextInsert::TDoTextInsert(QWidget* owner, bool allowEdit, const std::string& presetPath) : QDialog(owner) {
    setWindowTitle(tr("Load Text from a Text File"));
    ProgPath = new QLineEdit(QString::fromStdString(win::Cp1252ToUtf8(presetPath)), this);
    ProgPath->setObjectName("ProgPath");
    LimitTyping(*ProgPath, 255);
    QPushButton* ok = Button(this, "OkButton", tr("&Ok"));
    ok->setDefault(true);
    QPushButton* cancel = Button(this, "CancelButton", tr("&Cancel"));
    QPushButton* browse = Button(this, "BrowseButton", tr("&Browse"));
    QPushButton* notepad = Button(this, "EditText", tr("&Edit In Notepad"));
    EditScript = Button(this, "EditScript", tr("Edit In &Scripting Editor"));
    QPushButton* help = Button(this, "HelpButton", tr("&Help"));
    EditScript->setVisible(allowEdit);
    EditScript->setEnabled(allowEdit);
    connect(ok, &QPushButton::clicked, this, &TDoTextInsert::OkButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &TDoTextInsert::BrowseButtonClick);
    connect(notepad, &QPushButton::clicked, this, &TDoTextInsert::EditTextClick);
    openerWatch_ = new QTimer(this);
    openerWatch_->setObjectName("OpenerWatch");
    openerWatch_->setInterval(kOpenerPollMs);
    connect(openerWatch_, &QTimer::timeout, this, &TDoTextInsert::OpenerAnswered);
    connect(EditScript, &QPushButton::clicked, this, &TDoTextInsert::EditScriptClick);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpTopic(this, "Insert Text File"); });
    auto* path = new QHBoxLayout;
    path->addWidget(ProgPath, 1);
    path->addWidget(browse);
    auto* edits = new QHBoxLayout;
    edits->addWidget(notepad);
    edits->addWidget(EditScript);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("File Path/Name"), this));
    layout->addLayout(path);
    layout->addLayout(edits);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

std::string TDoTextInsert::ExistingPath() const {
    const std::string path = TrimBlanks(win::Utf8ToCp1252(ProgPath->text().toStdString()));
    return !path.empty() && std::filesystem::is_regular_file(win::Cp1252ToUtf8(path)) ? path : std::string();
}

void TDoTextInsert::OkButtonClick() {
    std::string path = ExistingPath();
    // No path at all would make a command that plays nothing: there is nothing to keep.
    if (TrimBlanks(ProgPath->text().toStdString()).empty()) {
        win::MessageBox(kNoPath, "Error");
        ProgPath->setFocus();
        return;
    }
    if (path.empty()) {
        if (win::MessageBox("Specified Path and Program does not exist.  Do you wish to correct?", "Warning",
                            win::MbButtons::YesNo) == win::MbResult::Yes) {
            ProgPath->setFocus();
            return;
        }
        // Kept as typed: there is no other form of a path that does not exist.
        path = TrimBlanks(win::Utf8ToCp1252(ProgPath->text().toStdString()));
    }
    ChosenPath = path;
    CommandText = "<TFILE:" + path + ">";
    accept();
}

void TDoTextInsert::EditTextClick() {
    const std::string path = ExistingPath();
    if (path.empty()) {
        win::MessageBox(kMissing, "Error");
        ProgPath->setFocus();
        return;
    }
    const win::LaunchResult started = launcher_.OpenWithOpener(path);
    if (started.code <= 32) {
        win::MessageBox(kNoEditor, "Error");
        return;
    }
    opener_ = started.pid;
    openerAsked_.start();
    openerWatch_->start();
}

void TDoTextInsert::OpenerAnswered() {
    const std::optional<int> verdict = launcher_.OpenerVerdict(opener_);
    if (!verdict && openerAsked_.elapsed() < kOpenerVerdictMs) return;
    openerWatch_->stop();
    if (verdict && *verdict <= 32) win::MessageBox(kNoEditor, "Error");
}

void TDoTextInsert::EditScriptClick() {
    const std::string path = ExistingPath();
    if (path.empty()) {
        win::MessageBox(kMissing, "Error");
        ProgPath->setFocus();
        return;
    }
    if (MayEditInScript && !MayEditInScript(path)) {
        ProgPath->setFocus();
        return;
    }
    ChosenPath = path;
    EditInScript = true;
    accept();
}

void TDoTextInsert::BrowseButtonClick() {
    const std::string file =
        ChooseFile(this, {tr("Text Files"), tr("Text Files (*.TXT);;Any Files (*)"), "TXT", false, true});
    if (!file.empty()) ProgPath->setText(QString::fromStdString(file));
}

}  // namespace tessaro
