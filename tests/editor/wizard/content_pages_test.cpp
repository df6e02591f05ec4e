// The content pages on a plain window standing in for the wizard's form: their controls,
// loaders and handlers with the printers, modes, choosers and mixer handed in.
#include "editor/wizard/content_pages.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "editor/commands/chooser.h"
#include "editor/commands/media_dialogs.h"
#include "editor/commands/text_dialogs.h"
#include "editor/model/wizard/activation_pages.h"
#include "editor/model/wizard/content_pages.h"
#include "editor/wizard/control_binding.h"
#include "foundation/ras.h"
#include "platform/paths.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_system_settings.h"
#include "tests/editor/commands/dialog_harness.h"
#include "tests/editor/commands/families/fakes.h"
#include "tests/support/temp_dir.h"
#include "widgets/kept_text.h"

namespace tessaro {
namespace {

using testing::Click;
using testing::Named;
using testing::RecordedBoxes;

class ScriptedMixer final : public MixerHost, public MixerControls {
public:
    std::map<int, bool> available;
    MixerControls& OpenMixer() override { return *this; }
    bool Available(int control) override { return available[control]; }
};

// The form around the pages: a window with the 83 panels.
class PagesForm final : public WizardForm {
public:
    PagesForm(wizard::WizardContext& ctx, int function) : ctx_(ctx), function_(function) {
        for (int p = 1; p <= 83; ++p) {
            panels_[p] = new QWidget(&window_);
            panels_[p]->setObjectName(QString("Panel%1").arg(p));
        }
    }
    int WizardFunction() const override { return function_; }
    wizard::WizardContext& Context() override { return ctx_; }
    wizard::Answers Snapshot() const override { return {}; }
    QWidget* Panel(int page) const override { return panels_.at(page); }
    QWidget* Window() override { return &window_; }

    QWidget window_;

private:
    wizard::WizardContext& ctx_;
    int function_;
    std::map<int, QWidget*> panels_;
};

class ContentPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        group = MakeContentPages(ContentServices{printers, settings, chooser, mixer});
        for (int page : group->Pages()) group->Build(page, form.Panel(page), form);
        WriteControls(&form.window_, wizard::CreationPresets(CalendarDate{2026, 12, 9}, false, true));
        form.window_.resize(600, 400);
        form.window_.show();
    }
    // Shows one page as the form does: only that panel visible.
    void Show(int page, bool first = true) {
        for (int p = 1; p <= 83; ++p) form.Panel(p)->setVisible(p == page);
        group->Shown(page, first, form);
    }
    template <class W = QWidget>
    W* At(const char* name) {
        return Named<W>(&form.window_, name);
    }
    std::string Focused() { return testing::Focused(&form.window_); }

    bool qtReady = (EnsureQtApplication(), true);  // before the form's widgets
    testing::TempDir dir;
    TMacroRecord macro{};
    TGlobData glob{};
    TConfigRecord config{};
    win::sim::SimDesktop desktop;
    InstalledPrograms installed{XdgPlaces{dir.path(), {}, {"/bin", "/usr/bin"}, ""}};
    wizard::WizardContext ctx{macro,   glob,     config, {}, dir.path(), dir.file("macros.mac"),
                              desktop, installed};
    win::sim::SimPrinters printers;
    win::sim::SimSystemSettings settings;
    testing::FakeChooser chooser;
    ScriptedMixer mixer;
    PagesForm form{ctx, 1};
    std::unique_ptr<WizardPageGroup> group;
};

