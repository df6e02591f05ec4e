#include "editor/commands/active_dialog.h"
#include "widgets/screen_fit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaro {

TDoActive::TDoActive(QWidget* owner) : CommandDialog(owner, "TDoActive", tr("Activate/Launch Program")) {
    AddRadios(Body(), kActiveChoices, tr("Action"));

    Panel2 = new QGroupBox(tr("Activate Window"), this);
    Panel2->setObjectName("Panel2");
    WinTitle = NewEdit("WinTitle", 100);
    auto* p2 = new QFormLayout(Panel2);
    p2->addRow(NewLabel("Label1", tr("Window Title"), WinTitle), WinTitle);
    p2->addRow(QString(), NewLabel("Label2", tr("(May be partial title)")));
    Body()->addWidget(Panel2);

    Panel3 = new QGroupBox(tr("Launch Program"), this);
    Panel3->setObjectName("Panel3");
    ProgPath = NewEdit("ProgPath");
    Params = NewEdit("Params");
    DelaySecs = NewEdit("DelaySecs", 2);
    MaxSecs = NewEdit("MaxSecs", 2);
    MaxSecsLabel = NewLabel("MaxSecsLabel", tr("Max seconds to wait for program to activate"), MaxSecs);
    Bypass = NewCheck("Bypass", tr("Bypa&ss File Existence Check"));
    RunStyle = new QComboBox(this);
    RunStyle->setObjectName("RunStyle");
    RunStyle->addItems({tr("Normal"), tr("Minimized"), tr("Maximized")});
    BrowseButton = NewButton("BrowseButton", tr("&Browse"));
    // A path is read whole: its row takes the panel's width, not what the labels of the
    // rows below leave.
    ProgPath->setMinimumWidth(ProgPath->fontMetrics().averageCharWidth() * 36);
    auto* path = new QHBoxLayout;
    path->addWidget(NewLabel("Label3", tr("Program Path/Name"), ProgPath));
    path->addWidget(ProgPath, 1);
    path->addWidget(BrowseButton);
    auto* panel3 = new QVBoxLayout(Panel3);
    panel3->addLayout(path);
    auto* p3 = new QFormLayout;
    panel3->addLayout(p3);
    p3->addRow(NewLabel("Label4", tr("Program Parameters"), Params), Params);
    p3->addRow(NewLabel("Label5", tr("Delay (in seconds)"), DelaySecs), DelaySecs);
    p3->addRow(MaxSecsLabel, MaxSecs);
    p3->addRow(NewLabel("Label6", tr("Run"), RunStyle), RunStyle);
    p3->addRow(Bypass);
    auto* note =
        NewLabel("Label7", tr("Note: If you need to specify a default directory/folder, then use the "
                              "\"Change Directory/Folder\" macro command prior to this macro command."));
    note->setWordWrap(true);
    // A top-level window's least size does not follow a wrapped label's height for its width:
    // the note keeps room for the lines it takes at its narrowest.
    const int narrowest = note->fontMetrics().averageCharWidth() * 60;
    note->setMinimumSize(narrowest, note->heightForWidth(narrowest));
    p3->addRow(note);
    Body()->addWidget(Panel3);
    connect(BrowseButton, &QPushButton::clicked, this, &TDoActive::BrowseButtonClick);
}

void TDoActive::Preset(const ActiveForm& f) {
    CheckKind(kActiveChoices, f.Kind);
    SetText(WinTitle, f.WinTitle);
    SetText(ProgPath, f.ProgPath);
    SetText(Params, f.Params);
    SetText(DelaySecs, f.DelaySecs);
    SetText(MaxSecs, f.MaxSecs);
    Bypass->setChecked(f.Bypass);
    RunStyle->setCurrentIndex(f.RunStyle);
}

void TDoActive::SetDefaults() { Preset(ActiveDefaults()); }

void TDoActive::FocusFirst() {
    (CheckedKind(kActiveChoices) == 2 ? ProgPath : WinTitle)->setFocus(Qt::OtherFocusReason);
}

void TDoActive::EnableDisable() {
    const ActiveLayout l = ActiveLayoutOf(CheckedKind(kActiveChoices));
    ShowEnable(Panel2, l.title);
    ShowEnable(Panel3, l.program);
    ShowEnable(MaxSecs, l.maxSeconds);
    ShowEnable(MaxSecsLabel, l.maxSeconds);
    FitToLayout(*this);
}

void TDoActive::BrowseButtonClick() {
    const QString file = QFileDialog::getOpenFileName(
        this, QString(), ProgPath->text(), tr("Programs (*);;Help Files (*.hlp *.HLP);;All Files (*)"));
    if (!file.isEmpty()) ProgPath->setText(file);
}

void TDoActive::OkButtonClick() {
    ActiveForm f;
    f.Kind = CheckedKind(kActiveChoices);
    if (!ReadTexts({{WinTitle, &f.WinTitle},
                    {ProgPath, &f.ProgPath},
                    {Params, &f.Params},
                    {DelaySecs, &f.DelaySecs},
                    {MaxSecs, &f.MaxSecs}}))
        return;
    f.Bypass = Bypass->isChecked();
    f.RunStyle = std::max(0, RunStyle->currentIndex());
    Result = BuildActive(f);
    Accept(Result);
}

}  // namespace tessaro
