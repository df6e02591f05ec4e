// Every dialog offscreen: it opens with either NewCommand, shows the controls its choice
// needs, and builds through its model; pictures go to build/screens/.
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QApplication>
#include <QStyle>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <thread>

#include "dialog_harness.h"
#include "editor/commands/active_dialog.h"
#include "editor/commands/clipboard_dialog.h"
#include "editor/commands/datetime_dialog.h"
#include "editor/commands/delay_dialogs.h"
#include "editor/commands/mouse_dialog.h"
#include "editor/commands/netconn_dialog.h"
#include "editor/commands/repeat_dialog.h"
#include "editor/commands/small_dialogs.h"
#include "editor/commands/text_dialogs.h"
#include "editor/commands/window_dialogs.h"
#include "foundation/helper_programs.h"
#include "platform/paths.h"
#include "foundation/strings.h"
#include "tests/support/held_press.h"
#include "tests/support/temp_dir.h"
#include "tests/support/visible_form.h"
#include "widgets/kept_text.h"

namespace tessaro {
namespace {

using testing::Click;
using testing::Focused;
using testing::Named;
using testing::RecordedBoxes;
using testing::SaveScreen;
using testing::Type;

class Forms : public ::testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
};

class NoConnections final : public NetworkConnectionList {
public:
    std::vector<std::pair<std::string, std::string>> Current() override { return {{"X:", "//nas/public"}}; }
    std::vector<std::pair<std::string, std::string>> Remembered() override {
        return {{"Y:", "//nas/home"}, {"", "x"}};
    }
};

TEST_F(Forms, EveryFormOpensWithEitherNewCommandAndIsPictured) {
    TConfigRecord settings;
    NoConnections connections;
    const std::vector<std::pair<std::string, std::function<std::unique_ptr<CommandDialog>()>>> makers = {
        {"TDoRepeat", [] { return std::make_unique<TDoRepeat>(nullptr); }},
        {"TDoActive", [] { return std::make_unique<TDoActive>(nullptr); }},
        {"TDoSizeIt", [] { return std::make_unique<TDoSizeIt>(nullptr); }},
        {"TDoSystemCommand", [] { return std::make_unique<TDoSystemCommand>(nullptr); }},
        {"TDoMouse", [] { return std::make_unique<TDoMouse>(nullptr); }},
        {"TDoClipboard", [] { return std::make_unique<TDoClipboard>(nullptr); }},
        {"TDoNetConn", [&] { return std::make_unique<TDoNetConn>(nullptr, connections); }},
        {"TDateOrTime_Date", [&] { return std::make_unique<TDateOrTime>(nullptr, false, settings); }},
        {"TDateOrTime_Time", [&] { return std::make_unique<TDateOrTime>(nullptr, true, settings); }},
        {"TDoSound", [] { return std::make_unique<TDoSound>(nullptr); }},
        {"TDoSound_Alarm", [&] { return std::make_unique<TDoSound>(nullptr, settings); }},
        {"TDoPausePos", [] { return std::make_unique<TDoPausePos>(nullptr); }},
        {"TDoSwap", [] { return std::make_unique<TDoSwap>(nullptr); }},
        {"TDoRemark", [] { return std::make_unique<TDoRemark>(nullptr); }},
        {"TDoKeyUpDown", [] { return std::make_unique<TDoKeyUpDown>(nullptr); }},
        {"TDoWebStuff_Web", [] { return std::make_unique<TDoWebStuff>(nullptr, false); }},
        {"TDoWebStuff_Ftp", [] { return std::make_unique<TDoWebStuff>(nullptr, true); }},
        {"TDoSpecial", [] { return std::make_unique<TDoSpecial>(nullptr); }},
        {"TDoSearch", [] { return std::make_unique<TDoSearch>(nullptr, false); }},
        {"TDoDelay2", [] { return std::make_unique<TDoDelay2>(nullptr); }},
        {"TDoSpeed", [] { return std::make_unique<TDoSpeed>(nullptr); }},
    };
    for (const auto& [name, make] : makers) {
        for (std::uint8_t newCommand : {1, 0}) {
            SCOPED_TRACE(name + " NewCommand " + std::to_string(newCommand));
            auto dlg = make();
            dlg->NewCommand = newCommand;
            dlg->show();
            EXPECT_TRUE(dlg->isVisible());
            EXPECT_TRUE(dlg->CommandText.empty());
            EXPECT_FALSE(dlg->windowTitle().isEmpty());
            if (newCommand == 1) SaveScreen(dlg.get(), name);
            Click(dlg.get(), "CancelButton");
            EXPECT_FALSE(dlg->isVisible());
            EXPECT_TRUE(dlg->CommandText.empty());
        }
    }
}

TEST_F(Forms, RepeatDefaultsAndFieldsPerChoice) {
    TDoRepeat dlg(nullptr);
    dlg.show();
    EXPECT_TRUE(dlg.Radio("StartRepeat")->isChecked());
    EXPECT_EQ(Focused(&dlg), "StartRepeat");
    EXPECT_EQ(dlg.Count->text(), "10");
    dlg.Radio("RepeatCounter")->setChecked(true);
    EXPECT_EQ(dlg.RepeatLabel->text(), "Counter Width");
    EXPECT_FALSE(dlg.CStart->isVisible());
    dlg.Radio("EndRepeat")->setChecked(true);
    EXPECT_FALSE(dlg.Count->isVisible());
    dlg.Radio("StartRepeat")->setChecked(true);
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<REP:0010:000001:000001>");
}

TEST_F(Forms, ActivePanelsFollowTheChoiceAndRefusalsFocus) {
    RecordedBoxes boxes;
    TDoActive dlg(nullptr);
    dlg.show();
    EXPECT_TRUE(dlg.Radio("ActiveLaunch")->isChecked());
    EXPECT_EQ(Focused(&dlg), "WinTitle");
    EXPECT_EQ(dlg.MaxSecs->text(), "12");
    dlg.Radio("ActiveOnly")->setChecked(true);
    EXPECT_FALSE(dlg.Panel3->isVisible());
    EXPECT_TRUE(dlg.Panel2->isVisible());
    dlg.Radio("LaunchOnly")->setChecked(true);
    EXPECT_FALSE(dlg.Panel2->isVisible());
    EXPECT_FALSE(dlg.MaxSecs->isVisible());
    Type(&dlg, "ProgPath", "/no/such/program");
    Click(&dlg, "OkButton");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Specified Path and Program does not exist.  Please correct.");
    EXPECT_EQ(Focused(&dlg), "ProgPath");
    Named<QCheckBox>(&dlg, "Bypass")->setChecked(true);
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<LAUNCHDEL:00/no/such/program>");
}

// A program's path is read whole in its field, in every layout that shows it.
TEST_F(Forms, ActiveProgramPathShowsAWholePath) {
    const QString path = "/usr/lib/libreoffice/program/soffice.bin";
    for (const char* action : {"LaunchOnly", "LaunchAct", "ActiveLaunch"}) {
        TDoActive dlg(nullptr);
        dlg.show();
        dlg.Radio(action)->setChecked(true);
        QApplication::processEvents();
        dlg.ProgPath->setText(path);
        const int frame =
            2 * dlg.ProgPath->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, dlg.ProgPath);
        EXPECT_GE(dlg.ProgPath->width() - frame - 4, dlg.ProgPath->fontMetrics().horizontalAdvance(path))
            << action;
        EXPECT_LE(dlg.frameGeometry().width(), 800) << action;
        const std::vector<std::string> faults = testing::VisibleFaults(dlg);
        EXPECT_TRUE(faults.empty()) << action << ": " << faults.front();
    }
}

