// Lines edited through the real script editor, its command editors and their shown dialogs,
// clicked as a person does: in a text file every kind of line confirmed unchanged keeps the
// file's bytes and an edited one its line breaks and tab bytes; new lines open on their own
// command's form.
#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QLineEdit>
#include <QCheckBox>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "editor/script/script_writer.h"
#include "editor/script/ui/command_editors.h"
#include "editor/script/ui/do_scripting.h"
#include "platform/message_box.h"
#include "protocol/glob_data.h"
#include "tests/support/sim_platform_test.h"
#include "tests/editor/commands/families/fakes.h"
#include "tests/editor/script/ui/editor_services.h"
#include "tests/editor/script/ui/no_connections.h"
#include "tests/editor/script/ui/script_rows_shown.h"
#include "tests/support/held_press.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::HeldClick;
using testing::HeldClickRow;
using testing::RowCount;
using testing::RowText;

// Acts once on the next modal dialog that `wanted` picks, inside its own loop; a dialog the
// act left open is closed so that a failed step cannot hang the test.
void WhenModal(std::function<bool(const QDialog&)> wanted, std::function<void(QDialog&)> act) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, wanted, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || !wanted(*dialog)) return;
        poll->stop();
        poll->deleteLater();
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << dialog->windowTitle().toStdString() << " was left open";
            dialog->reject();
        }
    });
    poll->start(10);
}

// The next modal dialog with `title`.
void WhenShown(const QString& title, std::function<void(QDialog&)> act) {
    WhenModal([title](const QDialog& d) { return d.windowTitle() == title; }, std::move(act));
}

// The next modal dialog other than `except`, whatever its title.
void WhenAnyShown(const QWidget* except, std::function<void(QDialog&)> act) {
    WhenModal([except](const QDialog& d) { return &d != except; }, std::move(act));
}

void ClickButton(QDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    HeldClick(button);
}

constexpr const char* kLoadTextFile = "Load Text from a Text File";
constexpr const char* kKeystrokes = "Enter Keystrokes";

class TextFileThroughTheEditor : public testing::SimPlatformTest {
protected:
    TextFileThroughTheEditor() {
        EnsureQtApplication();
        std::ofstream(path, std::ios::binary) << bytes;
        SetMacroText(current, "<TFILE:" + path + ">");
    }

    std::string Slurp() const {
        const std::vector<char> b = testing::ReadBytes(path);
        return {b.begin(), b.end()};
    }

    // Edit on the "Load Text File" line, then "Edit In Scripting Editor": the file as lines.
    void OpenTheFile(TDoScripting& w) {
        HeldClickRow(w.Script, 0);
        WhenShown(kLoadTextFile, [](QDialog& d) { ClickButton(d, "EditScript"); });
        HeldClick(w.DoEdit);
        ASSERT_TRUE(w.TextFile().Active);
        ASSERT_EQ(RowCount(w.Script), lines);  // plain text is one Text line
        HeldClickRow(w.Script, row);
    }
    int lines = 1;
    int row = 0;

    // Save writes the file; the "Load Text File" dialog opens again over the macro's lines.
    void SaveTheFile(TDoScripting& w) {
        WhenShown(kLoadTextFile, [this, &w](QDialog& d) {
            for (int i = 0; i < RowCount(w.Script); ++i) behind.push_back(RowText(w.Script, i).toStdString());
            ClickButton(d, "OkButton");
        });
        HeldClick(w.OkButton);
        EXPECT_FALSE(w.TextFile().Active);
    }

    // Another file's bytes, written before the editor opens it.
    void Holding(const std::string& other) {
        bytes = other;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }

    testing::TempDir dir;
    const std::string path = dir.file("notes.txt");
    std::string bytes = "first line\n\tindented\nlast\n";
    TConfigRecord config{};
    TGlobData glob{};
    TMacroRecord current{};
    testing::FakeChooser chooser;
    testing::FakePicker picker;
    testing::FakePathEditor recipients{config};
    testing::NoSoundCard mixer;
    testing::NoConnections connections;
    ModalDialogRunner runner;
    CommandEditors editors{CommandEditorHosts{config, glob, chooser, picker, recipients, mixer, connections,
                                              platform.printers(), platform.systemSettings()},
                           runner};
    testing::EditorServices services{editors};
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::FirstButton(call.buttons);
    }};
    std::vector<std::string> behind;  // the script list while the dialog opened again
};

