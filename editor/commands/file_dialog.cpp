#include "editor/commands/file_dialog.h"
#include "widgets/screen_fit.h"

#include <QGridLayout>
#include <QGroupBox>

#include "editor/commands/form_parts.h"

namespace tessaro {

using namespace parts;

TDoDOSFiles::TDoDOSFiles(QWidget* owner, PathChooser& chooser)
    : CommandDialog(owner, "TDoDOSFiles", tr("File Manipulation")), chooser_(chooser) {
    AddRadios(Body(), kFileChoices, tr("File Commands"));
    ProgPath = Edit(this, "ProgPath");
    FileLabel = Label(this, tr("Text File Path/Name"), ProgPath, "FileLabel");
    BrowseButton = Button(this, "BrowseButton", tr("&Browse"));
    auto* row = new QGridLayout;
    row->addWidget(FileLabel, 0, 0, 1, 2);
    row->addWidget(ProgPath, 1, 0);
    row->addWidget(BrowseButton, 1, 1);
    Body()->addLayout(row);
    NewNamePanel = new QGroupBox(this);
    NewNamePanel->setObjectName("NewNamePanel");
    NewName = Edit(NewNamePanel, "NewName");
    auto* nl = new QVBoxLayout(NewNamePanel);
    nl->addWidget(Label(NewNamePanel, tr("New Name"), NewName));
    nl->addWidget(NewName);
    Body()->addWidget(NewNamePanel);
    connect(BrowseButton, &QPushButton::clicked, this, &TDoDOSFiles::BrowseButtonClick);
}

void TDoDOSFiles::Preset(const FileForm& form) {
    CheckKind(kFileChoices, form.Kind);
    ProgPath->setText(win::ToQt(form.ProgPath));
    NewName->setText(win::ToQt(form.NewName));
}

void TDoDOSFiles::SetDefaults() { CheckKind(kFileChoices, FileDefaults().Kind); }

void TDoDOSFiles::FocusFirst() {
    if (NewCommand == 1)
        CheckAndFocus(Radio("ChangeDir"));
    else
        ProgPath->setFocus(Qt::OtherFocusReason);
}

void TDoDOSFiles::EnableDisable() {
    const std::int32_t kind = CheckedKind(kFileChoices);
    FileLabel->setText(tr(FileLabelOf(kind)));
    NewNamePanel->setVisible(FileNewNameShown(kind));
    NewNamePanel->setEnabled(FileNewNameShown(kind));
    FitToLayout(*this);
}

void TDoDOSFiles::BrowseButtonClick() {
    const std::int32_t kind = CheckedKind(kFileChoices);
    const auto path = FileBrowsesFolders(kind)
                          ? chooser_.ChooseFolder(this, tr("Please specify a directory"))
                          : chooser_.ChooseFile(this, tr("All Files"), "All Files (*.*)|*.*");
    if (path) ProgPath->setText(win::ToQt(*path));
}

void TDoDOSFiles::OkButtonClick() {
    const auto path = ReadText(ProgPath);
    if (!path) return;
    const auto name = ReadText(NewName);
    if (!name) return;
    Result = BuildFile({CheckedKind(kFileChoices), *path, *name});
    Accept(Result);
}

}  // namespace tessaro
