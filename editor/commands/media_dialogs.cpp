#include "editor/commands/media_dialogs.h"
#include "widgets/screen_fit.h"

#include <QGridLayout>
#include <QGroupBox>

#include "editor/commands/form_parts.h"
#include "platform/message_box.h"
#include "platform/mixer.h"

namespace tessaro {

using namespace parts;

TDoAVI::TDoAVI(QWidget* owner, PathChooser& chooser)
    : CommandDialog(owner, "TDoAVI", tr("Play a Video Clip")), chooser_(chooser) {
    ProgPath = Edit(this, "ProgPath");
    BrowseButton = Button(this, "BrowseButton", tr("&Browse"));
    auto* row = new QGridLayout;
    row->addWidget(Label(this, tr("File Path/Name"), ProgPath), 0, 0);
    row->addWidget(ProgPath, 1, 0);
    row->addWidget(BrowseButton, 1, 1);
    Body()->addLayout(row);
    AddRadios(Body(), kAviChoices, tr("AVI FILE"));
    connect(BrowseButton, &QPushButton::clicked, this, &TDoAVI::BrowseButtonClick);
}

void TDoAVI::Preset(const AviForm& form) {
    CheckKind(kAviChoices, form.Kind);
    ProgPath->setText(win::ToQt(form.ProgPath));
}

void TDoAVI::SetDefaults() { CheckKind(kAviChoices, AviDefaults().Kind); }

void TDoAVI::FocusFirst() { ProgPath->setFocus(Qt::OtherFocusReason); }

void TDoAVI::BrowseButtonClick() {
    if (auto path = chooser_.ChooseFile(this, tr("AVI File"), "AVI File (*.AVI)|*.AVI"))
        ProgPath->setText(win::ToQt(*path));
}

void TDoAVI::OkButtonClick() {
    const auto path = ReadText(ProgPath);
    if (!path) return;
    Result = BuildAvi({CheckedKind(kAviChoices), *path});
    Accept(Result);
}

TDoCDRom::TDoCDRom(QWidget* owner) : CommandDialog(owner, "TDoCDRom", tr("Audio CD Controls")) {
    AddRadios(Body(), kCDChoices, tr("Commands"));
    NumberPanel = new QGroupBox(this);
    NumberPanel->setObjectName("NumberPanel");
    Track = Edit(NumberPanel, "Track", 2);
    TheLabel = Label(NumberPanel, tr("Track Number"), Track, "TheLabel");
    auto* row = new QHBoxLayout(NumberPanel);
    row->addWidget(TheLabel);
    row->addWidget(Track);
    Body()->addWidget(NumberPanel);
}

void TDoCDRom::Preset(const CDForm& form) {
    CheckKind(kCDChoices, form.Kind);
    Track->setText(win::ToQt(form.Track));
}

void TDoCDRom::SetDefaults() { Preset(CDDefaults()); }

void TDoCDRom::EnableDisable() {
    const char* label = CDNumberLabel(CheckedKind(kCDChoices));
    NumberPanel->setVisible(label != nullptr);
    if (label) TheLabel->setText(tr(label));
    FitToLayout(*this);
}

void TDoCDRom::OkButtonClick() {
    const auto track = ReadText(Track);
    if (!track) return;
    Result = BuildCD({CheckedKind(kCDChoices), *track});
    Accept(Result);
}

TDoVolume::TDoVolume(QWidget* owner, MixerHost& mixer)
    : CommandDialog(owner, "TDoVolume", tr("Speaker Controls")), mixer_(mixer) {
    // Two columns: the dialog fits a screen 600 pixels high.
    AddRadios(Body(), kVolumeChoices, tr("Commands"), "Panel1", 2);
    auto* note =
        new QLabel(tr("NOTE: Not all commands will be available on a given computer.  Support of these "
                      "commands is dependent upon the Audio Device in your computer."),
                   this);
    note->setWordWrap(true);
    Body()->addWidget(note);
    Button1 = Button(this, "Button1", tr("Click Here To Test Your Computer's Capabilities"));
    Body()->addWidget(Button1);
    connect(Button1, &QPushButton::clicked, this, &TDoVolume::Button1Click);
}

SystemMixerHost::SystemMixerHost(std::unique_ptr<win::AudioMixerOpener> opener)
    : opener_(opener ? std::move(opener) : win::SystemMixerOpener()) {}

MixerControls& SystemMixerHost::OpenMixer() {
    if (opened_) return *this;
    opened_ = true;
    int error = 0;
    // The default mixer, as the player opens it.
    const std::unique_ptr<win::AudioMixer> mixer = opener_ ? opener_->Open(-1, error) : nullptr;
    if (!mixer) return *this;
    const auto places = win::FindMixerControls(*mixer);
    for (std::size_t i = 0; i < places.size(); ++i) present_[i] = places[i].has_value();
    return *this;
}

bool SystemMixerHost::Available(int index) {
    return index >= 0 && index < win::kMixerControls && present_[static_cast<std::size_t>(index)];
}

void TDoVolume::Preset(std::int32_t kind) { CheckKind(kVolumeChoices, kind); }

void TDoVolume::FocusFirst() {
    if (NewCommand == 1) CheckAndFocus(Radio("AudioOff"));
}

void TDoVolume::Button1Click() {
    win::MessageBox(MixerCapabilitiesText(mixer_.OpenMixer()), "Audio Device", win::MbButtons::Ok);
}

void TDoVolume::OkButtonClick() {
    Result = BuildVolume(CheckedKind(kVolumeChoices));
    Accept(Result);
}

}  // namespace tessaro