TEST_F(Forms, WindowDialogsDesignation) {
    TDoSizeIt size(nullptr);
    size.show();
    EXPECT_TRUE(size.Radio("ResizeWin")->isChecked());
    EXPECT_TRUE(size.Target.SpecificWin->isChecked());
    size.Radio("PositionWin")->setChecked(true);
    EXPECT_EQ(size.Lab1->text(), "Left");
    EXPECT_EQ(TypingLimit(*size.TheWidth), 5);
    size.Target.CurrentWin->setChecked(true);
    Type(&size, "TheWidth", "-5");
    Type(&size, "TheHeight", "20");
    Click(&size, "OkButton");
    EXPECT_EQ(size.CommandText, "<WPOS2:-0005,00020\"CURRENT\">");

    TDoSystemCommand cmd(nullptr);
    cmd.show();
    EXPECT_TRUE(cmd.Radio("DoMaximize")->isChecked());
    EXPECT_EQ(Focused(&cmd), "DoMaximize");
    cmd.Radio("DoMinimize")->setChecked(true);
    Type(&cmd, "WinTitle", "Notepad");
    Click(&cmd, "OkButton");
    EXPECT_EQ(cmd.CommandText, "<WMIN:Notepad>");
}

TEST_F(Forms, MousePanelsAndTheLocator) {
    testing::TempDir home;
    RecordedBoxes boxes;
    TDoMouse dlg(nullptr);
    dlg.show();
    EXPECT_TRUE(dlg.Radio("MouseMove")->isChecked());
    EXPECT_TRUE(dlg.Radio("ToScreen")->isChecked());
    EXPECT_TRUE(dlg.Panel2->isVisible());
    EXPECT_FALSE(dlg.Panel3->isVisible());
    dlg.Radio("ToCaret")->setChecked(true);
    EXPECT_FALSE(dlg.XPos->isEnabled());
    dlg.Radio("WheelForward")->setChecked(true);
    EXPECT_TRUE(dlg.Panel3->isVisible());
    EXPECT_FALSE(dlg.Launch->isVisible());

    // The locator is looked for beside the programs, not in the data folder; a missing
    // one is said, not ignored.
    std::ofstream(home.file("PTRFIND")) << "#!/bin/sh\nexit 0\n";
    std::filesystem::permissions(home.file("PTRFIND"), std::filesystem::perms::owner_all);
    dlg.Radio("MouseMove")->setChecked(true);
    Click(&dlg, "Launch");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Error");
    EXPECT_EQ(boxes.calls[0].text,
              "The mouse locator " + MouseLocatorPath(win::ExecutableDirectory()) + " could not be found.");
}

