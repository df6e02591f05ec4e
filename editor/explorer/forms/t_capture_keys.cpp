#include "editor/explorer/forms/t_capture_keys.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/entry_text.h"
#include "editor/explorer/forms/form_support.h"
#include "platform/desktop.h"

namespace tessaro {

TCaptureKeys::TCaptureKeys(MacroFormsContext& context, CaptureHost& host, QWidget* parent)
    : QDialog(parent), context_(context), host_(host) {
    setWindowTitle("Capture Macro");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    NickName = new QLineEdit;
    LimitTyping(*NickName, 50);
    DoKey = new QCheckBox("Capture &Keystrokes");
    DoDouble = new QCheckBox("Capture &Double <ALT> for Menus");
    DoTheMouse = new QCheckBox("Capture &Mouse");
    ToScreen = new QRadioButton("Sc&reen");
    ToWindow = new QRadioButton("&Window");
    ToPosition = new QRadioButton("Positio&n");
    DoSize = new QCheckBox("Capture Window Si&ze");
    ClicksOnly = new QCheckBox("Onl&y Capture Mouse Clicks");
    DoTime = new QCheckBox("Captur&e At");
    ActualSpeed = new QRadioButton("&Actual Speed");
    HalfSpeed = new QRadioButton("&Half Speed");
    DoubleSpeed = new QRadioButton("Do&uble Speed");
    QuadSpeed = new QRadioButton("&Quadruple Speed");
    GlobalButton = new QRadioButton("&Global");
    ProgramButton = new QRadioButton("&Program");
    ProgList = new QComboBox;
    HotKeyLabel = new QLabel;
    HotLabel2 = new QLabel;
    HotLabel3 = new QLabel;
    StartButton = new QPushButton("&Start Capture");
    CancelButton = new QPushButton("&Cancel");
    StartButton->setDefault(true);
    HelpButton = forms::NewHelpButton(*this, [] { return std::string("Capture Macro"); });

    auto* relative = new QButtonGroup(this);
    for (QRadioButton* b : {ToScreen, ToWindow, ToPosition}) relative->addButton(b);
    auto* speeds = new QButtonGroup(this);
    for (QRadioButton* b : {ActualSpeed, HalfSpeed, DoubleSpeed, QuadSpeed}) speeds->addButton(b);
    auto* scope = new QButtonGroup(this);
    scope->addButton(GlobalButton);
    scope->addButton(ProgramButton);
    for (QAbstractButton* b :
         std::initializer_list<QAbstractButton*>{DoKey, DoTheMouse, DoTime, ToScreen, ToWindow, ToPosition})
        connect(b, &QAbstractButton::toggled, this, &TCaptureKeys::Enabling);
    connect(StartButton, &QPushButton::clicked, this, &TCaptureKeys::StartButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* panel = new QFrame;
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::AlternateBase));
    panel->setPalette(pal);
    auto* labels = new QVBoxLayout(panel);
    for (QLabel* l : {HotKeyLabel, HotLabel2, HotLabel3}) labels->addWidget(l);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Nickname"), 0, 0);
    grid->addWidget(NickName, 0, 1, 1, 2);
    grid->addWidget(DoKey, 1, 0);
    grid->addWidget(DoDouble, 1, 1, 1, 2);
    grid->addWidget(DoTheMouse, 2, 0);
    grid->addWidget(ToScreen, 2, 1);
    grid->addWidget(ToWindow, 3, 1);
    grid->addWidget(ToPosition, 4, 1);
    grid->addWidget(DoSize, 3, 2);
    grid->addWidget(ClicksOnly, 4, 2);
    grid->addWidget(DoTime, 5, 0);
    grid->addWidget(ActualSpeed, 5, 1);
    grid->addWidget(HalfSpeed, 5, 2);
    grid->addWidget(DoubleSpeed, 6, 1);
    grid->addWidget(QuadSpeed, 6, 2);
    grid->addWidget(GlobalButton, 7, 0);
    grid->addWidget(ProgramButton, 7, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(StartButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    auto* v = new QVBoxLayout(this);
    v->addWidget(panel);
    v->addLayout(grid);
    v->addWidget(new QLabel("Choose the program to start capturing in"));
    v->addWidget(ProgList);
    v->addLayout(buttons);
}

void TCaptureKeys::showEvent(QShowEvent* event) {
    if (!shown_) FormShow();
    QDialog::showEvent(event);
}

void TCaptureKeys::FormShow() {
    shown_ = true;
    CaptureStarted = false;
    const CaptureLabels labels = CaptureLabelsFor(context_.core.GlobData, CaptureMacroNumber);
    HotLabel2->setText(win::ToQt(labels.stop));
    HotLabel3->setText(win::ToQt(labels.own));
    const CaptureChoices c = CaptureChoicesFrom(context_.config, GlobalTaken);
    DoDouble->setChecked(c.doDouble);
    DoKey->setChecked(c.doKey);
    DoTheMouse->setChecked(c.doMouse);
    (c.relativeTo == 2 ? ToWindow : c.relativeTo == 3 ? ToPosition : ToScreen)->setChecked(true);
    ClicksOnly->setChecked(c.clicksOnly);
    DoTime->setChecked(c.doTime);
    DoSize->setChecked(c.doSize);
    (c.speed == 2   ? HalfSpeed
     : c.speed == 3 ? DoubleSpeed
     : c.speed == 4 ? QuadSpeed
                    : ActualSpeed)
        ->setChecked(true);
    GlobalButton->setEnabled(!GlobalTaken);
    (c.global ? GlobalButton : ProgramButton)->setChecked(true);
    Enabling();
    NickName->setText(Recapture ? win::ToQt(context_.core.CurrentMacro.Nickname.view()) : QString());
    NickName->setFocus();
    ProgList->clear();
    for (const std::string& item : CaptureWindowList(context_.desktop)) ProgList->addItem(win::ToQt(item));
    ProgList->setCurrentIndex(0);
    adjustSize();
    forms::CentreOnScreen(*this);
}

CaptureChoices TCaptureKeys::Choices() const {
    CaptureChoices c;
    c.doKey = DoKey->isChecked();
    c.doDouble = DoDouble->isChecked();
    c.doMouse = DoTheMouse->isChecked();
    c.relativeTo = ToWindow->isChecked() ? 2 : ToPosition->isChecked() ? 3 : 1;
    c.doSize = DoSize->isChecked();
    c.clicksOnly = ClicksOnly->isChecked();
    c.doTime = DoTime->isChecked();
    c.speed = HalfSpeed->isChecked() ? 2 : DoubleSpeed->isChecked() ? 3 : QuadSpeed->isChecked() ? 4 : 1;
    c.global = GlobalButton->isChecked();
    return c;
}

void TCaptureKeys::Enabling() {
    const CaptureEnabling e = EnablingOf(Choices());
    for (QWidget* w : std::initializer_list<QWidget*>{ToScreen, ToWindow, ToPosition, ClicksOnly})
        w->setEnabled(e.relativeTo);
    DoSize->setEnabled(e.doSize);
    DoDouble->setEnabled(e.doDouble);
    for (QWidget* w : std::initializer_list<QWidget*>{ActualSpeed, HalfSpeed, DoubleSpeed, QuadSpeed})
        w->setEnabled(e.speeds);
}

void TCaptureKeys::StartButtonClick() {
    const auto nickname = EntryOrRefuse(NickName);
    if (!nickname) return;
    const CaptureChoices c = Choices();
    TGlobData& glob = context_.core.GlobData;
    TMacroRecord& rec = context_.core.CurrentMacro;
    // Check and create everything that can fail before anything is armed or counted.
    TGlobData armed = glob;
    TMacroRecord named = rec;
    const CaptureArming a = ArmCapture(armed, named, c, CaptureMacroNumber, Recapture, *nickname);
    if (!a.ok) {
        forms::ErrorBox(a.error);
        return;
    }
    if (const std::string problem = CreateCaptureFile(host_.CaptureFilePath(), SpeedToken(c));
        !problem.empty()) {
        forms::ErrorBox(problem);
        return;
    }
    glob = armed;
    rec = named;
    // After the armed copy is in place, which would otherwise take the window back.
    host_.SetCapWind(true);
    host_.BeginCapture(a.captureSpeed, a.programScope);
    MacroCounted = a.macroCounted;
    if (a.macroCounted) host_.UpNumKeys();
    CaptureStarted = true;
    host_.UpCapture();
    const int chosen = ProgList->currentIndex();
    const std::string title = win::FromQt(ProgList->currentText());
    accept();
    if (chosen > 0) {
        win::Desktop& desktop = context_.desktop;
        for (win::HWND w : desktop.TopLevelWindows())
            if (desktop.WindowText(w) == title) {
                desktop.SetForegroundWindow(w);
                break;
            }
    } else {
        host_.MinimiseEditor();
    }
    host_.ShowRecordingIcon();
    glob.CaptureOn = 1;
    host_.UpCaptureOn();
}

void TCaptureKeys::done(int result) {
    if (!closed_) {
        closed_ = true;
        if (!CaptureStarted) host_.ReleaseLockUnchanged();
    }
    QDialog::done(result);
}

}  // namespace tessaro
