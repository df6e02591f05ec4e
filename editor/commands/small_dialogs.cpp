#include "editor/commands/small_dialogs.h"
#include "widgets/screen_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/cp1252.h"
#include "platform/message_box.h"

namespace tessaro {

// ---- TDoSound ----

TDoSound::TDoSound(QWidget* owner) : CommandDialog(owner, "TDoSound", tr("Set Sound")) {
    AddRadios(Body(), kSoundChoices, QString());
    ProgPath = NewEdit("ProgPath");
    Browse = NewButton("Browse", tr("&Browse"));
    Test = NewButton("Test", tr("&Test"));
    WaitFor = NewCheck("WaitFor", tr("Wait for wave file to &finish"));
    auto* row = new QHBoxLayout;
    row->addWidget(ProgPath);
    row->addWidget(Browse);
    row->addWidget(Test);
    Body()->addLayout(row);
    Body()->addWidget(WaitFor);
    connect(Browse, &QPushButton::clicked, this, &TDoSound::BrowseClick);
    connect(Test, &QPushButton::clicked, this, &TDoSound::TestClick);
}

TDoSound::TDoSound(QWidget* owner, TConfigRecord& alarmSettings) : TDoSound(owner) {
    alarm_ = &alarmSettings;
    NewCommand = 0;
    setWindowTitle(tr("Scheduler Alarm"));
    Radio("Beep")->setText(tr("None"));
    SetHelpKey("");
    HelpButton->setEnabled(false);
    Preset(AlarmPreset(alarmSettings));
}

TDoSound::~TDoSound() = default;

void TDoSound::Preset(const SoundForm& f) {
    CheckKind(kSoundChoices, f.Kind);
    SetText(ProgPath, f.ProgPath);
    WaitFor->setChecked(f.WaitFor);
}

void TDoSound::SetDefaults() {
    if (!alarm_) Preset(SoundDefaults());
}

void TDoSound::FocusFirst() {
    if (!alarm_ && NewCommand == 1) CheckAndFocus(Radio("Beep"));
}

void TDoSound::BrowseClick() {
    const QString file = QFileDialog::getOpenFileName(this, tr("Select Wave File"), ProgPath->text(),
                                                      tr("Wave Files (*.wav *.WAV)"));
    if (file.isEmpty()) return;
    ProgPath->setText(file);
    Radio("WaveFile")->setChecked(true);
}

void TDoSound::TestClick() {
    const auto path = ReadText(ProgPath);
    if (!path) return;
    const std::string file = FieldText(*path);
    if (!RegularFileExists(file)) {
        Refuse({kNoWaveFile, "ProgPath"});
        return;
    }
    // Without a sound device nothing plays and nothing is reported.
    if (sound_.Start(win::Cp1252ToUtf8(file)) == win::SoundStart::Unavailable)
        win::MessageBox(sound_.Unavailable(), "Error", win::MbButtons::Ok);
}

void TDoSound::OkButtonClick() {
    const auto path = ReadText(ProgPath);
    if (!path) return;
    const SoundForm f{CheckedKind(kSoundChoices), *path, WaitFor->isChecked()};
    if (alarm_) {
        if (auto bad = StoreAlarm(f, *alarm_)) {
            Refuse(*bad);
            return;
        }
        AcceptWithoutCommand();
        return;
    }
    Result = BuildSound(f);
    Accept(Result);
}

// ---- TDoPausePos ----

TDoPausePos::TDoPausePos(QWidget* owner) : CommandDialog(owner, "TDoPausePos", tr("Pause Window")) {
    AddRadios(Body(), kPauseChoices, QString());
    Details = new QWidget(this);
    Details->setObjectName("Details");
    TopCoord = NewEdit("TopCoord", 3);
    LeftCoord = NewEdit("LeftCoord", 3);
    PauseMessage = NewEdit("PauseMessage", 180);
    auto* rows = new QFormLayout(Details);
    rows->addRow(NewLabel("LocationLabel", tr("Location")));
    // The first number of the pause token is the window's top.
    rows->addRow(NewLabel("TopLabel", tr("Top Coordinate"), TopCoord), TopCoord);
    rows->addRow(NewLabel("LeftLabel", tr("Left Coordinate"), LeftCoord), LeftCoord);
    rows->addRow(NewLabel("MessageLabel", tr("Message"), PauseMessage), PauseMessage);
    Body()->addWidget(Details);
}

void TDoPausePos::Preset(const PauseForm& f) {
    CheckKind(kPauseChoices, f.Kind);
    SetText(TopCoord, f.TopCoord);
    SetText(LeftCoord, f.LeftCoord);
    SetText(PauseMessage, f.PauseMessage);
}

void TDoPausePos::SetDefaults() { Preset(PauseDefaults()); }

void TDoPausePos::FocusFirst() {
    if (NewCommand == 1) TopCoord->setFocus(Qt::OtherFocusReason);
}

void TDoPausePos::EnableDisable() {
    ShowEnable(Details, CheckedKind(kPauseChoices) == 2);
    FitToLayout(*this);
}

void TDoPausePos::OkButtonClick() {
    PauseForm f;
    f.Kind = CheckedKind(kPauseChoices);
    if (!ReadTexts({{TopCoord, &f.TopCoord}, {LeftCoord, &f.LeftCoord}, {PauseMessage, &f.PauseMessage}}))
        return;
    Result = BuildPause(f);
    Accept(Result);
}

// ---- TDoSwap ----

TDoSwap::TDoSwap(QWidget* owner) : CommandDialog(owner, "TDoSwap", tr("Load A New Macro File")) {
    ProgPath = NewEdit("ProgPath");
    BrowseButton = NewButton("BrowseButton", tr("&Browse"));
    auto* row = new QHBoxLayout;
    row->addWidget(NewLabel("Label1", tr("File Path/Name"), ProgPath));
    row->addWidget(ProgPath);
    row->addWidget(BrowseButton);
    Body()->addLayout(row);
    connect(BrowseButton, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, tr("Tessaro Files"), ProgPath->text(),
                                                          tr("Tessaro (*.qtm *.QTM)"));
        if (!file.isEmpty()) ProgPath->setText(file);
    });
}