TEST_F(Forms, ClipboardPathPanelAndPrompt) {
    TDoClipboard dlg(nullptr);
    dlg.show();
    EXPECT_TRUE(dlg.Radio("StartClip")->isChecked());
    EXPECT_FALSE(dlg.Panel2->isVisible());
    EXPECT_FALSE(dlg.IgnoreCR->isEnabled());
    dlg.Radio("SaveBit")->setChecked(true);
    EXPECT_TRUE(dlg.Panel2->isVisible());
    EXPECT_EQ(dlg.PathLabel->text(), "Graphic File Path/Name");
    dlg.SavePrompt->setChecked(true);
    EXPECT_FALSE(dlg.ProgPath->isEnabled());
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<CLIPSG::PROMPT:>");
}

TEST_F(Forms, NetConnDrivesListsAndLogon) {
    NoConnections connections;
    TDoNetConn dlg(nullptr, connections);
    dlg.show();
    EXPECT_EQ(dlg.DriveBox->count(), 26);
    EXPECT_EQ(dlg.DriveBox->currentText(), "B:");
    EXPECT_TRUE(dlg.UseDefault->isChecked());
    EXPECT_FALSE(dlg.LogName->isEnabled());
    EXPECT_EQ(Focused(&dlg), "DriveBox");
    dlg.Current->setChecked(true);
    ASSERT_EQ(dlg.CurrList->count(), 1);
    EXPECT_EQ(dlg.CurrList->item(0)->text(), "X: mapped to //nas/public");
    dlg.Bootup->setChecked(true);
    EXPECT_EQ(dlg.BootList->count(), 1);
    dlg.Radio("DoDisCon")->setChecked(true);
    EXPECT_FALSE(dlg.ProgPath->isVisible());
    EXPECT_TRUE(dlg.ForceDisc->isVisible());
    EXPECT_EQ(dlg.ConnectLabel->text(), "Disconnect");
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.CommandText, "<NWD:B:>");

    TDoNetConn edit(nullptr, connections);
    edit.NewCommand = 0;
    edit.Preset(
        NetConnPreset(1, TNetRec{"F://srv/share", "me", SwapPasswordChars("pw"), false, false, true}));
    edit.show();
    EXPECT_EQ(edit.DriveBox->currentText(), "F:");
    EXPECT_EQ(edit.ProgPath->text(), "//srv/share");
    EXPECT_EQ(edit.LogPass->text(), "pw");
    EXPECT_TRUE(edit.LogName->isEnabled());
}