TEST_F(TextFileThroughTheEditor, AnUnchangedLineKeepsTheFileAndAnEditKeepsItsLineBreaksAndTabs) {
    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    w.ScriptMode = 6;
    w.IsExisting = true;
    w.show();
    QApplication::processEvents();

    // Edit and Update without a change: not a byte of the file differs.
    ASSERT_NO_FATAL_FAILURE(OpenTheFile(w));
    WhenShown(kKeystrokes, [](QDialog& d) { ClickButton(d, "UpdateButton"); });
    HeldClick(w.DoEdit);
    SaveTheFile(w);
    EXPECT_EQ(Slurp(), bytes);
    ASSERT_EQ(behind.size(), 1u);
    EXPECT_EQ(behind[0].rfind("Load Text File", 0), 0u) << behind[0];
    EXPECT_TRUE(boxes.empty()) << boxes.front();

    // Typed at its end, with a Tab and a line break: still LF endings and tab bytes.
    ASSERT_NO_FATAL_FAILURE(OpenTheFile(w));
    WhenShown(kKeystrokes, [](QDialog& d) {
        auto* memo = d.findChild<QPlainTextEdit*>("NewFormat");
        ASSERT_NE(memo, nullptr);
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(memo, "one\tmore");
        QTest::keyClick(memo, Qt::Key_Return);
        ClickButton(d, "UpdateButton");
    });
    HeldClick(w.DoEdit);
    SaveTheFile(w);
    EXPECT_EQ(Slurp(), bytes + "one\tmore\n");
    EXPECT_TRUE(boxes.empty()) << boxes.front();

    // A new text line added to the file, and a line break typed into a line that had none,
    // take the file's LF and tab bytes too.
    Holding("start\n<TDELAY:05>end");
    lines = 3;
    row = 2;
    ASSERT_NO_FATAL_FAILURE(OpenTheFile(w));
    WhenShown(kKeystrokes, [](QDialog& d) {
        auto* memo = d.findChild<QPlainTextEdit*>("NewFormat");
        ASSERT_NE(memo, nullptr);
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Return);
        ClickButton(d, "UpdateButton");
    });
    HeldClick(w.DoEdit);
    HeldClickRow(w.OptionBox, cmd::Text - 1);
    WhenShown(kKeystrokes, [](QDialog& d) {
        auto* memo = d.findChild<QPlainTextEdit*>("NewFormat");
        ASSERT_NE(memo, nullptr);
        QTest::keyClicks(memo, "new");
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, "line");
        QTest::keyClick(memo, Qt::Key_Return);
        ClickButton(d, "UpdateButton");
    });
    HeldClick(w.AddButton);
    SaveTheFile(w);
    EXPECT_EQ(Slurp(), "start\n<TDELAY:05>end\nnew\nline\n");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

// A file that cannot be edited as lines, or a script that cannot be put aside first: the
// refusal is shown over the dialog, which stays open with the typed path.
TEST_F(TextFileThroughTheEditor, ARefusedSwitchKeepsTheDialogAndWhatWasTyped) {
    Holding(std::string("bin\0ary", 7));
    for (const int mode : {6, 3}) {
        if (mode == 3) Holding("plain text\n");  // and the Snipra name is left empty
        TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
        w.ScriptMode = mode;
        w.IsExisting = true;
        w.show();
        QApplication::processEvents();
        HeldClickRow(w.Script, 0);
        bool stayed = false;
        QString typed;
        WhenShown(kLoadTextFile, [&](QDialog& d) {
            ClickButton(d, "EditScript");
            stayed = d.isVisible();
            typed = d.findChild<QLineEdit*>()->text();
            ClickButton(d, "CancelButton");
        });
        HeldClick(w.DoEdit);
        EXPECT_TRUE(stayed) << mode;
        EXPECT_EQ(typed.toStdString(), path);
        EXPECT_FALSE(w.TextFile().Active);
        ASSERT_EQ(boxes.size(), 1u) << mode;
        EXPECT_NE(boxes[0].find(mode == 6 ? "not a text file" : "No Snipra name was entered."),
                  std::string::npos)
            << boxes[0];
        boxes.clear();
        EXPECT_EQ(BuildMacroText(w.Lines().Lines).text, "<TFILE:" + path + ">");
    }
}