TEST_F(ContentPagesTest, EveryChoiceOfThePagesIsAControlOfItsNameWithThePresetChecked) {
    auto expectRadios = [&](auto& table) {
        for (const wizard::PageChoice& c : table) {
            auto* radio = form.Control<QRadioButton>(c.name);
            ASSERT_NE(radio, nullptr) << c.name;
            EXPECT_EQ(radio->text().toStdString(), std::string(c.caption)) << c.name;
        }
    };
    expectRadios(wizard::kP5Choices);
    expectRadios(wizard::kP11Choices);
    expectRadios(wizard::kP20Choices);
    expectRadios(wizard::kP30Choices);
    expectRadios(wizard::kP42Choices);
    expectRadios(wizard::kP48Choices);
    for (std::string_view n : wizard::kP44Volume)
        EXPECT_NE(form.Control<QRadioButton>("P44" + std::string(n)), nullptr) << n;
    for (std::string_view n : wizard::kP45Volume)
        EXPECT_NE(form.Control<QRadioButton>("P45" + std::string(n)), nullptr) << n;
    for (const char* preset :
         {"P5Toggle", "P11Logoff",    "P13Text",      "P17Both",    "P20Today",    "P21Web",
          "P23Tiled", "P24Immed",     "P25Folder",    "P26Beep",    "P27Dial",     "P30LaunchOnly",
          "P31No",    "P32Installed", "P35RepTop",    "P38Max",     "P39Top",      "P41On",
          "P42Play",  "P43Play",      "P44AudioMute", "P47Cascade", "P48ChangeDir"})
        EXPECT_TRUE(At<QRadioButton>(preset)->isChecked()) << preset;
    EXPECT_EQ(At<QLineEdit>("P41Minutes")->text(), "5");
    EXPECT_EQ(At<QLineEdit>("P42Track")->text(), "1");
    EXPECT_EQ(TypingLimit(*At<QLineEdit>("P33Title")), 20);

    // Choices placed apart on their page still exclude each other.
    At<QRadioButton>("P25Special")->click();
    EXPECT_FALSE(At<QRadioButton>("P25Folder")->isChecked());
    EXPECT_TRUE(At<QWidget>("P25SpecList")->isEnabled());
    EXPECT_FALSE(At<QWidget>("P25Path")->isEnabled());
    At<QRadioButton>("P32ProgPath")->click();
    EXPECT_FALSE(At<QRadioButton>("P32Installed")->isChecked());
    EXPECT_FALSE(At<QWidget>("P32InstallBox")->isEnabled());
    EXPECT_TRUE(At<QWidget>("P32Browse")->isEnabled());
}

TEST_F(ContentPagesTest, KeystrokesGoInAtTheCaretAndTooMuchTextIsRefused) {
    Show(14);
    auto* list = At<QListWidget>("P14KeyList");
    ASSERT_EQ(list->count(), 26);
    EXPECT_EQ(Focused(), "P14MyMemo");
    auto* memo = At<QPlainTextEdit>("P14MyMemo");
    memo->setPlainText("Dear Sir");
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(4);
    memo->setTextCursor(cursor);

    RecordedBoxes boxes;
    Click(&form.window_, "P14Keystrokes");
    EXPECT_TRUE(At("KeystrokePanel")->isVisible());
    Click(&form.window_, "P14Ok");  // nothing chosen
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "No keystroke selected.");
    EXPECT_EQ(boxes.calls[0].caption, "Error");
    EXPECT_TRUE(At("KeystrokePanel")->isVisible());

    list->setCurrentRow(21);
    ASSERT_EQ(list->currentItem()->text(), "Down Arrow");
    Click(&form.window_, "P14Ok");
    EXPECT_EQ(memo->toPlainText(), "Dear<DOWN ARROW> Sir");
    EXPECT_EQ(memo->textCursor().position(), 16);
    EXPECT_FALSE(At("KeystrokePanel")->isVisible());

    const QString full(4990, 'a');
    memo->setPlainText(full);
    Click(&form.window_, "P14Keystrokes");
    list->setCurrentRow(19);  // "<RIGHT ARROW>": 13 more
    Click(&form.window_, "P14Ok");
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[1].text, "Text exceeds maximum length.  Text not added.");
    EXPECT_EQ(memo->toPlainText(), full);
    EXPECT_FALSE(At("KeystrokePanel")->isVisible());  // closed all the same
    Click(&form.window_, "P14Keystrokes");
    list->setCurrentRow(23);  // "<TAB>"
    Click(&form.window_, "P14Ok");
    EXPECT_EQ(memo->toPlainText().size(), 4995);
}

// Answers the symbol dialog once it is up: picks the cell and presses OK, noting whether
// the Alt keypad button was offered.
void PickSymbolWhenShown(int column, int row, bool& altPadOffered) {
    QTimer::singleShot(0, [column, row, &altPadOffered] {
        auto* dialog = qobject_cast<TDoSpecial*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        altPadOffered = dialog->AltPadSeq->isVisible();
        dialog->SymbolGrid->setCurrentCell(row, column);
        Click(dialog, "OkButton");
    });
}