TEST_F(Forms, DateDialogRemembersAndReturnsItsText) {
    TConfigRecord settings;
    settings.LastDateFormat = 11;
    settings.SuppressZerosInDate = true;
    TDateOrTime dlg(nullptr, false, settings);
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Dates");
    EXPECT_EQ(dlg.TheFormat->currentRow(), 11);
    EXPECT_EQ(dlg.TheFormat->count(), 51);
    EXPECT_TRUE(dlg.Suppress->isChecked());
    dlg.Past->setChecked(true);
    Type(&dlg, "Days", "7");
    dlg.TheFormat->setCurrentRow(10);
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.DateTimeText, "<DD-MM-YYYY{NP007}>");
    EXPECT_EQ(settings.LastDateFormat, 10);

    TDateOrTime time(nullptr, true, settings);
    time.show();
    EXPECT_EQ(time.TheFormat->count(), 26);
    EXPECT_FALSE(time.Days->isVisible());
    Click(&time, "CancelButton");
    EXPECT_TRUE(time.DateTimeText.empty());
}

TEST_F(Forms, SoundForCommandsAndForTheSchedulerAlarm) {
    testing::TempDir home;
    const std::string wav = home.file("ding.wav");
    std::ofstream(wav) << "RIFF";
    RecordedBoxes boxes;
    TConfigRecord settings;
    settings.UseWaveFile = true;
    settings.WaveFile = wav;
    {
        TDoSound alarm(nullptr, settings);
        alarm.show();
        EXPECT_EQ(alarm.windowTitle(), "Scheduler Alarm");
        EXPECT_EQ(alarm.Radio("Beep")->text(), "None");
        EXPECT_FALSE(alarm.HelpButton->isVisible());
        EXPECT_TRUE(alarm.Radio("WaveFile")->isChecked());
        alarm.Radio("Beep")->setChecked(true);
        Click(&alarm, "OkButton");
        EXPECT_EQ(alarm.result(), QDialog::Accepted);
        EXPECT_TRUE(alarm.CommandText.empty());
        EXPECT_FALSE(settings.UseWaveFile);
    }
    {
        TDoSound alarm(nullptr, settings);
        alarm.show();
        alarm.Radio("WaveFile")->setChecked(true);
        Type(&alarm, "ProgPath", QString::fromStdString(home.file("gone.wav")));
        Click(&alarm, "OkButton");
        ASSERT_EQ(boxes.calls.size(), 1u);
        EXPECT_EQ(boxes.calls[0].text, "Specified WAV File does not exist.  Please correct.");
        EXPECT_TRUE(alarm.isVisible());
        Type(&alarm, "ProgPath", QString::fromStdString(wav));
        alarm.WaitFor->setChecked(true);
        Click(&alarm, "OkButton");
        EXPECT_TRUE(settings.UseWaveFile);
        EXPECT_TRUE(settings.WaveFileWait);
    }
    TDoSound sound(nullptr);
    sound.show();
    EXPECT_TRUE(sound.Radio("Beep")->isChecked());
    sound.Radio("WaveFile")->setChecked(true);
    Type(&sound, "ProgPath", QString::fromStdString(wav));
    Click(&sound, "Test");  // no sound device here: nothing plays, nothing is said
    EXPECT_EQ(boxes.calls.size(), 1u);
    Click(&sound, "OkButton");
    EXPECT_EQ(sound.CommandText, "<WAV2:" + wav + ">");
}

