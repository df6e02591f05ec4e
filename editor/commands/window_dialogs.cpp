#include "editor/commands/window_dialogs.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "platform/cp1252.h"
#include "widgets/kept_text.h"

namespace tessaro {
namespace {

// The designation controls, added below the dialog's choices.
WindowTargetControls AddTarget(QWidget* dialog, QBoxLayout* body) {
    WindowTargetControls c;
    auto* group = new QGroupBox(dialog);
    group->setObjectName("TargetPanel");
    auto* layout = new QFormLayout(group);
    auto* current = new QRadioButton(QObject::tr("Current &Window"), group);
    current->setObjectName("CurrentWin");
    auto* specific = new QRadioButton(QObject::tr("Speci&fic Window"), group);
    specific->setObjectName("SpecificWin");
    auto* title = new QLineEdit(group);
    title->setObjectName("WinTitle");
    auto* label = new QLabel(QObject::tr("Window Title"), group);
    label->setBuddy(title);
    layout->addRow(current);
    layout->addRow(specific);
    layout->addRow(label, title);
    layout->addRow(QString(), new QLabel(QObject::tr("(Can be partial title)"), group));
    body->addWidget(group);
    c.CurrentWin = current;
    c.SpecificWin = specific;
    c.WinTitle = title;
    return c;
}

void PresetTarget(const WindowTargetControls& c, const WindowTarget& t) {
    (t.CurrentWin ? c.CurrentWin : c.SpecificWin)->setChecked(true);
    c.WinTitle->setText(QString::fromStdString(win::Cp1252ToUtf8(t.WinTitle)));
}

}  // namespace

// ---- TDoSizeIt ----

TDoSizeIt::TDoSizeIt(QWidget* owner) : CommandDialog(owner, "TDoSizeIt", tr("Size or Position a Window")) {
    AddRadios(Body(), kSizeChoices, QString());
    TheWidth = NewEdit("TheWidth", 4);
    TheHeight = NewEdit("TheHeight", 4);
    Lab1 = NewLabel("Lab1", tr("Width"), TheWidth);
    Lab2 = NewLabel("Lab2", tr("Height"), TheHeight);
    auto* rows = new QFormLayout;
    rows->addRow(Lab1, TheWidth);
    rows->addRow(Lab2, TheHeight);
    Body()->addLayout(rows);
    Target = AddTarget(this, Body());
}

void TDoSizeIt::Preset(const SizeItForm& f) {
    CheckKind(kSizeChoices, f.Kind);
    PresetTarget(Target, f.Target);
    SetText(TheWidth, f.TheWidth);
    SetText(TheHeight, f.TheHeight);
}

void TDoSizeIt::SetDefaults() { Preset(SizeItDefaults()); }

void TDoSizeIt::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("ResizeWin"));
}

void TDoSizeIt::EnableDisable() {
    const SizeLabels l = SizeLabelsOf(CheckedKind(kSizeChoices));
    Lab1->setText(tr(l.first));
    Lab2->setText(tr(l.second));
    LimitTyping(*TheWidth, l.maxLength);
    LimitTyping(*TheHeight, l.maxLength);
}

void TDoSizeIt::OkButtonClick() {
    SizeItForm f;
    f.Kind = CheckedKind(kSizeChoices);
    f.Target.CurrentWin = Target.CurrentWin->isChecked();
    if (!ReadTexts(
            {{Target.WinTitle, &f.Target.WinTitle}, {TheWidth, &f.TheWidth}, {TheHeight, &f.TheHeight}}))
        return;
    Result = BuildSizeIt(f);
    if (Result.ok() && Result.CommandText.empty()) {
        reject();  // neither choice checked: nothing to build
        return;
    }
    Accept(Result);
}

// ---- TDoSystemCommand ----

TDoSystemCommand::TDoSystemCommand(QWidget* owner)
    : CommandDialog(owner, "TDoSystemCommand", tr("Window Controls")) {
    AddRadios(Body(), kSystemCommandChoices, tr("Commands"));
    Target = AddTarget(this, Body());
}

void TDoSystemCommand::Preset(const SystemCommandForm& f) {
    CheckKind(kSystemCommandChoices, f.Kind);
    PresetTarget(Target, f.Target);
}

void TDoSystemCommand::SetDefaults() { Preset(SystemCommandDefaults()); }

void TDoSystemCommand::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("DoMaximize"));
}

void TDoSystemCommand::OkButtonClick() {
    const auto title = ReadText(Target.WinTitle);
    if (!title) return;
    Result =
        BuildSystemCommand({CheckedKind(kSystemCommandChoices), {Target.CurrentWin->isChecked(), *title}});
    Accept(Result);
}

}  // namespace tessaro