TEST_F(ContentPagesTest, SymbolsGoIntoEachMemoWithoutTheAltKeypad) {
    Show(26);
    auto* memo = At<QPlainTextEdit>("P26MyMemo");
    memo->setPlainText("Caf");
    memo->moveCursor(QTextCursor::End);
    bool altPad = true;
    PickSymbolWhenShown(13, 1, altPad);  // code 128 + 105 = 233
    Click(&form.window_, "Button1");
    EXPECT_FALSE(altPad);
    EXPECT_EQ(memo->toPlainText(), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(memo->textCursor().position(), 4);

    RecordedBoxes boxes;
    At<QRadioButton>("P13Text")->setChecked(true);
    Show(12);
    At<QPlainTextEdit>("P12MyMemo")->setPlainText(QString(5000, 'x'));
    PickSymbolWhenShown(0, 0, altPad);
    Click(&form.window_, "P12Symbols");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Text exceeds maximum length.  Text not added.");
    EXPECT_EQ(At<QPlainTextEdit>("P12MyMemo")->toPlainText().size(), 5000);
}

TEST_F(ContentPagesTest, MemosStopTypingAndPastingAt4000ButButtonsMayAddMore) {
    Show(14);
    auto* memo = At<QPlainTextEdit>("P14MyMemo");
    memo->setPlainText(QString(3999, 'a'));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, "bc");
    EXPECT_EQ(memo->toPlainText().size(), 4000);
    EXPECT_TRUE(memo->toPlainText().endsWith("ab"));
    QTest::keyClick(memo, Qt::Key_Backspace);  // editing keys still work
    EXPECT_EQ(memo->toPlainText().size(), 3999);

    QApplication::clipboard()->setText("xyz");
    memo->paste();  // 3,999 + 3: refused whole
    EXPECT_EQ(memo->toPlainText().size(), 3999);
    QApplication::clipboard()->setText("x");
    memo->paste();
    EXPECT_EQ(memo->toPlainText().size(), 4000);

    Click(&form.window_, "P14Keystrokes");
    At<QListWidget>("P14KeyList")->setCurrentRow(23);  // "<TAB>" past the typing limit
    Click(&form.window_, "P14Ok");
    EXPECT_EQ(memo->toPlainText().size(), 4005);
}

TEST_F(ContentPagesTest, ListsLoadFromTheSystemOnce) {
    printers.names = {"Laser", "Colour Jet"};
    settings.modes = {{640, 480, 256, 60}, {1024, 768, 65536, 75}};
    Show(15);
    Show(16);
    auto* printerList = At<QListWidget>("P15SettingBox");
    ASSERT_EQ(printerList->count(), 2);
    EXPECT_EQ(printerList->item(1)->text(), "Colour Jet");
    ASSERT_EQ(At<QListWidget>("P16SettingBox")->count(), 2);
    EXPECT_EQ(At<QListWidget>("P16SettingBox")->item(0)->text(), " 640 x  480  256 Colors  60 hertz");
    printerList->setCurrentRow(1);
    printers.names = {"Other"};
    Show(15, false);  // shown again: kept, with its choice
    EXPECT_EQ(printerList->count(), 2);
    EXPECT_EQ(printerList->currentRow(), 1);

    Show(18);
    Show(19);
    EXPECT_EQ(At<QListWidget>("P18Format")->count(), 51);
    Show(18, false);
    At<QListWidget>("P18Format")->setCurrentRow(2);
    testing::SaveScreen(&form.window_, "WizardPage18");
    EXPECT_EQ(At<QListWidget>("P19Format")->count(), 26);

    Show(6);
    auto* drives = At<QComboBox>("P6DriveBox");
    EXPECT_EQ(drives->count(), 26);
    EXPECT_EQ(drives->currentText(), "B:");

    Show(25);
    EXPECT_EQ(At<QListWidget>("P25SpecList")->count(), 14);

    Show(4);
    EXPECT_EQ(At<QTableWidget>("P4SymbolGrid")->currentColumn(), 9);
    EXPECT_EQ(At<QTableWidget>("P4SymbolGrid")->currentRow(), 3);
    EXPECT_EQ(At<QTableWidget>("P4SymbolGrid")->item(7, 15)->text(), QString(QChar(0xFF)));  // code 255
}

TEST_F(ContentPagesTest, InstalledProgramsComeFromTheSharedScan) {
    std::filesystem::create_directories(dir.file("applications"));
    std::ofstream(dir.file("applications/shell.desktop"))
        << "[Desktop Entry]\nType=Application\nName=Shell Window\nExec=sh -i\n";
    Show(32);
    auto* list = At<QListWidget>("P32InstallBox");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Shell Window.LNKsh");
    testing::SaveScreen(&form.window_, "WizardPage32");
    EXPECT_TRUE(installed.Loaded());
}