TEST_F(Forms, SmallDialogs) {
    TDoPausePos pause(nullptr);
    pause.show();
    EXPECT_EQ(Focused(&pause), "TopCoord");
    EXPECT_EQ(Named<QLabel>(&pause, "TopLabel")->text(), "Top Coordinate");
    EXPECT_EQ(Named<QLabel>(&pause, "TopLabel")->buddy(), pause.TopCoord);
    Type(&pause, "TopCoord", "10");
    Type(&pause, "LeftCoord", "200");
    Type(&pause, "PauseMessage", "Hello");
    Click(&pause, "OkButton");
    EXPECT_EQ(pause.CommandText, "<PAUSE:010,200Hello>");

    TDoKeyUpDown keys(nullptr);
    keys.show();
    EXPECT_EQ(Focused(&keys), "CtrlDown");
    keys.Radio("WinUp")->setChecked(true);
    Click(&keys, "OkButton");
    EXPECT_EQ(keys.CommandText, "<WINU>");

    TDoWebStuff ftp(nullptr, true);
    ftp.show();
    EXPECT_EQ(ftp.windowTitle(), "Internet FTP");
    EXPECT_EQ(ftp.Label2->text(), "FTP URL");
    EXPECT_EQ(ftp.ProgPath->text(), "ftp://");
    EXPECT_EQ(ftp.HelpKey(), "TDoWebStuff.Ftp");
    TDoWebStuff web(nullptr, false);
    web.show();
    Type(&web, "ProgPath", "www.example.org");
    Click(&web, "OkButton");
    EXPECT_EQ(web.CommandText, "<HTTP:http://www.example.org>");

    RecordedBoxes boxes;
    TDoRemark remark(nullptr);
    remark.show();
    Type(&remark, "Comments", "a > b");
    Click(&remark, "OkButton");
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "The character \">\" cannot be used in this entry.  Please correct.");
    EXPECT_TRUE(remark.isVisible());
}

TEST_F(Forms, SymbolGridCellsAndTheAltKeypadChain) {
    const std::pair<int, int> cells[] = {{0, 0}, {1, 0}, {0, 1}};  // row, column
    const unsigned char codes[] = {128, 129, 136};
    for (int i = 0; i < 3; ++i) {
        TDoSpecial dlg(nullptr);
        dlg.show();
        EXPECT_TRUE(dlg.AltPadSeq->isVisible());
        dlg.SymbolGrid->setCurrentCell(cells[i].first, cells[i].second);
        Click(&dlg, "OkButton");
        EXPECT_EQ(dlg.CommandText, std::string(1, char(codes[i])));
    }
    TDoSpecial hidden(nullptr);
    hidden.HideAltPad = 1;
    hidden.show();
    EXPECT_FALSE(hidden.AltPadSeq->isVisible());
    // The keypad dialog's text closes the chooser with it.
    TDoSpecial chain(nullptr);
    chain.show();
    chain.TakeAltPadResult("<ALT:065>");
    EXPECT_FALSE(chain.isVisible());
    EXPECT_EQ(chain.CommandText, "<ALT:065>");
}

// The modal chain as a user walks it: Symbols, then the Alt keypad button, then 65 and OK
// in the keypad dialog close both and insert the sequence into the memo.
TEST_F(Forms, SymbolsAltKeypadChainInsertsIntoTheMemo) {
    TModText editor(nullptr);
    editor.PresetText("x");
    editor.show();
    editor.NewFormat->moveCursor(QTextCursor::End);
    bool keypadSeen = false;
    QTimer::singleShot(0, [&] {
        auto* chooser = qobject_cast<TDoSpecial*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        QTimer::singleShot(0, [&] {
            auto* keypad = qobject_cast<TDoDelay*>(QApplication::activeModalWidget());
            ASSERT_NE(keypad, nullptr);
            keypadSeen = true;
            EXPECT_EQ(keypad->windowTitle(), "Alt Keypad Sequence");
            Type(keypad, "Seconds", "65");
            Click(keypad, "OkButton");
        });
        Click(chooser, "AltPadSeq");
        EXPECT_FALSE(chooser->isVisible());
    });
    Click(&editor, "Symbols");
    EXPECT_TRUE(keypadSeen);
    EXPECT_EQ(editor.NewFormat->toPlainText(), "x<ALT:065>");
}

