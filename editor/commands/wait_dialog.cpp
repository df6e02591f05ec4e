#include "editor/commands/wait_dialog.h"
#include "widgets/screen_fit.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

#include "editor/commands/form_parts.h"

namespace tessaro {

using namespace parts;

namespace {

QGroupBox* Panel(QWidget* parent, const char* name, const QString& title) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    return box;
}

}  // namespace

TDoWaitWin::TDoWaitWin(QWidget* owner, ProgramPicker& picker)
    : CommandDialog(owner, "TDoWaitWin", tr("Wait For")), picker_(picker) {
    AddRadios(Body(), kWaitChoices, QString());

    TitlePanel = Panel(this, "TitlePanel", tr("Window Title"));
    WinTitle = Edit(TitlePanel, "WinTitle", 50);
    auto* tl = new QVBoxLayout(TitlePanel);
    tl->addWidget(WinTitle);
    tl->addWidget(new QLabel(tr("(may be partial title)"), TitlePanel));

    ProgPanel = Panel(this, "ProgPanel", tr("Program Name"));
    ProgName = Edit(ProgPanel, "ProgName");
    Button1 = Button(ProgPanel, "Button1", tr("Li&st Programs"));
    auto* pl = new QGridLayout(ProgPanel);
    pl->addWidget(ProgName, 0, 0);
    pl->addWidget(Button1, 0, 1);
    pl->addWidget(new QLabel(tr("(may be partial name)"), ProgPanel), 1, 0);
    connect(Button1, &QPushButton::clicked, this, &TDoWaitWin::Button1Click);

    TextPanel = Panel(this, "TextPanel", tr("Text To Wait For"));
    TheText = Edit(TextPanel, "TheText");
    // Alone in its panel: once set it stays set while the dialog is open.
    CaseSense = new QRadioButton(tr("Case Sensiti&ve"), TextPanel);
    CaseSense->setObjectName("CaseSense");
    auto* xl = new QVBoxLayout(TextPanel);
    xl->addWidget(TheText);
    xl->addWidget(CaseSense);

    KeyPanel = Panel(this, "KeyPanel", tr("Key To Wait For"));
    TheKey = new QComboBox(KeyPanel);
    TheKey->setObjectName("TheKey");
    for (int i = 0; i < kWaitKeyCount; ++i) {
        const std::string_view name = WaitKeyName(i);
        TheKey->addItem(QString::fromLatin1(name.data(), qsizetype(name.size())));
    }
    (new QVBoxLayout(KeyPanel))->addWidget(TheKey);

    ElapsePanel = Panel(this, "ElapsePanel", QString());
    Minutes = Edit(ElapsePanel, "Minutes", 4);
    Seconds = Edit(ElapsePanel, "Seconds", 2);
    Minutes->setText("10");
    Seconds->setText("0");
    auto* el = new QFormLayout(ElapsePanel);
    el->addRow(Label(ElapsePanel, tr("Minutes To Wait"), Minutes), Minutes);
    el->addRow(Label(ElapsePanel, tr("Seconds"), Seconds), Seconds);

    TimePanel = Panel(this, "TimePanel", QString());
    WaitIndef = new QRadioButton(tr("Wait Indefinitely"), TimePanel);
    WaitIndef->setObjectName("WaitIndef");
    WaitMax = new QRadioButton(tr("Wait a maximum of"), TimePanel);
    WaitMax->setObjectName("WaitMax");
    WaitMin = Edit(TimePanel, "WaitMin", 3);
    auto* ml = new QGridLayout(TimePanel);
    ml->addWidget(WaitIndef, 0, 0);
    ml->addWidget(WaitMax, 1, 0);
    ml->addWidget(WaitMin, 1, 1);
    ml->addWidget(new QLabel(tr("minutes"), TimePanel), 1, 2);

    for (QWidget* panel : {static_cast<QWidget*>(TitlePanel), static_cast<QWidget*>(ProgPanel),
                           static_cast<QWidget*>(TextPanel), static_cast<QWidget*>(KeyPanel),
                           static_cast<QWidget*>(ElapsePanel), static_cast<QWidget*>(TimePanel)})
        Body()->addWidget(panel);
}

void TDoWaitWin::Preset(const WaitForm& form) {
    CheckKind(kWaitChoices, form.Kind);
    WinTitle->setText(win::ToQt(form.WinTitle));
    ProgName->setText(win::ToQt(form.ProgName));
    TheText->setText(win::ToQt(form.TheText));
    if (form.CaseSense) CaseSense->setChecked(true);
    TheKey->setCurrentIndex(form.TheKey);
    Minutes->setText(win::ToQt(form.Minutes));
    Seconds->setText(win::ToQt(form.Seconds));
    (form.WaitMax ? WaitMax : WaitIndef)->setChecked(true);
    WaitMin->setText(win::ToQt(form.WaitMin));
}

void TDoWaitWin::SetDefaults() {
    WaitMax->setChecked(true);
    WaitMin->setText("10");
    TheKey->setCurrentIndex(kWaitKeyEnter);
}

void TDoWaitWin::EnableDisable() {
    const std::int32_t kind = CheckedKind(kWaitChoices);
    const WaitPanel shown = WaitPanelOf(kind);
    const std::pair<QWidget*, WaitPanel> panels[] = {{TitlePanel, WaitPanel::Title},
                                                     {ProgPanel, WaitPanel::Program},
                                                     {TextPanel, WaitPanel::Text},
                                                     {KeyPanel, WaitPanel::Key},
                                                     {ElapsePanel, WaitPanel::Elapse}};
    for (const auto& [panel, which] : panels) {
        panel->setVisible(which == shown);
        panel->setEnabled(which == shown);
    }
    TimePanel->setVisible(WaitTimePanelShown(kind));
    FitToLayout(*this);
}

void TDoWaitWin::Button1Click() {
    if (auto program = picker_.PickProgram(this)) ProgName->setText(win::ToQt(*program));
}

void TDoWaitWin::OkButtonClick() {
    WaitForm form;
    form.Kind = CheckedKind(kWaitChoices);
    for (auto [edit, into] : {std::pair{WinTitle, &form.WinTitle}, std::pair{ProgName, &form.ProgName},
                              std::pair{TheText, &form.TheText}, std::pair{Minutes, &form.Minutes},
                              std::pair{Seconds, &form.Seconds}, std::pair{WaitMin, &form.WaitMin}}) {
        const auto text = ReadText(edit);
        if (!text) return;
        *into = *text;
    }
    form.CaseSense = CaseSense->isChecked();
    form.TheKey = TheKey->currentIndex();
    form.WaitMax = WaitMax->isChecked();
    Result = BuildWait(form);
    Accept(Result);
}

}  // namespace tessaro
