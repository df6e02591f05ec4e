// Every dialog of these families opens offscreen for a new command and for an existing
// one, and confirms an existing command unchanged.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTextEdit>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "editor/commands/desktop_dialogs.h"
#include "editor/commands/dialup_dialog.h"
#include "editor/commands/display_dialogs.h"
#include "editor/commands/encrypt_dialog.h"
#include "editor/commands/file_dialog.h"
#include "editor/commands/media_dialogs.h"
#include "editor/commands/nick_dialog.h"
#include "editor/commands/reboot_dialogs.h"
#include "editor/commands/system_dialog.h"
#include "editor/commands/wait_dialog.h"
#include "fakes.h"
#include "foundation/config_record.h"
#include "tests/support/sim_platform_test.h"
#include "protocol/glob_data.h"
#include "tests/editor/commands/dialog_harness.h"
#include "platform/sim/sim_mixer.h"
#include "tests/support/held_press.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::Click;
using testing::Focused;
using testing::Named;
using testing::RecordedBoxes;
using testing::SaveScreen;
using testing::Type;

class FamilyDialogs : public testing::SimPlatformTest {
protected:
    void SetUp() override { EnsureQtApplication(); }
    bool Checked(QWidget* dlg, const char* radio) { return Named<QAbstractButton>(dlg, radio)->isChecked(); }

    testing::TempDir dir_;
    testing::FakePicker picker_;
    testing::FakeChooser chooser_;
    testing::NoSoundCard mixer_;
};

TEST_F(FamilyDialogs, NewCommandsOpenOnTheirDefaults) {
    TDoWaitWin wait(nullptr, picker_);
    wait.NewCommand = 1;
    wait.Preset(WaitDefaults(1));
    wait.show();
    EXPECT_TRUE(wait.WaitMax->isChecked());
    EXPECT_EQ(wait.WaitMin->text(), "10");
    EXPECT_EQ(wait.TheKey->currentText(), "ENTER");
    EXPECT_TRUE(wait.TitlePanel->isVisible());
    EXPECT_FALSE(wait.ProgPanel->isVisible());
    SaveScreen(&wait, "TDoWaitWin");

    TDoDOSFiles files(nullptr, chooser_);
    files.show();
    EXPECT_TRUE(Checked(&files, "ChangeDir"));
    EXPECT_EQ(Focused(&files), "ChangeDir");
    EXPECT_FALSE(files.NewNamePanel->isVisible());
    SaveScreen(&files, "TDoDOSFiles");

    TDoSysControls sys(nullptr, chooser_);
    sys.show();
    EXPECT_TRUE(Checked(&sys, "ScreenOn"));  // focused, and so checked
    EXPECT_EQ(Focused(&sys), "ScreenOn");
    EXPECT_EQ(sys.Number->text(), "1");
    EXPECT_TRUE(Checked(&sys, "Tile"));
    EXPECT_TRUE(Checked(&sys, "Center"));
    SaveScreen(&sys, "TDoSysControls");
    Named<QRadioButton>(&sys, "DeskWall")->setChecked(true);
    EXPECT_TRUE(sys.WallPanel->isVisible());
    EXPECT_FALSE(sys.Center->isEnabled());  // Tile wins
    sys.Tile->setChecked(false);
    EXPECT_TRUE(sys.Center->isEnabled());
    EXPECT_FALSE(sys.XPos->isEnabled());
    sys.Position->setChecked(true);
    EXPECT_TRUE(sys.XPos->isEnabled());
    SaveScreen(&sys, "TDoSysControls-wallpaper");

    TDoCDRom cd(nullptr);
    cd.show();
    EXPECT_TRUE(Checked(&cd, "CDPlay"));
    EXPECT_EQ(cd.Track->text(), "1");
    EXPECT_FALSE(cd.NumberPanel->isVisible());
    Named<QRadioButton>(&cd, "CDStep")->setChecked(true);
    EXPECT_TRUE(cd.NumberPanel->isVisible());
    EXPECT_EQ(cd.TheLabel->text(), "Seconds");
    SaveScreen(&cd, "TDoCDRom");

    TDoVolume volume(nullptr, mixer_);
    volume.show();
    EXPECT_TRUE(Checked(&volume, "AudioOff"));
    SaveScreen(&volume, "TDoVolume");

    TDoRecycle desk(nullptr, true);
    desk.show();
    EXPECT_TRUE(Checked(&desk, "Cascade"));
    SaveScreen(&desk, "TDoRecycle");

    TDoReboot reboot(nullptr);
    reboot.show();
    EXPECT_TRUE(Checked(&reboot, "Logoff"));
    SaveScreen(&reboot, "TDoReboot");

    TDoAVI avi(nullptr, chooser_);
    avi.show();
    EXPECT_TRUE(Checked(&avi, "Immediate"));
    SaveScreen(&avi, "TDoAVI");

    TDoExplore explore(nullptr, chooser_);
    explore.show();
    EXPECT_EQ(Focused(&explore), "ProgPath");
    SaveScreen(&explore, "TDoExplore");

    TDoTBox box(nullptr);
    box.show();
    EXPECT_EQ(Focused(&box), "Header");
    SaveScreen(&box, "TDoTBox");

    TDoEncrypt encrypt(nullptr);
    encrypt.show();
    EXPECT_EQ(encrypt.Password->echoMode(), QLineEdit::Password);
    SaveScreen(&encrypt, "TDoEncrypt");
}