TEST_F(Forms, ModTextInsertsAtTheCaretAndKeepsItsLimit) {
    RecordedBoxes boxes;
    TModText dlg(nullptr);
    dlg.PresetText("hello world");
    dlg.show();
    QTextCursor c = dlg.NewFormat->textCursor();
    c.setPosition(5);
    c.setPosition(11, QTextCursor::KeepAnchor);  // " world" selected
    dlg.NewFormat->setTextCursor(c);
    Click(&dlg, "ReturnButton");
    EXPECT_EQ(dlg.NewFormat->toPlainText(), "hello<ENTER> world");
    EXPECT_EQ(dlg.NewFormat->textCursor().position(), 12);
    dlg.MiscBox->setCurrentIndex(2);
    Click(&dlg, "OkButton");
    EXPECT_EQ(dlg.NewFormat->toPlainText(), "hello<ENTER><APP> world");

    dlg.PresetText(std::string(4995, 'x'));
    dlg.NewFormat->moveCursor(QTextCursor::End);
    Click(&dlg, "F1Button");  // 4,999
    EXPECT_TRUE(boxes.calls.empty());
    dlg.PresetText(std::string(4995, 'x'));
    Click(&dlg, "ReturnButton");  // 5,002
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Text exceeds maximum length.  Text not added.");
    EXPECT_EQ(dlg.NewFormat->toPlainText().size(), 4995);

    dlg.PresetText("a\tb\nc");
    Click(&dlg, "UpdateButton");
    EXPECT_EQ(dlg.Updated, 1);
    EXPECT_EQ(dlg.TextBuffer, "a<TAB>b\r\nc");
}

// A stored text with a tab byte, LF endings and a no-break space.
TEST_F(Forms, ModTextGivesAStoredTextBackAsItWasAndKeepsItsStyleWhenEdited) {
    const std::string stored =
        "a\tb\nc\xA0"
        "d\n";
    TModText same(nullptr);
    same.PresetStored(stored);
    same.show();
    testing::HeldClick(Named<QPushButton>(&same, "UpdateButton"));
    EXPECT_EQ(same.Updated, 1);
    EXPECT_EQ(same.TextBuffer, stored);

    TModText edited(nullptr);
    edited.PresetStored(stored);
    edited.show();
    edited.NewFormat->moveCursor(QTextCursor::End);
    QTest::keyClicks(edited.NewFormat, "e\tf");
    testing::HeldClick(Named<QPushButton>(&edited, "UpdateButton"));
    EXPECT_EQ(edited.TextBuffer, stored + "e\tf");

    // A new text is the macro's own: CR LF and "<TAB>".
    TModText typed(nullptr);
    typed.PresetStored(stored);
    typed.PresetText("x\ty\n");
    typed.show();
    testing::HeldClick(Named<QPushButton>(&typed, "UpdateButton"));
    EXPECT_EQ(typed.TextBuffer, "x<TAB>y\r\n");
}

TEST_F(Forms, ModTextFindAgainAndReplace) {
    RecordedBoxes boxes;
    TModText dlg(nullptr);
    dlg.PresetText("abAB");
    dlg.show();
    dlg.FindText("ab");
    EXPECT_EQ(dlg.NewFormat->textCursor().selectedText(), "ab");
    dlg.FindAgain();
    EXPECT_EQ(dlg.NewFormat->textCursor().selectedText(), "AB");
    dlg.FindAgain();
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].caption, "Warning");
    EXPECT_EQ(boxes.calls[0].text, "\"ab\" was not found.");
    dlg.FindAgain();  // from the top again
    EXPECT_EQ(dlg.NewFormat->textCursor().selectionStart(), 0);
    dlg.ReplaceText("ab", "x");
    EXPECT_EQ(dlg.NewFormat->toPlainText(), "xx");
    ASSERT_EQ(boxes.calls.size(), 2u);
    EXPECT_EQ(boxes.calls[1].caption, "Replaced");
    EXPECT_EQ(boxes.calls[1].text, "\"ab\" was replaced 2 times.");
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.Updated, 0);
    SaveScreen(&dlg, "TModText");
}

}  // namespace
}  // namespace tessaro
