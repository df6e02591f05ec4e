#include "editor/commands/delay_dialogs.h"
#include "widgets/kept_text.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace tessaro {

// ---- TDoDelay2 ----

TDoDelay2::TDoDelay2(QWidget* owner) : CommandDialog(owner, "TDoDelay2", tr("Set Delay")) {
    AddRadios(Body(), kDelay2Choices, QString());
    Seconds = NewEdit("Seconds");
    auto* row = new QFormLayout;
    row->addRow(NewLabel("Label1", tr("Delay Time"), Seconds), Seconds);
    Body()->addLayout(row);
}

void TDoDelay2::Preset(const Delay2Form& form) {
    CheckKind(kDelay2Choices, form.Kind);
    SetText(Seconds, form.Seconds);
}

void TDoDelay2::SetDefaults() { Preset(Delay2Defaults()); }

void TDoDelay2::FocusFirst() { Seconds->setFocus(Qt::OtherFocusReason); }

void TDoDelay2::EnableDisable() { LimitTyping(*Seconds, Delay2MaxLength(CheckedKind(kDelay2Choices))); }

void TDoDelay2::OkButtonClick() {
    const auto text = ReadText(Seconds);
    if (!text) return;
    Result = BuildDelay2({CheckedKind(kDelay2Choices), *text});
    Accept(Result);
}

// ---- TDoDelay ----

TDoDelay::TDoDelay(QWidget* owner, DelayPurpose purpose)
    : CommandDialog(owner, "TDoDelay", QString()), purpose_(purpose) {
    const DelayLook look = DelayLookOf(purpose);
    setWindowTitle(tr(look.caption));
    Seconds = NewEdit("Seconds");
    LimitTyping(*Seconds, look.maxLength);
    auto* row = new QHBoxLayout;
    Label1 = NewLabel("Label1", tr(look.label), Seconds);
    Label2 = NewLabel("Label2", tr("Seconds"), nullptr);
    Label2->setVisible(look.secondsLabel);
    row->addWidget(Label1);
    row->addWidget(Seconds);
    row->addWidget(Label2);
    Body()->addLayout(row);
}

TDoDelay::TDoDelay(QWidget* owner, TConfigRecord& settings)
    : TDoDelay(owner, DelayPurpose::SchedulerFrequency) {
    settings_ = &settings;
    Seconds->setText(QString::number(settings.TimerSeconds));
}

void TDoDelay::FocusFirst() { Seconds->setFocus(Qt::OtherFocusReason); }

void TDoDelay::OkButtonClick() {
    const auto text = ReadText(Seconds);
    if (!text) return;
    Result = BuildDelay(purpose_, *text);
    if (purpose_ != DelayPurpose::SchedulerFrequency) {
        Accept(Result);
        return;
    }
    if (Result.error) {
        Refuse(*Result.error);
        return;
    }
    if (settings_) settings_->TimerSeconds = static_cast<std::uint16_t>(Result.fields.TimerSeconds);
    AcceptWithoutCommand();
}

// ---- TDoSpeed ----

TDoSpeed::TDoSpeed(QWidget* owner) : CommandDialog(owner, "TDoSpeed", tr("Speed")) {
    AddRadios(Body(), kSpeedChoices, tr("Commands"));
    Count = NewEdit("Count");
    LimitTyping(*Count, 4);
    Lab1 = NewLabel("Lab1", tr(SpeedLabel(1)), Count);
    auto* row = new QFormLayout;
    row->addRow(Lab1, Count);
    Body()->addLayout(row);
}

void TDoSpeed::Preset(const SpeedForm& form) {
    CheckKind(kSpeedChoices, form.Kind);
    SetText(Count, form.Count);
}

void TDoSpeed::SetDefaults() { Preset(SpeedDefaults()); }

void TDoSpeed::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("KeyboardSpeed"));
}

void TDoSpeed::EnableDisable() { Lab1->setText(tr(SpeedLabel(CheckedKind(kSpeedChoices)))); }

void TDoSpeed::OkButtonClick() {
    const auto text = ReadText(Count);
    if (!text) return;
    Result = BuildSpeed({CheckedKind(kSpeedChoices), *text});
    Accept(Result);
}

}  // namespace tessaro
