#include "editor/commands/desktop_dialogs.h"

#include <QAbstractButton>
#include <QGridLayout>
#include <QLabel>
#include <iterator>

#include "editor/commands/form_parts.h"

namespace tessaro {

using namespace parts;

namespace {

// Where each choice of kDeskChoices stands in the "Commands" panel: the window commands
// first, then the note on what the rest need, the computer and dialog commands in the first
// column and the folders in two columns beside them.
struct DeskPlace {
    int row, column;
};
constexpr DeskPlace kDeskPlaces[] = {
    {0, 0}, {1, 0},  {2, 0},                                      // Cascade, tile vertically, horizontally
    {4, 0}, {5, 0},  {6, 0},  {7, 0},                             // minimize, restore, suspend, undock
    {9, 0}, {10, 0}, {11, 0}, {12, 0},                            // the four dialog windows
    {5, 1}, {6, 1},  {7, 1},  {8, 1},  {9, 1}, {10, 1}, {11, 1},  // the folders
    {5, 2}, {6, 2},  {7, 2},  {8, 2},  {9, 2}, {10, 2}, {11, 2},
};
static_assert(std::size(kDeskPlaces) == kDeskChoices.size());

}  // namespace

TDoRecycle::TDoRecycle(QWidget* owner, bool ie4Installed)
    : CommandDialog(owner, "TDoRecycle", tr("Desktop")), ie4Installed_(ie4Installed) {
    QWidget* panel = AddRadios(Body(), kDeskChoices, tr("Commands"));
    // Laid out again in columns, so that the 25 choices fit a small screen.
    delete panel->layout();
    auto* grid = new QGridLayout(panel);
    grid->setVerticalSpacing(2);
    for (std::size_t i = 0; i < kDeskChoices.size(); ++i)
        grid->addWidget(Radio(kDeskChoices[i].control), kDeskPlaces[i].row, kDeskPlaces[i].column);
    auto* note =
        NewLabel("Label3", tr("The following commands require that Internet Explorer 4.0 or greater be "
                              "installed on your computer."));
    note->setWordWrap(true);
    grid->addWidget(note, 3, 0, 1, 3);
    auto* dialogs = NewLabel("Label2", tr("Run the following Dialog Windows"));
    grid->addWidget(dialogs, 8, 0);
    auto* folders = NewLabel("Label1", tr("Open Explorer Up To:"));
    grid->addWidget(folders, 4, 1, 1, 2);
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
        ProgPath->setText(win::ToQt(*path));
}

void TDoExplore::OkButtonClick() {
    const auto path = ReadText(ProgPath);
    if (!path) return;
    Result = BuildExplore(*path);
    Accept(Result);
}

}  // namespace tessaro
