#include "editor/commands/desktop_dialogs.h"

#include <QAbstractButton>
#include <QGridLayout>

#include "editor/commands/form_parts.h"

namespace tessaro {

using namespace parts;

TDoRecycle::TDoRecycle(QWidget* owner, bool ie4Installed)
    : CommandDialog(owner, "TDoRecycle", tr("Desktop")), ie4Installed_(ie4Installed) {
    AddRadios(Body(), kDeskChoices, tr("Commands"));
    auto* note = new QLabel(tr("The following commands require that Internet Explorer 4.0 or greater be "
                               "installed on your computer."),
                            this);
    note->setWordWrap(true);
    Body()->addWidget(note);
}

void TDoRecycle::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("Cascade"));
    // A command checked before (an edit) stays checked and can still be confirmed.
    for (const RadioChoice& c : kDeskChoices)
        Radio(c.control)->setEnabled(DeskChoiceEnabled(c.kind, ie4Installed_));
}

void TDoRecycle::OkButtonClick() {
    Result = BuildDesk(CheckedKind(kDeskChoices));
    Accept(Result);
}

TDoExplore::TDoExplore(QWidget* owner, PathChooser& chooser)
    : CommandDialog(owner, "TDoExplore", tr("Open Explorer")), chooser_(chooser) {
    ProgPath = Edit(this, "ProgPath");
    BrowseButton = Button(this, "BrowseButton", tr("&Browse"));
    auto* row = new QGridLayout;
    row->addWidget(Label(this, tr("Folder Name"), ProgPath), 0, 0);
    row->addWidget(ProgPath, 1, 0);
    row->addWidget(BrowseButton, 1, 1);
    Body()->addLayout(row);
    connect(BrowseButton, &QPushButton::clicked, this, &TDoExplore::BrowseButtonClick);
}

void TDoExplore::FocusFirst() { ProgPath->setFocus(Qt::OtherFocusReason); }

void TDoExplore::BrowseButtonClick() {
    if (auto path = chooser_.ChooseFolder(this, tr("Please specify a directory")))
        ProgPath->setText(Q(*path));
}

void TDoExplore::OkButtonClick() {
    const auto path = ReadText(ProgPath);
    if (!path) return;
    Result = BuildExplore(*path);
    Accept(Result);
}

}  // namespace tessaro