void TDoSwap::FocusFirst() { ProgPath->setFocus(Qt::OtherFocusReason); }

void TDoSwap::OkButtonClick() {
    const auto path = ReadText(ProgPath);
    if (!path) return;
    Result = BuildSwap(*path);
    Accept(Result);
}

// ---- TDoRemark ----

TDoRemark::TDoRemark(QWidget* owner) : CommandDialog(owner, "TDoRemark", tr("Remark")) {
    Comments = NewEdit("Comments", 240);
    Comments->setMinimumWidth(360);
    auto* row = new QFormLayout;
    row->addRow(NewLabel("Label1", tr("Comment"), Comments), Comments);
    Body()->addLayout(row);
}

void TDoRemark::FocusFirst() { Comments->setFocus(Qt::OtherFocusReason); }

void TDoRemark::OkButtonClick() {
    const auto text = ReadText(Comments);
    if (!text) return;
    Result = BuildRemark(*text);
    Accept(Result);
}

// ---- TDoKeyUpDown ----

TDoKeyUpDown::TDoKeyUpDown(QWidget* owner) : CommandDialog(owner, "TDoKeyUpDown", tr("Keys Up Or Down")) {
    AddRadios(Body(), kKeyUpDownChoices, tr("Options"));
}

void TDoKeyUpDown::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("CtrlDown"));
}

void TDoKeyUpDown::OkButtonClick() {
    Result = BuildKeyUpDown(CheckedKind(kKeyUpDownChoices));
    Accept(Result);
}

// ---- TDoWebStuff ----

TDoWebStuff::TDoWebStuff(QWidget* owner, bool isFtp)
    : CommandDialog(owner, "TDoWebStuff", tr(WebLookOf(isFtp).caption)), isFtp_(isFtp) {
    SetHelpKey(isFtp ? "TDoWebStuff.Ftp" : "TDoWebStuff.Web");
    ProgPath = NewEdit("ProgPath");
    ProgPath->setMinimumWidth(320);
    Label2 = NewLabel("Label2", tr(WebLookOf(isFtp).label), ProgPath);
    auto* row = new QFormLayout;
    row->addRow(Label2, ProgPath);
    Body()->addLayout(row);
}

void TDoWebStuff::SetDefaults() {
    ProgPath->setText(QString::fromLatin1(WebLookOf(isFtp_).start));
    stored_.clear();
}

void TDoWebStuff::FocusFirst() { ProgPath->setFocus(Qt::OtherFocusReason); }

void TDoWebStuff::OkButtonClick() {
    const auto text = ReadText(ProgPath);
    if (!text) return;
    Result = BuildWeb(isFtp_, *text, stored_);
    Accept(Result);
}

}  // namespace tessaro