TEST_F(ContentPagesTest, PagesFollowEarlierChoices) {
    At<QRadioButton>("P5Disconnect")->setChecked(true);
    Show(6);
    EXPECT_EQ(At<QLabel>("P6DriveLabel")->text(), "Disconnect Local Drive");
    EXPECT_FALSE(At("P6ProgPath")->isVisible());
    Show(29);
    EXPECT_EQ(At<QLabel>("P29Heading")->text(), "Disconnect Options");
    EXPECT_TRUE(At("P29ForceDisc")->isVisible());
    EXPECT_FALSE(At("P29LogonPanel")->isVisible());
    At<QRadioButton>("P5Connect")->setChecked(true);
    Show(6, false);
    EXPECT_TRUE(At("P6ProgPath")->isVisible());
    Show(29, false);
    EXPECT_TRUE(At("P29LogonPanel")->isVisible());
    EXPECT_FALSE(At("P29LogName")->isEnabled());
    At<QCheckBox>("P29UseDefault")->setChecked(false);
    EXPECT_TRUE(At("P29LogName")->isEnabled());

    At<QRadioButton>("P13Graphic")->setChecked(true);
    Show(12);
    EXPECT_FALSE(At("P12MyMemo")->isVisible());
    EXPECT_EQ(Focused(), "P12Path");

    Show(20);
    EXPECT_FALSE(At("P20Days")->isVisible());
    At<QRadioButton>("P20Past")->click();
    EXPECT_TRUE(At("P20Days")->isVisible());
    EXPECT_EQ(At<QLabel>("P20FutLabel")->text(), "Days in the past");
    At<QRadioButton>("P20Yest")->click();
    EXPECT_FALSE(At("P20Days")->isVisible());

    At<QRadioButton>("P21FTP")->setChecked(true);
    Show(22);
    EXPECT_EQ(At<QLabel>("P22Prefix")->text(), "ftp://");
    EXPECT_EQ(Focused(), "P22URL");

    Show(23);
    EXPECT_FALSE(At("ScreenPosPanel")->isVisible());
    At<QRadioButton>("P23Positioned")->click();
    EXPECT_TRUE(At("ScreenPosPanel")->isVisible());
    EXPECT_EQ(Focused(), "P23Top");

    At<QRadioButton>("P35SizeChoice")->setChecked(true);
    Show(36);
    EXPECT_EQ(At<QLabel>("P36Label1")->text(), "Width");
    At<QRadioButton>("P35RepChoice")->setChecked(true);
    Show(36, false);
    EXPECT_EQ(At<QLabel>("P36Label1")->text(), "Top");

    At<QRadioButton>("P38Restore")->setChecked(true);
    Show(39);
    EXPECT_EQ(At<QLabel>("P39Heading")->text(), "Would you like to restore");
    Show(40);
    EXPECT_TRUE(At<QLabel>("P40Heading")->text().contains("restoredd"));

    At<QRadioButton>("P48RenameFile")->setChecked(true);
    Show(49);
    EXPECT_EQ(At<QLabel>("P49NewLabel")->text(), "New name of file");
    EXPECT_TRUE(At("P49NewName")->isVisible());

    Show(41);
    EXPECT_FALSE(At("P41Minutes")->isEnabled());
    At<QRadioButton>("P41Idle")->click();
    EXPECT_TRUE(At("P41Minutes")->isEnabled());
    EXPECT_EQ(Focused(), "P41Minutes");

    Show(26);
    EXPECT_FALSE(At("P26ProgPath")->isEnabled());
    At<QRadioButton>("P26Wave")->click();
    EXPECT_TRUE(At("P26ProgPath")->isEnabled());
    At<QRadioButton>("P26NoSound")->click();
    EXPECT_FALSE(At("P26Browse")->isEnabled());
}