TEST_F(FamilyDialogs, ExistingCommandsComeBackUnchanged) {
    const std::string bitmap = dir_.file("sky.bmp");
    std::ofstream(bitmap) << "BM";
    {
        TDoWaitWin dlg(nullptr, picker_);
        dlg.NewCommand = 0;
        dlg.Preset(WaitPreset(TWaitRec{4, "07", 12, false}));
        dlg.show();
        EXPECT_TRUE(dlg.KeyPanel->isVisible());
        EXPECT_EQ(dlg.TheKey->currentText(), "H");
        Click(&dlg, "OkButton");
        EXPECT_EQ(dlg.CommandText, "<WAITKEY:012:07>");
    }
    {
        TDoSysControls dlg(nullptr, chooser_);
        dlg.NewCommand = 0;
        dlg.Preset(SysPreset(TSysRec{6, bitmap, 0, -5, 20, 3}));
        dlg.show();
        Click(&dlg, "OkButton");
        EXPECT_EQ(dlg.CommandText, "<WALLP:-005,0020" + bitmap + ">");
    }
    {
        TDoCDRom dlg(nullptr);
        dlg.NewCommand = 0;
        dlg.Preset(CDPreset(TCDRec{8, 12}));
        dlg.show();
        Click(&dlg, "OkButton");
        EXPECT_EQ(dlg.CommandText, "<CDBACK:012>");
    }
    {
        // Without the newer shell an edited command keeps its checked choice.
        TDoRecycle dlg(nullptr, false);
        dlg.NewCommand = 0;
        dlg.Preset(17);
        dlg.show();
        EXPECT_FALSE(Named<QRadioButton>(&dlg, "MyComp")->isEnabled());
        EXPECT_TRUE(Named<QRadioButton>(&dlg, "Horizontal")->isEnabled());
        Click(&dlg, "OkButton");
        EXPECT_EQ(dlg.CommandText, "<EXPMC>");
    }
    {
        TDoTBox dlg(nullptr);
        dlg.NewCommand = 0;
        dlg.Preset("Title", "one\r\ntwo");
        dlg.show();
        Click(&dlg, "OkButton");
        EXPECT_EQ(dlg.BoxConfirmed, 1);
        EXPECT_EQ(dlg.BoxHeader, "Title");
        EXPECT_EQ(dlg.Result.CommandText, "<TBOX:<HEAD:Title>one\r\ntwo>");
    }
    {
        TDoEncrypt dlg(nullptr);
        const auto built = BuildEncrypt("secret", 9);
        dlg.Preset(std::get<TNameRec>(built.record).Name);
        dlg.show();
        EXPECT_EQ(dlg.Password->text(), "secret");
    }
}

