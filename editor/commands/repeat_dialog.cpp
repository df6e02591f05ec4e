#include "editor/commands/repeat_dialog.h"
#include "widgets/screen_fit.h"

#include <QAbstractButton>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace tessaro {

TDoRepeat::TDoRepeat(QWidget* owner) : CommandDialog(owner, "TDoRepeat", tr("Repeat Options")) {
    AddRadios(Body(), kRepeatChoices, tr("Commands"));
    Count = NewEdit("Count", 4);
    CStart = NewEdit("CStart", 6);
    CStep = NewEdit("CStep", 6);
    RepeatLabel = NewLabel("RepeatLabel", tr("Repeat Count"), Count);
    CStartLabel = NewLabel("CStartLabel", tr("Counter Start"), CStart);
    CStepLabel = NewLabel("CStepLabel", tr("Counter Step"), CStep);
    auto* rows = new QFormLayout;
    rows->addRow(RepeatLabel, Count);
    rows->addRow(CStartLabel, CStart);
    rows->addRow(CStepLabel, CStep);
    Body()->addLayout(rows);
}

void TDoRepeat::Preset(const RepeatForm& form) {
    CheckKind(kRepeatChoices, form.Kind);
    SetText(Count, form.Count);
    SetText(CStart, form.CStart);
    SetText(CStep, form.CStep);
}

void TDoRepeat::SetDefaults() { Preset(RepeatDefaults()); }

void TDoRepeat::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("StartRepeat"));
}

void TDoRepeat::EnableDisable() {
    const RepeatLayout l = RepeatLayoutOf(CheckedKind(kRepeatChoices));
    const bool count = *l.countLabel != '\0';
    ShowEnable(RepeatLabel, count);
    ShowEnable(Count, count);
    if (count) RepeatLabel->setText(tr(l.countLabel));
    for (QWidget* w : {static_cast<QWidget*>(CStart), static_cast<QWidget*>(CStep),
                       static_cast<QWidget*>(CStartLabel), static_cast<QWidget*>(CStepLabel)})
        ShowEnable(w, l.counterFields);
    FitToLayout(*this);
}

void TDoRepeat::OkButtonClick() {
    const auto count = ReadText(Count);
    if (!count) return;
    const auto start = ReadText(CStart);
    if (!start) return;
    const auto step = ReadText(CStep);
    if (!step) return;
    Result = BuildRepeat({CheckedKind(kRepeatChoices), *count, *start, *step});
    Accept(Result);
}

}  // namespace tessaro
