#include "editor/commands/mouse_dialog.h"

#include <QAbstractButton>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/helper_programs.h"
#include "platform/paths.h"

namespace tessaro {

TDoMouse::TDoMouse(QWidget* owner) : CommandDialog(owner, "TDoMouse", tr("Mouse Commands")) {
    auto* columns = new QHBoxLayout;
    Body()->addLayout(columns);
    AddRadios(columns, kMouseChoices, tr("Commands"));
    auto* right = new QVBoxLayout;
    columns->addLayout(right);
    Panel2 = AddRadios(right, kMoveChoices, tr("Movement"), "Panel2");
    XPos = NewEdit("XPos", 5);
    YPos = NewEdit("YPos", 5);
    XPosLabel = NewLabel("XPosLabel", tr("X Pos"), XPos);
    YPosLabel = NewLabel("YPosLabel", tr("Y Pos"), YPos);
    auto* coords = new QFormLayout;
    coords->addRow(XPosLabel, XPos);
    coords->addRow(YPosLabel, YPos);
    static_cast<QBoxLayout*>(Panel2->layout())->addLayout(coords);
    auto* wheel = new QGroupBox(tr("Wheel"), this);
    wheel->setObjectName("Panel3");
    Panel3 = wheel;
    NumClicks = NewEdit("NumClicks", 3);
    auto* w = new QFormLayout(wheel);
    w->addRow(NewLabel("WheelLabel", tr("Wheel Clicks"), NumClicks), NumClicks);
    right->addWidget(wheel);
    Launch = NewButton("Launch", tr("Launch Mouse Locator"));
    right->addWidget(Launch);
    right->addStretch();
    connect(Launch, &QPushButton::clicked, this, &TDoMouse::LaunchClick);
}

void TDoMouse::Preset(const MouseForm& f) {
    CheckKind(kMouseChoices, f.Kind);
    CheckKind(kMoveChoices, f.MoveKind);
    SetText(XPos, f.XPos);
    SetText(YPos, f.YPos);
    SetText(NumClicks, f.NumClicks);
}

void TDoMouse::SetDefaults() { Preset(MouseDefaults()); }

void TDoMouse::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("MouseMove"));
}

void TDoMouse::EnableDisable() {
    const MouseLayout l = MouseLayoutOf(CheckedKind(kMouseChoices), CheckedKind(kMoveChoices));
    ShowEnable(Panel2, l.movement);
    ShowEnable(Launch, l.movement);
    ShowEnable(Panel3, l.wheel);
    for (QWidget* c : {static_cast<QWidget*>(XPos), static_cast<QWidget*>(YPos),
                       static_cast<QWidget*>(XPosLabel), static_cast<QWidget*>(YPosLabel)})
        c->setEnabled(l.coordinates);
}

void TDoMouse::LaunchClick() { StartMouseLocator(win::ExecutableDirectory()); }

void TDoMouse::OkButtonClick() {
    MouseForm f;
    f.Kind = CheckedKind(kMouseChoices);
    f.MoveKind = CheckedKind(kMoveChoices);
    if (!ReadTexts({{XPos, &f.XPos}, {YPos, &f.YPos}, {NumClicks, &f.NumClicks}})) return;
    Result = BuildMouse(f);
    Accept(Result);
}

}  // namespace tessaro