TEST_F(TextFileThroughTheEditor, ALongFileIsEditedWholeNotCutToAMacrosLength) {
    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    w.ScriptMode = 6;
    w.IsExisting = true;
    w.show();
    QApplication::processEvents();

    // 8,400 bytes: the limit is the file's, not the 5,000 of a macro.
    std::string longText;
    while (longText.size() < 8400)
        longText += "line " + std::to_string(longText.size()) + " of a long file\n";
    Holding(longText);
    ASSERT_NO_FATAL_FAILURE(OpenTheFile(w));
    WhenShown(kKeystrokes, [](QDialog& d) {
        auto* memo = d.findChild<QPlainTextEdit*>("NewFormat");
        ASSERT_NE(memo, nullptr);
        QTest::keyClick(memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(memo, "the end");
        ClickButton(d, "UpdateButton");
    });
    HeldClick(w.DoEdit);
    SaveTheFile(w);
    EXPECT_EQ(Slurp(), longText + "the end");
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(TextFileThroughTheEditor, EveryKindOfLineConfirmedUnchangedKeepsTheFileByteForByte) {
    const std::string d = dir.path();
    for (const char* name : {"a.txt", "a.wav", "a.avi", "a.bmp", "other.QTM", "tool"})
        std::ofstream(dir.file(name), std::ios::binary) << "x";
    // One line of each kind the editor offers a dialog for, LF between them, in a file
    // written by another editor: numbers, paths, titles and a box of two LF lines.
    const std::vector<std::string> kinds = {"<MM/DD/YY{YF000}>",
                                            "<hh:mm:ss{Y}>",
                                            "<DELAY:05.00>",
                                            "<MSD:0250>",
                                            "<TDELAY:05>",
                                            "<PAUSE>",
                                            "<PAUSE:010,020Look here>",
                                            "<REP:0005:000001:000001>",
                                            "<ENDREP>",
                                            "<PROMPTREP>",
                                            "<ENDREP>",
                                            "<II>",
                                            "<SPKEY:0010>",
                                            "<SPMSE:0020>",
                                            "<SPEED:00.50>",
                                            "<ACTIVATE:Untitled>",
                                            "<LAUNCHDEL:05" + d + "/tool<PARAM>-q>",
                                            "<LAUNCHYES2:0512Calc<LAUNCH:" + d + "/tool>",
                                            "<LAUNCHDEL:00" + d + "/missing>",
                                            "<BEEP>",
                                            "<WAV1:" + d + "/a.wav>",
                                            "<SWAP:" + d + "/other.QTM>",
                                            "<TFILE:" + d + "/a.txt>",
                                            "<WSIZE:0640,0480\"CURRENT\">",
                                            "<WPOS2:-0010,00020Calc>",
                                            "<WMAX:Notepad>",
                                            "<WSHUT:Calc>",
                                            "<MMS:00100,00200>",
                                            "<LCLK>",
                                            "<WFW:003>",
                                            "<REM:a remark>",
                                            "<CLIPC>",
                                            "<CLIPP>",
                                            "<CLIPF:" + d + "/a.txt>",
                                            "<CLIPST:" + d + "/a.txt>",
                                            "<CLIPTYPE>",
                                            "<CTLD>",
                                            "<CTLU>",
                                            "<HTTP:www.example.com>",
                                            "<FTP:ftp.example.com>",
                                            "<CHDIR:" + d + ">",
                                            "<COPYFILE:" + d + "/a.txt;" + d + "/b.txt>",
                                            "<MACRUN:Other>",
                                            "<MACDEL:x>",
                                            "<TBOX:<HEAD:Title>line one\nline two>",
                                            "<AVI:" + d + "/a.avi>",
                                            "<CDPLAY>",
                                            "<CDGOTO:05>",
                                            "<CASCDESK>",
                                            "<EXPLORE:" + d + ">",
                                            "<LOGOFF>",
                                            "<SSON>",
                                            "<KEYSPD:10>",
                                            "<WALLC:" + d + "/a.bmp>",
                                            "<WAITWIN:005:Notepad>",
                                            "<WAITTIME:00000010>"};
    std::string file = "typed first\n";
    for (const std::string& k : kinds) file += k + "\n";
    Holding(file);
    lines = static_cast<int>(2 * kinds.size() + 1);

    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    w.ScriptMode = 6;
    w.IsExisting = true;
    w.show();
    QApplication::processEvents();
    ASSERT_NO_FATAL_FAILURE(OpenTheFile(w));
    // Edit, then OK (Update for typed text) on every line, the dialog as it opened.
    for (int i = 0; i < RowCount(w.Script); ++i) {
        const std::string before = w.Lines().Lines[static_cast<std::size_t>(i)].Text;
        HeldClickRow(w.Script, i);
        WhenAnyShown(&w, [](QDialog& dlg) {
            ClickButton(dlg, dlg.findChild<QPushButton*>("UpdateButton") ? "UpdateButton" : "OkButton");
        });
        HeldClick(w.DoEdit);
        EXPECT_TRUE(boxes.empty()) << before << ": " << boxes.front();
        boxes.clear();
        ASSERT_EQ(RowCount(w.Script), lines) << before;
    }
    SaveTheFile(w);
    EXPECT_EQ(Slurp(), file);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(TextFileThroughTheEditor, NewLinesStartOnTheirOwnFormAndLaunchLinesKeepTheirBypass) {
    const std::string missing = dir.file("no-such-program");
    SetMacroText(current, "<LAUNCHDEL:05" + missing + ">");
    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    w.ScriptMode = 6;
    w.IsExisting = true;
    w.show();
    QApplication::processEvents();

    // A new "Wait Time Delay" opens on "Delay in Seconds" and is written as a timed delay
    // once the user chooses one.
    HeldClickRow(w.OptionBox, cmd::WaitTimeDelay - 1);
    bool seconds = false;
    WhenShown("Set Delay", [&seconds](QDialog& d) {
        auto* first = d.findChild<QRadioButton*>("DelSecs");
        auto* choice = d.findChild<QRadioButton*>("TimedDel");
        ASSERT_TRUE(first && choice);
        seconds = first->isChecked() && !choice->isChecked();
        HeldClick(choice);
        auto* seconds = d.findChild<QLineEdit*>("Seconds");
        ASSERT_NE(seconds, nullptr);
        seconds->setFocus();
        QTest::keyClicks(seconds, "5");
        ClickButton(d, "OkButton");
    });
    HeldClick(w.AddButton);
    EXPECT_TRUE(seconds);
    ASSERT_EQ(w.Lines().Lines.size(), 2u);
    EXPECT_EQ(BuildMacroText({w.Lines().Lines[1]}).text, "<TDELAY:05>");

    // A launch line taken past the existence check opens with the check bypassed: OK on it
    // unchanged is taken again, and nothing of it changes.
    HeldClickRow(w.Script, 0);
    bool bypassed = false;
    WhenShown("Activate/Launch Program", [&bypassed](QDialog& d) {
        auto* bypass = d.findChild<QCheckBox*>("Bypass");
        ASSERT_NE(bypass, nullptr);
        bypassed = bypass->isChecked();
        ClickButton(d, "OkButton");
    });
    HeldClick(w.DoEdit);
    EXPECT_TRUE(bypassed);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(BuildMacroText({w.Lines().Lines[0]}).text, "<LAUNCHDEL:05" + missing + ">");

    // "Load Text File" with no path at all is refused and stays open; nothing is added.
    HeldClickRow(w.OptionBox, cmd::LoadTextFile - 1);
    bool stayed = false;
    WhenShown(kLoadTextFile, [&stayed](QDialog& d) {
        ClickButton(d, "OkButton");
        stayed = d.isVisible();
        ClickButton(d, "CancelButton");
    });
    HeldClick(w.AddButton);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(boxes, std::vector<std::string>{"Error: No text file has been specified.  Please enter one."});
    EXPECT_EQ(w.Lines().Lines.size(), 2u);
}

}  // namespace
}  // namespace tessaro