TEST_F(FamilyDialogs, RefusalsKeepTheDialogOpen) {
    RecordedBoxes boxes;
    TDoWaitWin dlg(nullptr, picker_);
    dlg.NewCommand = 1;
    dlg.Preset(WaitDefaults(3));
    dlg.show();
    Type(&dlg, "ProgName", "a>b");
    Click(&dlg, "OkButton");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "The character \">\" cannot be used in this entry.  Please correct.");
    EXPECT_EQ(Focused(&dlg), "ProgName");
    EXPECT_TRUE(dlg.isVisible());
    // The program picker fills the name.
    picker_.answer = "notes";
    Click(&dlg, "Button1");
    EXPECT_EQ(dlg.ProgName->text(), "notes");
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<WAITPROG:010:notes>");
    EXPECT_EQ(dlg.Result.fields.WaitKind, 3);

    TDoTBox box(nullptr);
    box.show();
    Type(&box, "Header", "x");
    box.Contents->setPlainText("a > b");
    Click(&box, "OkButton");
    EXPECT_EQ(box.BoxConfirmed, 0);
    EXPECT_TRUE(box.isVisible());
}

TEST_F(FamilyDialogs, NicknamesFromTheMacroFileAndTheQuestion) {
    auto glob = std::make_unique<TGlobData>();
    auto config = std::make_unique<TConfigRecord>();
    glob->MacroCount = 3;
    config->MacroNicknames[1] = "Beta";
    config->MacroNicknames[2] = "alpha";
    config->MacroNicknames[3] = "System";
    glob->Scope[3] = 5;
    TDoNick dlg(nullptr, *glob, *config);
    dlg.show();
    ASSERT_EQ(dlg.NickList->count(), 2);
    EXPECT_EQ(dlg.NickList->item(0)->text(), "alpha");
    EXPECT_TRUE(Checked(&dlg, "Run"));
    SaveScreen(&dlg, "TDoNick");
    dlg.NickList->setCurrentRow(1);
    {
        win::ScopedMessageBoxHandler no([](const win::MessageBoxCall&) { return win::MbResult::No; });
        Click(&dlg, "OkButton");
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(Focused(&dlg), "ProgPath");
    }
    std::vector<win::MessageBoxCall> asked;
    win::ScopedMessageBoxHandler yes([&](const win::MessageBoxCall& call) {
        asked.push_back(call);
        return win::MbResult::Yes;
    });
    Click(&dlg, "OkButton");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "Error");
    EXPECT_EQ(dlg.CommandText, "<MACRUN:Beta>");
}

TEST_F(FamilyDialogs, SpeakerTestWithoutASoundCard) {
    RecordedBoxes boxes;
    TDoVolume dlg(nullptr, mixer_);
    dlg.show();
    Click(&dlg, "Button1");
    EXPECT_EQ(mixer_.opened, 1);
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Audio Device");
    EXPECT_NE(boxes.calls[0].text.find("MIDI Mute NOT Supported."), std::string::npos);
    Named<QRadioButton>(&dlg, "BassDown")->setChecked(true);
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<BASSDOWN>");
}

// The Desktop dialog says what its groups are, puts the note over the commands that need the
// newer shell, and fits a small screen.
TEST_F(FamilyDialogs, DesktopDialogHeadsItsGroupsAndFitsASmallScreen) {
    TDoRecycle desk(nullptr, false);
    desk.show();
    QApplication::processEvents();
    auto top = [&](const char* name) {
        QWidget* w = Named(&desk, name);
        return w ? w->mapTo(&desk, QPoint(0, 0)).y() : -1;
    };
    auto* folders = Named<QLabel>(&desk, "Label1");
    auto* dialogs = Named<QLabel>(&desk, "Label2");
    auto* note = Named<QLabel>(&desk, "Label3");
    ASSERT_TRUE(folders && dialogs && note);
    EXPECT_EQ(folders->text(), "Open Explorer Up To:");
    EXPECT_EQ(dialogs->text(), "Run the following Dialog Windows");
    for (QLabel* l : {folders, dialogs, note}) EXPECT_TRUE(l->isVisible()) << l->text().toStdString();
    // The note stands between the window commands and the rest, each heading over its group.
    EXPECT_LT(top("Horizontal"), top("Label3"));
    EXPECT_LT(top("Label3"), top("Minimize"));
    EXPECT_LT(top("Label2"), top("Date"));
    EXPECT_LT(top("Label1"), top("ControlPanel"));
    EXPECT_LT(top("Label1"), top("UserDocs"));
    const QSize size = desk.frameGeometry().size();
    EXPECT_LE(size.height(), 600);
    EXPECT_LE(size.width(), 800);
    // Nothing overlaps inside the panel.
    const auto radios = desk.findChildren<QRadioButton*>();
    EXPECT_EQ(radios.size(), 25);
    for (QRadioButton* a : radios)
        for (QRadioButton* b : radios) {
            if (a == b) continue;
            EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                << a->objectName().toStdString() << " " << b->objectName().toStdString();
        }
    SaveScreen(&desk, "TDoRecycle-no-shell");
}

