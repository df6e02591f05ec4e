#include "editor/commands/system_dialog.h"
#include "widgets/screen_fit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>

#include "editor/commands/form_parts.h"

namespace tessaro {

using namespace parts;

TDoSysControls::TDoSysControls(QWidget* owner, PathChooser& chooser)
    : CommandDialog(owner, "TDoSysControls", tr("System Controls")), chooser_(chooser) {
    AddRadios(Body(), kSysChoices, tr("Commands"));

    ThePanel = new QGroupBox(this);
    ThePanel->setObjectName("ThePanel");
    Number = Edit(ThePanel, "Number", 2);
    TheLabel = Label(ThePanel, tr("Minutes"), Number, "TheLabel");
    auto* nl = new QHBoxLayout(ThePanel);
    nl->addWidget(TheLabel);
    nl->addWidget(Number);
    Body()->addWidget(ThePanel);

    WallPanel = new QGroupBox(this);
    WallPanel->setObjectName("WallPanel");
    Track = Edit(WallPanel, "Track");
    Browse = Button(WallPanel, "Browse", tr("&Browse"));
    Tile = new QCheckBox(tr("&Tile Bitmap"), WallPanel);
    Tile->setObjectName("Tile");
    auto radio = [&](const RadioChoice& c) {
        auto* r =
            new QRadioButton(QString::fromLatin1(c.caption.data(), qsizetype(c.caption.size())), WallPanel);
        r->setObjectName(QString::fromLatin1(c.control.data(), qsizetype(c.control.size())));
        connect(r, &QRadioButton::toggled, this, &TDoSysControls::CheckWallStuff);
        return r;
    };
    Center = radio(kWallStyles[1]);
    Stretch = radio(kWallStyles[2]);
    Position = radio(kWallStyles[3]);
    PosLabel =
        Label(WallPanel, tr("Position Bitmap at the following X,Y screen coordinates"), nullptr, "PosLabel");
    PosLabel->setWordWrap(true);
    XPos = Edit(WallPanel, "XPos", 4);
    YPos = Edit(WallPanel, "YPos", 4);
    XLabel = Label(WallPanel, tr("X"), XPos, "XLabel");
    YLabel = Label(WallPanel, tr("Y"), YPos, "YLabel");
    auto* wl = new QGridLayout(WallPanel);
    wl->addWidget(Label(WallPanel, tr("Bitmap"), Track), 0, 0);
    wl->addWidget(Track, 0, 1, 1, 3);
    wl->addWidget(Browse, 0, 4);
    wl->addWidget(Tile, 1, 0, 1, 2);
    wl->addWidget(Center, 2, 0);
    wl->addWidget(Stretch, 2, 1);
    wl->addWidget(Position, 2, 2);
    wl->addWidget(PosLabel, 3, 0, 1, 5);
    wl->addWidget(XLabel, 4, 0);
    wl->addWidget(XPos, 4, 1);
    wl->addWidget(YLabel, 4, 2);
    wl->addWidget(YPos, 4, 3);
    Body()->addWidget(WallPanel);
    connect(Tile, &QCheckBox::toggled, this, &TDoSysControls::CheckWallStuff);
    connect(Browse, &QPushButton::clicked, this, &TDoSysControls::BrowseClick);
}

void TDoSysControls::Preset(const SysForm& form) {
    CheckKind(kSysChoices, form.Kind);
    Number->setText(win::ToQt(form.Number));
    Track->setText(win::ToQt(form.Track));
    Tile->setChecked(form.Tile);
    (form.Placement == 2 ? Stretch : form.Placement == 3 ? Position : Center)->setChecked(true);
    XPos->setText(win::ToQt(form.XPos));
    YPos->setText(win::ToQt(form.YPos));
}

void TDoSysControls::SetDefaults() {
    const SysForm d = SysDefaults();
    Number->setText(win::ToQt(d.Number));
    Center->setChecked(true);
    Tile->setChecked(d.Tile);
}

void TDoSysControls::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("ScreenOn"));
}

void TDoSysControls::EnableDisable() {
    const std::int32_t kind = CheckedKind(kSysChoices);
    WallPanel->setVisible(kind == 6);
    const char* label = SysNumberLabel(kind);
    ThePanel->setVisible(label != nullptr);
    if (label) TheLabel->setText(tr(label));
    if (kind == 6) CheckWallStuff();
    FitToLayout(*this);
}

void TDoSysControls::CheckWallStuff() {
    SysForm form;
    form.Tile = Tile->isChecked();
    form.Placement = Position->isChecked() ? 3 : Stretch->isChecked() ? 2 : 1;
    const WallEnables e = tessaro::CheckWallStuff(form);
    for (QWidget* w :
         {static_cast<QWidget*>(Center), static_cast<QWidget*>(Stretch), static_cast<QWidget*>(Position)})
        w->setEnabled(e.placements);
    for (QWidget* w :
         {static_cast<QWidget*>(PosLabel), static_cast<QWidget*>(XLabel), static_cast<QWidget*>(YLabel),
          static_cast<QWidget*>(XPos), static_cast<QWidget*>(YPos)})
        w->setEnabled(e.position);
}

void TDoSysControls::BrowseClick() {
    if (auto path = chooser_.ChooseFile(this, tr("Bitmap Files"), "Bitmap (*.BMP)|*.BMP"))
        Track->setText(win::ToQt(*path));
}

void TDoSysControls::OkButtonClick() {
    SysForm form;
    form.Kind = CheckedKind(kSysChoices);
    for (auto [edit, into] : {std::pair{Number, &form.Number}, std::pair{Track, &form.Track},
                              std::pair{XPos, &form.XPos}, std::pair{YPos, &form.YPos}}) {
        const auto text = ReadText(edit);
        if (!text) return;
        *into = *text;
    }
    form.Tile = Tile->isChecked();
    form.Placement = Position->isChecked() ? 3 : Stretch->isChecked() ? 2 : 1;
    Result = BuildSys(form);
    Accept(Result);
}

}  // namespace tessaro