TEST_F(ContentPagesTest, BrowseFillsItsFieldAndRefusesAPathOver255) {
    RecordedBoxes boxes;
    chooser.file = "/pictures/sky.bmp";
    Click(&form.window_, "P23Browse");
    EXPECT_EQ(At<QLineEdit>("P23Bit")->text(), "/pictures/sky.bmp");

    // Page 12 still offers the graphic filter after the wallpaper browse.
    At<QRadioButton>("P13Graphic")->setChecked(true);
    Click(&form.window_, "P12Browse");
    ASSERT_EQ(chooser.filters.size(), 2u);
    EXPECT_EQ(chooser.filters[1].substr(0, 14), "Graphic Files ");
    At<QRadioButton>("P13Text")->setChecked(true);
    Click(&form.window_, "P12Browse");  // text: no dialog
    EXPECT_EQ(chooser.filters.size(), 2u);

    chooser.file = "/" + std::string(300, 'p');
    Click(&form.window_, "P24Browse");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, wizard::kPathTooLong);
    EXPECT_EQ(At<QLineEdit>("P24Path")->text(), "");

    chooser.file.reset();  // cancelled: nothing changes
    Click(&form.window_, "P23Browse");
    EXPECT_EQ(At<QLineEdit>("P23Bit")->text(), "/pictures/sky.bmp");

    chooser.folder = "/home/user/docs";
    At<QRadioButton>("P48CreateFolder")->setChecked(true);
    Click(&form.window_, "P49Browse");
    EXPECT_EQ(At<QLineEdit>("P49Path")->text(), "/home/user/docs");
    At<QRadioButton>("P48DeleteFile")->setChecked(true);
    chooser.file = "/home/user/old.txt";
    Click(&form.window_, "P49Browse");
    EXPECT_EQ(At<QLineEdit>("P49Path")->text(), "/home/user/old.txt");
    EXPECT_EQ(chooser.filters.back(), std::string(wizard::kAllBrowse.filter));

    chooser.folder = "/run/user/1000/gvfs/smb-share:server=files,share=team/plans";
    Click(&form.window_, "P6Browse");
    EXPECT_EQ(At<QLineEdit>("P6ProgPath")->text(), "//files/team");
}

TEST_F(ContentPagesTest, AudioDeviceAndWavePlay) {
    RecordedBoxes boxes;
    mixer.available = {{1, true}, {3, true}};
    Click(&form.window_, "P44Test");
    Click(&form.window_, "Button2");
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[0].caption, "Audio Device");
    EXPECT_EQ(boxes.calls[0].text.substr(0, 45), "Audio Volume and Balance Control Supported.\n\r");
    EXPECT_NE(boxes.calls[0].text.find("Audio Treble NOT Supported."), std::string::npos);
    EXPECT_EQ(boxes.calls[1].text, boxes.calls[0].text);

    Show(46);
    const std::string wav = dir.file("ding.wav");
    std::ofstream(wav, std::ios::binary) << std::string("RIFF\x24\0\0\0WAVE", 12);
    At<QLineEdit>("P46FName")->setText(QString::fromStdString("  " + wav));
    Click(&form.window_, "Button4");  // it exists: played, nothing to report
    EXPECT_EQ(boxes.calls.size(), 2u);
    At<QLineEdit>("P46FName")->setText(QString::fromStdString(dir.file("missing.wav")));
    At<QWidget>("P46Wait")->setFocus();
    Click(&form.window_, "Button4");
    ASSERT_EQ(boxes.calls.size(), 3u);
    EXPECT_EQ(boxes.calls[2].text, "Specified WAV File does not exist.  Please correct.");
    EXPECT_EQ(Focused(), "P46FName");
}

// Without the dial-up service the list is only empty: no box about missing files.
TEST_F(ContentPagesTest, PhoneBookWithoutDialUpStaysEmptyWithoutAMessage) {
    RasLoadLibrary("/nonexistent/libnm.so.0");
    RecordedBoxes boxes;
    Show(28);
    EXPECT_EQ(At<QListWidget>("P28PhoneList")->count(), 0);
    EXPECT_TRUE(boxes.calls.empty());
    Click(&form.window_, "P28Retrieve");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "No phone book entry has been selected.");
    EXPECT_EQ(Focused(), "P28PhoneList");
}

TEST_F(ContentPagesTest, PhoneBookEntriesAndRetrieveThroughTheDialUpService) {
    ::setenv("FAKE_NM_CONNECTIONS", "Work Dial:gsm:alice;Office Wi-Fi:802-11-wireless:;Company VPN:vpn:carol",
             1);
    ASSERT_TRUE(RasLoadLibrary(win::JoinPath(win::ExecutableDirectory(), "libfake_nm.so")));
    Show(28);
    auto* list = At<QListWidget>("P28PhoneList");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), 0);
    list->setCurrentRow(1);
    Click(&form.window_, "P28Retrieve");
    EXPECT_EQ(At<QLineEdit>("P28UserName")->text(), "carol");
    RasFreeLibrary();
    ::unsetenv("FAKE_NM_CONNECTIONS");
}

}  // namespace
}  // namespace tessaro