// The box tells each control apart, found on the mixer as the player finds it: here a
// speaker with treble but no bass, and a synthesiser volume without a mute switch.
TEST_F(FamilyDialogs, SpeakerTestReportsEachControlTheMixerHas) {
    win::sim::SimMixer card;
    card.Add("Master", {true, true, false, 0, 100}, 50, 50);
    card.Add("Treble", {true, false, false, 0, 20}, 10, 10);
    card.Add("Synth", {true, false, false, 0, 31}, 5, 5);
    card.Add("Bass Boost", {false, true, true, 0, 1}, 0, 0);  // a switch is not a bass control
    SystemMixerHost host(std::make_unique<win::sim::SimMixerOpener>(&card));
    RecordedBoxes boxes;
    TDoVolume dlg(nullptr, host);
    dlg.show();
    testing::HeldClick(dlg.Button1);
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Audio Device");
    EXPECT_EQ(boxes.calls[0].text,
              "Audio Volume and Balance Control Supported.\n\r"
              "Audio Mute Supported.\n\r"
              "Audio Treble Supported.\n\r"
              "Audio Bass NOT Supported.\n\r"
              "MIDI Volume and Balance Control Supported.\n\r"
              "MIDI Mute NOT Supported.\n\r");

    // Without a speaker element, treble and bass do not count either; nor without a card.
    win::sim::SimMixer bare;
    bare.Add("Treble", {true, false, false, 0, 20}, 10, 10);
    SystemMixerHost bareHost(std::make_unique<win::sim::SimMixerOpener>(&bare));
    SystemMixerHost noCard(std::make_unique<win::sim::SimMixerOpener>(nullptr));
    for (SystemMixerHost* h : {&bareHost, &noCard}) {
        TDoVolume again(nullptr, *h);
        again.show();
        testing::HeldClick(again.Button1);
    }
    ASSERT_EQ(boxes.calls.size(), 3u);
    for (std::size_t i : {1u, 2u}) {
        const std::string& text = boxes.calls[i].text;
        std::size_t refused = 0;
        for (std::size_t at = text.find("NOT Supported."); at != std::string::npos;
             at = text.find("NOT Supported.", at + 1))
            ++refused;
        EXPECT_EQ(refused, 6u) << text;
    }
}

TEST_F(FamilyDialogs, BrowseFillsThePathAndFileCommandsCheckIt) {
    chooser_.file = dir_.file("clip.avi");
    std::ofstream(*chooser_.file) << "RIFF";
    TDoAVI avi(nullptr, chooser_);
    avi.show();
    Click(&avi, "BrowseButton");
    EXPECT_EQ(chooser_.filters.back(), "AVI File (*.AVI)|*.AVI");
    Click(&avi, "OkButton");
    EXPECT_EQ(avi.CommandText, "<AVII:" + *chooser_.file + ">");

    chooser_.folder = dir_.path();
    TDoDOSFiles files(nullptr, chooser_);
    files.show();
    Click(&files, "BrowseButton");  // a folder for change directory
    EXPECT_EQ(files.ProgPath->text().toStdString(), dir_.path());
    Click(&files, "OkButton");
    EXPECT_EQ(files.CommandText, "<CHDIR:" + dir_.path() + ">");
}

}  // namespace
}  // namespace tessaro
