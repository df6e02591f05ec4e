#include "editor/commands/clipboard_dialog.h"
#include "widgets/screen_fit.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tessaro {

TDoClipboard::TDoClipboard(QWidget* owner) : CommandDialog(owner, "TDoClipboard", tr("Clipboard")) {
    QWidget* panel1 = AddRadios(Body(), kClipboardChoices, tr("Clipboard Options"));
    IgnoreCR = NewCheck("IgnoreCR", tr("Ig&nore CR/LF"));
    SavePrompt = NewCheck("SavePrompt", tr("Pro&mpt For File Name At Macro Run Time"));
    auto* options = static_cast<QBoxLayout*>(panel1->layout());
    options->addWidget(IgnoreCR);
    options->addWidget(SavePrompt);
    Panel2 = new QWidget(this);
    Panel2->setObjectName("Panel2");
    ProgPath = NewEdit("ProgPath");
    PathLabel = NewLabel("PathLabel", tr("Text File Path/Name"), ProgPath);
    BrowseButton = NewButton("BrowseButton", tr("&Browse"));
    auto* row = new QHBoxLayout(Panel2);
    row->addWidget(PathLabel);
    row->addWidget(ProgPath);
    row->addWidget(BrowseButton);
    Body()->addWidget(Panel2);
    connect(BrowseButton, &QPushButton::clicked, this, &TDoClipboard::BrowseButtonClick);
}

void TDoClipboard::Preset(const ClipboardForm& f) {
    CheckKind(kClipboardChoices, f.Kind);
    IgnoreCR->setChecked(f.IgnoreCR);
    SavePrompt->setChecked(f.SavePrompt);
    SetText(ProgPath, f.ProgPath);
}

void TDoClipboard::SetDefaults() { Preset(ClipboardDefaults()); }

void TDoClipboard::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("StartClip"));
}

ClipboardForm TDoClipboard::Current() const {
    ClipboardForm f;
    f.Kind = CheckedKind(kClipboardChoices);
    f.IgnoreCR = IgnoreCR->isChecked();
    f.SavePrompt = SavePrompt->isChecked();
    return f;
}

void TDoClipboard::EnableDisable() {
    const ClipboardLayout l = ClipboardLayoutOf(Current());
    Panel2->setVisible(l.pathPanel);
    for (QWidget* w : {static_cast<QWidget*>(ProgPath), static_cast<QWidget*>(PathLabel),
                       static_cast<QWidget*>(BrowseButton)})
        w->setEnabled(l.pathEnabled);
    SavePrompt->setEnabled(l.promptEnabled);
    IgnoreCR->setEnabled(l.ignoreEnabled);
    PathLabel->setText(tr(l.pathLabel));
    FitToLayout(*this);
}

void TDoClipboard::BrowseButtonClick() {
    const ClipboardLayout l = ClipboardLayoutOf(Current());
    const QString file =
        l.saveDialog ? QFileDialog::getSaveFileName(this, tr(l.dialogTitle), ProgPath->text(), tr(l.filter))
                     : QFileDialog::getOpenFileName(this, tr(l.dialogTitle), ProgPath->text(), tr(l.filter));
    if (!file.isEmpty()) ProgPath->setText(file);
}

void TDoClipboard::OkButtonClick() {
    ClipboardForm f = Current();
    const auto path = ReadText(ProgPath);
    if (!path) return;
    f.ProgPath = *path;
    Result = BuildClipboard(f);
    Accept(Result);
}

}  // namespace tessaro
