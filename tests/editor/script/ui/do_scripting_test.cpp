#include "editor/script/ui/do_scripting.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QPointer>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <map>
#include <utility>
#include <algorithm>
#include <vector>

#include "editor/script/display_text.h"
#include "editor/script/ui/script_editor_services.h"
#include "platform/message_box.h"
#include "editor/commands/command_dialog.h"
#include "tests/editor/script/ui/script_rows_shown.h"
#include "tests/support/held_key.h"
#include "tests/support/held_press.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"
#include "tests/support/visible_form.h"
#include "widgets/display_scale.h"

namespace tessaro {
namespace {

using testing::CurrentRow;
using testing::RowCount;
using testing::RowText;
using testing::SetCurrentRow;

// Command editors that confirm at once with a remark naming the code.
class Services : public ScriptEditorServices {
public:
    std::vector<std::pair<int, bool>> edits;
    std::vector<CommandRequest> requests;
    std::string chosenScope;
    // "Load Text File" left through its edit button for this file, once.
    std::string editTextFile;
    // What the editor's script list showed behind each command editor.
    std::vector<std::vector<std::string>> shownBehind;

    CommandOutcome EditCommand(QWidget* owner, ScriptList& list, const CommandRequest& r) override {
        edits.emplace_back(r.Code, r.IsNew);
        requests.push_back(r);
        std::vector<std::string> shown;
        if (auto* script = owner ? owner->findChild<QListView*>("Script") : nullptr)
            for (int i = 0; i < RowCount(script); ++i) shown.push_back(RowText(script, i).toStdString());
        shownBehind.push_back(shown);
        if (r.Code == cmd::LoadTextFile && !editTextFile.empty())
            return {false, std::exchange(editTextFile, {})};
        TNameRec rec{"code " + std::to_string(r.Code)};
        ScriptLine line = MakeLine(cmd::Remark, rec);
        if (r.IsNew)
            InsertNewLine(list, r.Style, r.InsertIndex, line);
        else
            ReplaceLine(list, r.InsertIndex, line);
        return {true, {}};
    }
    std::string ChooseWindowOrProgram(QWidget*, const std::string&, bool, bool& topmost) override {
        topmost = false;
        return chosenScope;
    }
    void SetSchedule(QWidget*, TMacroRecord&) override {}
    void SnipraProperties(QWidget*, TMacroRecord&) override {}
};

struct ScriptingFixture : ::testing::Test {
    testing::TempDir dir;
    TConfigRecord config{};
    TMacroRecord current{};
    Services services;
    std::vector<std::string> boxes;
    std::vector<std::uint32_t> posts;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::MbResult::Ok;
    }};
    ScriptingFixture() { EnsureQtApplication(); }
    std::unique_ptr<TDoScripting> Open(int mode, bool existing, bool show = false) {
        auto w = std::make_unique<TDoScripting>(
            nullptr, current, config, services, dir.path(),
            [this](std::uint32_t code, std::int32_t) { posts.push_back(code); });
        w->ScriptMode = mode;
        w->IsExisting = existing;
        w->FormShow();
        if (show) {
            w->show();
            QApplication::processEvents();
        }
        return w;
    }
};

TEST_F(ScriptingFixture, AnExistingMacroOpensAsLinesWithItsScope) {
    current.Nickname.assign("Greeting");
    current.Scope = scWindow;
    current.ScopeText.assign("Notes");
    current.IconName.assign("MAIN");
    SetMacroText(current, "Hello<DELAY:02.00>");
    auto w = Open(1, true);
    EXPECT_EQ(w->NickName->text(), "Greeting");
    EXPECT_TRUE(w->Specific->isChecked());
    EXPECT_EQ(w->windowTitle(), "Macro Scripting Editor  (Window Title: Notes)");
    ASSERT_EQ(RowCount(w->Script), 2);
    EXPECT_FALSE(w->DoEdit->isEnabled());  // nothing selected yet
    EXPECT_TRUE(w->HotKeyLabel->isVisibleTo(w.get()));
    EXPECT_FALSE(w->SetSchedule->isVisibleTo(w.get()));
}

TEST_F(ScriptingFixture, AnExistingMacroOpensWithItsBlocksIndented) {
    SetMacroText(current, "<REP:0002:000001:000001><SHFD>Hello<SHFU><ENDREP><ENDREP>Bye");
    auto w = Open(6, true);
    ASSERT_EQ(RowCount(w->Script), 7);
    const auto text = [&](int row) { return RowText(w->Script, row).toStdString(); };
    EXPECT_EQ(text(0).rfind("Repeat Start", 0), 0u);
    EXPECT_EQ(text(1).rfind("   Shift Key Down", 0), 0u) << text(1);
    EXPECT_EQ(text(2).rfind("      Text: Hello", 0), 0u) << text(2);
    EXPECT_EQ(text(3).rfind("   Shift Key Up", 0), 0u) << text(3);
    EXPECT_EQ(text(4), "Repeat End");
    EXPECT_EQ(text(5), "Repeat End");  // no block left open: column 0
    EXPECT_EQ(text(6).rfind("Text: Bye", 0), 0u);
}

// The script list worked by hand: Alt+S reaches it, the arrow, Home and End keys choose a
// line and the line buttons follow, a click chooses one and a double click edits it.
TEST_F(ScriptingFixture, TheScriptListIsWorkedWithKeysAndTheMouse) {
    SetMacroText(current, "One<DELAY:01.00>Two<DELAY:02.00>Three");
    auto w = Open(6, true, true);
    ASSERT_EQ(RowCount(w->Script), 5);
    QTest::keyPress(w.get(), Qt::Key_Alt, Qt::AltModifier);
    testing::HeldKey(w.get(), Qt::Key_S, Qt::AltModifier);
    QTest::keyRelease(w.get(), Qt::Key_Alt, Qt::NoModifier);
    ASSERT_TRUE(w->Script->hasFocus());
    const auto key = [&](Qt::Key k) { testing::HeldKey(w->Script, k); };
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(w->Lines().Selected, 2);
    EXPECT_EQ(CurrentRow(w->Script), 2);
    EXPECT_TRUE(w->DoUp->isEnabled() && w->DoDown->isEnabled() && w->DoEdit->isEnabled());
    key(Qt::Key_End);
    EXPECT_EQ(w->Lines().Selected, 4);
    EXPECT_FALSE(w->DoDown->isEnabled());
    key(Qt::Key_Home);
    EXPECT_EQ(w->Lines().Selected, 0);
    EXPECT_FALSE(w->DoUp->isEnabled());
    key(Qt::Key_Down);
    w->DoDeleteClick();  // the first delay goes; the line after it takes its place, chosen
    EXPECT_EQ(CurrentRow(w->Script), 1);
    EXPECT_EQ(RowText(w->Script, 1), "Text: Two");

    testing::HeldClickRow(w->Script, 3);
    EXPECT_EQ(w->Lines().Selected, 3);
    EXPECT_TRUE(services.edits.empty());
    const QModelIndex delay = w->Script->model()->index(2, 0);
    testing::HeldDoubleClick(w->Script->viewport(), w->Script->visualRect(delay).center());
    ASSERT_EQ(services.edits, (std::vector<std::pair<int, bool>>{{cmd::Delay, false}}));
    EXPECT_TRUE(RowText(w->Script, 2).contains("code 4")) << RowText(w->Script, 2).toStdString();
    EXPECT_EQ(CurrentRow(w->Script), 2);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

// The commands list at the window's default size: every name whole, nothing cut.
TEST_F(ScriptingFixture, TheCommandsListShowsWholeNamesAtTheDefaultSize) {
    auto w = Open(1, false);
    w->show();
    QApplication::processEvents();
    const QFontMetrics fm = w->OptionBox->fontMetrics();
    const int margin =
        2 * (w->OptionBox->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w->OptionBox) + 1);
    const int room = w->OptionBox->viewport()->width();
    for (int row = 0; row < w->OptionBox->count(); ++row) {
        const QString name = w->OptionBox->item(row)->text();
        EXPECT_LE(fm.horizontalAdvance(name) + margin, room) << name.toStdString();
    }
    EXPECT_EQ(w->OptionBox->horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(w->Script->width(), w->OptionBox->width()) << "the script keeps most of the width";
    const std::vector<std::string> faults = testing::VisibleFaults(*w);
    EXPECT_TRUE(faults.empty()) << faults.front();
    EXPECT_LE(w->frameGeometry().width(), 800);
}

// The list's first row is current once it has the focus, but nothing is chosen yet.
TEST_F(ScriptingFixture, AddWithNothingChosenAsksForACommand) {
    auto w = Open(6, false, true);
    w->OptionBox->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    testing::HeldClick(w->AddButton);
    EXPECT_EQ(boxes, std::vector<std::string>{"Error: No command selected.  Please select one."});
    EXPECT_TRUE(services.edits.empty());
    testing::HeldClickRow(w->OptionBox, cmd::Remark - 1);
    testing::HeldClick(w->AddButton);
    EXPECT_EQ(services.edits, (std::vector<std::pair<int, bool>>{{cmd::Remark, true}}));
}

// Records the help topics asked for.
class HelpTopics final : public HelpViewer {
public:
    void ShowTopic(QWidget*, const std::string&, std::string_view keyword) override {
        topics.emplace_back(keyword);
    }
    std::vector<std::string> topics;
};

// Alt + a letter held as a hand does; `altFirst` lets go of Alt before the letter.
void AltKey(QWidget* w, Qt::Key key, bool altFirst) {
    QTest::keyPress(w, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyPress(w, key, Qt::AltModifier);
    QTest::qWait(testing::kHoldMs);
    if (altFirst) {
        QTest::keyRelease(w, Qt::Key_Alt, Qt::NoModifier);
        QTest::keyRelease(w, key, Qt::NoModifier);
    } else {
        QTest::keyRelease(w, key, Qt::AltModifier);
        QTest::keyRelease(w, Qt::Key_Alt, Qt::NoModifier);
    }
    // A button's shortcut clicks it a moment later: until then the button is held down.
    std::vector<QPointer<QAbstractButton>> buttons;
    for (QAbstractButton* b : w->window()->findChildren<QAbstractButton*>()) buttons.emplace_back(b);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return std::none_of(buttons.begin(), buttons.end(),
                                [](const auto& b) { return b && b->isDown(); });
        },
        5000))
        << "a button stayed down";
}

TEST_F(ScriptingFixture, AltIAndAltHReachTheInsertAndHelpButtonsNotTheMenus) {
    HelpTopics help;
    ScopedHelpViewer viewer(help);
    auto w = Open(6, false, true);
    testing::HeldClickRow(w->OptionBox, cmd::Remark - 1);
    AltKey(w.get(), Qt::Key_I, false);
    AltKey(w.get(), Qt::Key_I, true);
    ASSERT_EQ(services.requests.size(), 2u);
    for (const CommandRequest& r : services.requests) EXPECT_EQ(r.Style, AddStyle::After);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a menu opened";
    AltKey(w.get(), Qt::Key_H, true);
    EXPECT_EQ(help.topics, std::vector<std::string>{"Scripting Editor"});
    // No two controls or menus of the window answer the same Alt + letter.
    std::map<QChar, std::vector<std::string>> letters;
    const auto mark = [&](const QString& caption, const std::string& who) {
        const qsizetype at = caption.indexOf('&');
        if (at >= 0 && at + 1 < caption.size()) letters[caption[at + 1].toUpper()].push_back(who);
    };
    for (QAction* menu : w->findChild<QMenuBar*>()->actions())
        mark(menu->text(), "menu " + menu->text().toStdString());
    for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
        if (b->isVisibleTo(w.get())) mark(b->text(), b->objectName().toStdString());
    for (QLabel* l : w->findChildren<QLabel*>())
        if (l->buddy()) mark(l->text(), l->text().toStdString());
    for (const auto& [letter, who] : letters)
        EXPECT_EQ(who.size(), 1u) << QString(letter).toStdString() << ": " << who[0] << ", " << who[1];
}

// (A minimise its window manager makes is undone for every dialog: the window walk.)
TEST_F(ScriptingFixture, TheWindowHasAMaximiseBoxAndNoMinimise) {
    auto w = Open(6, false, true);
    EXPECT_FALSE(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(ScriptingFixture, GlobalTakenMovesTheScopeToTheWindowAndDisablesGlobal) {
    current.Scope = scGlobal;
    auto w = std::make_unique<TDoScripting>(nullptr, current, config, services, dir.path(),
                                            [](std::uint32_t, std::int32_t) {});
    w->ScriptMode = 1;
    w->IsExisting = true;
    w->GlobalTaken = true;
    w->FormShow();
    EXPECT_TRUE(w->Specific->isChecked());
    EXPECT_FALSE(w->Global->isEnabled());
}

TEST_F(ScriptingFixture, LinesAreAddedWhereTheInsertionMethodSaysAndSaved) {
    config.InsertMethod = 1;  // before the selection
    auto w = Open(6, false);
    EXPECT_EQ(w->windowTitle(), "Macro Scripting Editor  (GLOBAL)");
    EXPECT_EQ(w->TimerLabel->text(), "None");
    EXPECT_TRUE(w->MenuInsBefore->isChecked());
    w->AddALine(AddStyle::AtEnd);
    EXPECT_EQ(boxes, std::vector<std::string>{"Error: No command selected.  Please select one."});
    w->OptionBox->setCurrentRow(cmd::Remark - 1);
    w->AddALine(AddStyle::AtEnd);
    w->AddALine(AddStyle::AtEnd);
    ASSERT_EQ(RowCount(w->Script), 2);
    EXPECT_EQ(CurrentRow(w->Script), 1);
    w->CommandMenuClick(4);  // "Insert a &Delay": before the selected line
    ASSERT_EQ(RowCount(w->Script), 3);
    EXPECT_EQ(CurrentRow(w->Script), 1);
    EXPECT_TRUE(RowText(w->Script, 1).contains("code 4"));
    EXPECT_TRUE(w->DoUp->isEnabled() && w->DoDown->isEnabled());

    w->DoCopyClick();
    EXPECT_EQ(RowCount(w->Script), 4);
    EXPECT_EQ(CurrentRow(w->Script), 2);
    w->DoDeleteClick();
    EXPECT_EQ(CurrentRow(w->Script), 2);
    w->MoveClick(true);
    w->MoveClick(true);
    EXPECT_EQ(CurrentRow(w->Script), 0);
    EXPECT_FALSE(w->DoUp->isEnabled());
    w->DoEditClick();
    EXPECT_EQ(services.edits.back(), (std::pair<int, bool>{cmd::Remark, false}));

    // A nickname the record cannot store is refused naming the character, not cut to "?".
    w->NickName->setText(QString::fromUtf8("Mine \u0416"));
    w->OkButtonClick();
    EXPECT_FALSE(w->Accepted);
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), "Error: The character \"\u0416\" cannot be used in this entry.  Please correct.");
    w->NickName->setText("Mine");
    w->OkButtonClick();
    EXPECT_TRUE(w->Accepted);
    EXPECT_EQ(current.Nickname.view(), "Mine");
    EXPECT_FALSE(GetMacroText(current).empty());
}

TEST_F(ScriptingFixture, EditWithoutASelectionIsRefused) {
    auto w = Open(6, false);
    w->DoEditClick();
    w->DoCopyClick();
    EXPECT_EQ(boxes, (std::vector<std::string>{"Error: No Item Selected.",
                                               "Error: No script line selected.  Please select one."}));
}

TEST_F(ScriptingFixture, ModesShowTheirPanels) {
    current.Abbreviation.assign("brb");
    current.ScopeText.assign("Window title");
    auto titled = Open(7, true);
    EXPECT_EQ(titled->SnipraName->text(), "Window title");
    EXPECT_FALSE(titled->ProgExe->isEnabled());
    auto snipra = Open(3, true);
    EXPECT_EQ(snipra->SnipraName->text(), "brb");
    EXPECT_TRUE(snipra->ShortProp->isVisibleTo(snipra.get()));
    EXPECT_EQ(snipra->TimerLabel->text(), "Snipra");
}

// Typing stops at 20 characters, but a stored title of up to 30 opens and saves whole.
TEST_F(ScriptingFixture, AStoredWindowTitleLongerThanWhatMayBeTypedIsKeptWhole) {
    const std::string title = "Document Editor Window Nr 12";
    current.Nickname.assign("Titled");
    current.ScopeText.assign(title);
    SetMacroText(current, "Hello");
    auto w = Open(7, true);
    EXPECT_EQ(w->SnipraName->text().toStdString(), title);
    w->OkButtonClick();
    ASSERT_TRUE(w->Accepted);
    EXPECT_EQ(current.ScopeText.view(), title);

    auto typed = Open(7, true);
    typed->SnipraName->clear();
    typed->SnipraName->setFocus();
    QTest::keyClicks(typed->SnipraName, QString(25, 'x'));
    EXPECT_EQ(typed->SnipraName->text(), QString(20, 'x'));
}

TEST_F(ScriptingFixture, TheChosenScopeIsCutAndNamedInTheCaption) {
    current.Scope = scProgram;
    auto w = Open(1, true);
    services.chosenScope = std::string(40, 'p');
    w->ChooseWinProgClick();
    EXPECT_EQ(current.ScopeText.view(), std::string(30, 'p'));
    EXPECT_EQ(current.TopmostOnly, 0);
    EXPECT_EQ(w->windowTitle().toStdString(),
              "Macro Scripting Editor  (Program: " + std::string(30, 'p') + ")");
}

// Text-file mode: the bytes a text file holds, with a lone "<", line breaks and accents.
struct TextFileFixture : ScriptingFixture {
    const std::string bytes = "Dear <DELAY:02.00>friend,\r\n<\xe9t\xe9 <TAB>\n<MSG:hi>";
    std::string path;
    TextFileFixture() {
        path = dir.file("letter.txt");
        std::ofstream(path, std::ios::binary) << bytes;
        current.Nickname.assign("Letter");
        SetMacroText(current, "Hello<DELAY:02.00>");
    }
    // "Load Text File" on `path`: the editor shows the file's lines.
    bool LoadTheTextFile(TDoScripting& w) {
        services.editTextFile = path;
        w.CommandMenuClick(cmd::LoadTextFile);
        return w.TextFile().Active;
    }
    static std::string Slurp(const std::string& file) {
        const std::vector<char> b = testing::ReadBytes(file);
        return {b.begin(), b.end()};
    }
    // The macro's own lines are shown with its controls.
    static void ExpectMacroShown(TDoScripting& w) {
        EXPECT_FALSE(w.TextFile().Active);
        ASSERT_EQ(RowCount(w.Script), 2);
        EXPECT_TRUE(RowText(w.Script, 1).contains("Delay"));
        EXPECT_TRUE(w.NickName->isVisibleTo(&w));
        EXPECT_TRUE(w.MySpeed->isVisibleTo(&w));
        EXPECT_FALSE(w.TextName->isVisibleTo(&w));
    }
};

TEST_F(TextFileFixture, ATextFileRoundTripsByteForByteAndTheCommandEditorReopens) {
    config.InsertMethod = 3;
    auto w = Open(6, true);
    ASSERT_TRUE(LoadTheTextFile(*w));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(w->TextName->text().toStdString(), "Edit Text File: " + path);
    EXPECT_TRUE(w->TextName->isVisibleTo(w.get()));
    for (QWidget* hidden : {static_cast<QWidget*>(w->NickName), static_cast<QWidget*>(w->MySpeed),
                            static_cast<QWidget*>(w->Global), w->Panel1})
        EXPECT_FALSE(hidden->isVisibleTo(w.get()));
    EXPECT_EQ(Slurp(dir.file("TESRUN.TMP")), "Hello<DELAY:02.00>");
    ASSERT_EQ(RowCount(w->Script), 3);  // text, the delay, text
    EXPECT_TRUE(RowText(w->Script, 1).contains("Delay"));

    w->OkButtonClick();
    EXPECT_EQ(Slurp(path), bytes);
    EXPECT_FALSE(w->Accepted);
    EXPECT_EQ(GetMacroText(current), "Hello<DELAY:02.00>");
    // The "Load Text File" run that led to the file is finished: its editor again, on the file.
    ASSERT_EQ(services.requests.size(), 2u);
    const CommandRequest& again = services.requests[1];
    EXPECT_EQ(again.Code, cmd::LoadTextFile);
    EXPECT_TRUE(again.IsNew);
    EXPECT_EQ(again.Style, AddStyle::AtEnd);
    EXPECT_TRUE(again.AllowTextEdit);
    EXPECT_EQ(again.TextFilePreset, path);
    // The fake confirms with a line of its own, appended and selected.
    ASSERT_EQ(RowCount(w->Script), 3);
    EXPECT_EQ(CurrentRow(w->Script), 2);
    EXPECT_FALSE(w->TextFile().Active);
    EXPECT_TRUE(w->NickName->isVisibleTo(w.get()));
}

TEST_F(TextFileFixture, TheReopenedTextFileEditorShowsTheMacrosLinesBehindIt) {
    auto w = Open(6, true);
    ASSERT_TRUE(LoadTheTextFile(*w));
    w->OkButtonClick();
    ASSERT_EQ(services.shownBehind.size(), 2u);
    // Behind the editor that opens again: the macro's two lines, not the file's three.
    const std::vector<std::string>& behind = services.shownBehind[1];
    ASSERT_EQ(behind.size(), 2u);
    EXPECT_EQ(behind[0], "Text: Hello");
    EXPECT_EQ(behind[1].rfind("Delay", 0), 0u);
}

TEST_F(TextFileFixture, ChangesInTheFileAreWrittenOnlyOnSave) {
    auto w = Open(6, true);
    services.editTextFile = path;
    SetCurrentRow(w->Script, 0);
    w->CommandMenuClick(cmd::LoadTextFile);
    ASSERT_TRUE(w->TextFile().Active);
    SetCurrentRow(w->Script, 0);
    w->DoDeleteClick();  // "Dear "
    w->CancelButtonClick();
    EXPECT_EQ(Slurp(path), bytes);
    ExpectMacroShown(*w);
    EXPECT_EQ(services.requests.size(), 1u);  // no editor after a cancel
    EXPECT_EQ(w->result(), 0);                // still open

    services.editTextFile = path;
    w->CommandMenuClick(cmd::LoadTextFile);
    SetCurrentRow(w->Script, 0);
    w->DoDeleteClick();
    // A text file inside the text file is not offered: the macro's script stays put aside.
    services.editTextFile = dir.file("other.txt");
    w->CommandMenuClick(cmd::LoadTextFile);
    EXPECT_FALSE(services.requests.back().AllowTextEdit);
    EXPECT_EQ(Slurp(dir.file("TESRUN.TMP")), "Hello<DELAY:02.00>");
    EXPECT_EQ(w->TextFile().Path, path);
    w->OkButtonClick();
    EXPECT_EQ(Slurp(path), bytes.substr(5));
    EXPECT_FALSE(w->TextFile().Active);
}

// A new macro with no lines yet puts an empty script aside: leaving the file by Cancel or by
// Save brings the empty script back without an error.
TEST_F(TextFileFixture, AnEmptyScriptComesBackFromTheFileWithoutAnError) {
    auto w = Open(6, false);
    ASSERT_EQ(RowCount(w->Script), 0);
    ASSERT_TRUE(LoadTheTextFile(*w));
    EXPECT_EQ(Slurp(dir.file("TESRUN.TMP")), "");
    ASSERT_EQ(RowCount(w->Script), 3);
    w->CancelButtonClick();
    EXPECT_FALSE(w->TextFile().Active);
    EXPECT_EQ(RowCount(w->Script), 0);
    EXPECT_TRUE(boxes.empty()) << boxes.front();

    ASSERT_TRUE(LoadTheTextFile(*w));
    SetCurrentRow(w->Script, 2);
    w->DoDeleteClick();
    w->OkButtonClick();
    EXPECT_EQ(Slurp(path), bytes.substr(0, bytes.find("friend")));
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    // The "Load Text File" editor opened again on the empty script, and its line was added.
    ASSERT_EQ(services.shownBehind.size(), 3u);
    EXPECT_TRUE(services.shownBehind[2].empty());
    EXPECT_EQ(RowCount(w->Script), 1);
}

TEST_F(TextFileFixture, EditingALoadTextFileLineComesBackToThatLine) {
    SetMacroText(current, "<TFILE:" + path + "><DELAY:02.00>");
    auto w = Open(6, true);
    services.editTextFile = path;
    SetCurrentRow(w->Script, 0);
    w->DoEditClick();
    ASSERT_TRUE(w->TextFile().Active);
    QTest::keyClick(w.get(), Qt::Key_Escape);  // leaves the file, not the editor
    EXPECT_FALSE(w->TextFile().Active);
    ASSERT_EQ(RowCount(w->Script), 2);

    services.editTextFile = path;
    SetCurrentRow(w->Script, 1);
    w->DoEditClick();  // the Delay line: no text file
    EXPECT_FALSE(w->TextFile().Active);
    SetCurrentRow(w->Script, 0);
    w->DoEditClick();
    ASSERT_TRUE(w->TextFile().Active);
    w->OkButtonClick();
    const CommandRequest& again = services.requests.back();
    EXPECT_FALSE(again.IsNew);
    EXPECT_EQ(again.InsertIndex, 0);
    EXPECT_EQ(CurrentRow(w->Script), 0);
    EXPECT_TRUE(RowText(w->Script, 0).contains("code 15"));
}

TEST_F(TextFileFixture, AMacroThatCannotBeStoredKeepsItsLines) {
    auto w = Open(3, true);  // an abbreviation macro without its name
    w->SnipraName->clear();
    services.editTextFile = path;
    w->CommandMenuClick(cmd::LoadTextFile);
    EXPECT_FALSE(w->TextFile().Active);
    EXPECT_EQ(boxes, std::vector<std::string>{"Error: No Snipra name was entered."});
    ExpectMacroShown(*w);
    EXPECT_FALSE(std::filesystem::exists(dir.file("TESRUN.TMP")));
}

TEST_F(TextFileFixture, AFailedFileWriteStaysInTheFile) {
    auto w = Open(6, true);
    ASSERT_TRUE(LoadTheTextFile(*w));
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // the file cannot be replaced now
    w->OkButtonClick();
    EXPECT_TRUE(w->TextFile().Active);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("could not be written"), std::string::npos);
    EXPECT_EQ(services.requests.size(), 1u);
}

TEST_F(ScriptingFixture, IconsAreCopiedNeverOverwrittenAndSavedWithTheMacro) {
    namespace fs = std::filesystem;
    const auto writeIcon = [](const std::string& path, Qt::GlobalColor colour) {
        QImage img(32, 32, QImage::Format_ARGB32);
        img.fill(colour);
        return QImageWriter(QString::fromStdString(path), "ico").write(img);
    };
    fs::create_directories(dir.file("elsewhere"));
    const std::string longName = dir.file("elsewhere/a very long icon name.ico");
    ASSERT_TRUE(writeIcon(longName, Qt::red));
    auto w = Open(6, false);  // no Icons folder yet
    ASSERT_FALSE(fs::exists(dir.file("Icons")));

    // A long name is copied under a free name the record can hold.
    w->MySpeedClick(longName);
    EXPECT_TRUE(boxes.empty());
    const std::string copied = w->IconName();
    EXPECT_LE(copied.size(), 12u);
    EXPECT_NE(copied, "MAIN");
    EXPECT_TRUE(fs::exists(dir.file("Icons/" + copied)));

    // A different icon under a name the folder holds: the notice, and the folder's file.
    ASSERT_TRUE(writeIcon(dir.file("Icons/pen.ico"), Qt::blue));
    ASSERT_TRUE(writeIcon(dir.file("elsewhere/pen.ico"), Qt::green));
    const auto before = testing::ReadBytes(dir.file("Icons/pen.ico"));
    w->MySpeedClick(dir.file("elsewhere/pen.ico"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("An icon of this name already exists"), std::string::npos);
    EXPECT_EQ(w->IconName(), "pen.ico");
    EXPECT_EQ(testing::ReadBytes(dir.file("Icons/pen.ico")), before);

    // Wrong type and a corrupt icon change nothing.
    std::ofstream(dir.file("elsewhere/bad.ico")) << "junk";
    w->MySpeedClick(dir.file("elsewhere/pen.png"));
    w->MySpeedClick(dir.file("elsewhere/bad.ico"));
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1], "Error: Invalid file type selected.");
    EXPECT_EQ(boxes[2], "Error: Icon could not be opened.");
    EXPECT_EQ(w->IconName(), "pen.ico");

    w->OkButtonClick();
    EXPECT_EQ(current.IconName.view(), "pen.ico");
}

TEST_F(ScriptingFixture, ARightClickOnTheIconAsksToResetIt) {
    current.IconName.assign("PEN.ICO");
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::red);
    std::filesystem::create_directories(dir.file("Icons"));
    ASSERT_TRUE(QImageWriter(QString::fromStdString(dir.file("Icons/PEN.ICO")), "ico").write(img));
    auto w = Open(6, true);
    EXPECT_EQ(w->IconName(), "PEN.ICO");
    QTest::mouseClick(w->MySpeed, Qt::RightButton);  // answered Ok: not a yes
    EXPECT_EQ(w->IconName(), "PEN.ICO");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Reset icon to program default?"), std::string::npos);
    win::ScopedMessageBoxHandler yes{[](const win::MessageBoxCall&) { return win::MbResult::Yes; }};
    QTest::mouseClick(w->MySpeed, Qt::RightButton);
    EXPECT_EQ(w->IconName(), "MAIN");
}

// The File menu's items, in order.
std::vector<std::string> FileMenu(TDoScripting& w) {
    std::vector<std::string> items;
    for (QAction* a : w.findChild<QMenuBar*>()->actions().front()->menu()->actions())
        items.push_back(a->text().toStdString());
    return items;
}

int PdfPages(const std::string& pdf) {
    std::string info;
    if (FILE* pipe = ::popen(("pdfinfo '" + pdf + "' 2>/dev/null").c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, pipe)) info += buf;
        ::pclose(pipe);
    }
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

TEST_F(ScriptingFixture, PrintSetUpAndPrintWorkOnOnePrinterAndCopiesArePrintedOnce) {
    SetMacroText(current, "one<DELAY:02.00>two");
    auto w = Open(6, true);
    EXPECT_EQ(FileMenu(*w),
              (std::vector<std::string>{"Sa&ve", "Print Set&up", "&Print", "Print &Font", "E&xit"}));

    bool setUpShown = false;
    QTimer::singleShot(0, [&] {
        auto* setUp = qobject_cast<QPageSetupDialog*>(QApplication::activeModalWidget());
        setUpShown = setUp && setUp->printer() == &w->Printer();
        if (setUp) setUp->reject();
    });
    w->findChild<QAction*>("MenuPrintSetup")->trigger();
    EXPECT_TRUE(setUpShown);

    // Three copies asked for in the print dialog: three copies on paper, not nine.
    const std::string pdf = dir.file("copies.pdf");
    w->Printer().setOutputFormat(QPrinter::PdfFormat);
    w->Printer().setOutputFileName(QString::fromStdString(pdf));
    bool printShown = false;
    QTimer::singleShot(0, [&] {
        auto* print = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!print) return;
        printShown = print->printer() == &w->Printer();
        print->printer()->setCopyCount(3);
        if (auto* copies = print->findChild<QSpinBox*>("copies")) copies->setValue(3);
        print->accept();
    });
    w->findChild<QAction*>("MenuPrint")->trigger();
    EXPECT_TRUE(printShown);
    EXPECT_EQ(w->Printer().copyCount(), 1) << "the printer is not asked to repeat the copies";
    const int pages = PdfPages(pdf);
    if (pages < 0) GTEST_SKIP() << "poppler-utils is not installed";
    EXPECT_EQ(pages, 3);
}

TEST_F(ScriptingFixture, TheWindowOpensCentredAtItsStoredSizeWithTheMacrosIcon) {
    config.ScriptLeft = 3;
    config.ScriptTop = 4;
    config.ScriptWidth = 500;
    config.ScriptHeight = 380;
    current.IconName.assign("PEN.ICO");
    std::filesystem::create_directories(dir.file("Icons"));
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(QImageWriter(QString::fromStdString(dir.file("Icons/PEN.ICO")), "ico").write(red));
    auto w = Open(6, true, true);
    const double scale = DisplayScale(*w);
    const QRect area = w->screen()->availableGeometry();
    EXPECT_EQ(w->width(), std::lround(500 * scale));
    EXPECT_EQ(w->height(), std::lround(380 * scale));
    EXPECT_EQ(w->x(), area.x() + (area.width() - w->width()) / 2);
    EXPECT_EQ(w->y(), area.y() + (area.height() - w->height()) / 2);
    const QImage shown = w->windowIcon().pixmap(16, 16).toImage();
    ASSERT_FALSE(shown.isNull()) << "the window shows the macro's icon";
    EXPECT_EQ(shown.pixelColor(8, 8), QColor(Qt::red));
    w->CancelButton->click();
    EXPECT_EQ(config.ScriptWidth, 500) << "kept unscaled for the next opening";

    // A stored size larger than the screen is brought inside it; "MAIN" is the program's icon.
    config.ScriptWidth = 5000;
    config.ScriptHeight = 4000;
    current.IconName.assign("MAIN");
    QImage blue(16, 16, QImage::Format_ARGB32);
    blue.fill(Qt::blue);
    const QIcon before = QApplication::windowIcon();
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(blue)));
    auto big = Open(6, true);
    big->show();
    QApplication::processEvents();
    EXPECT_LE(big->width(), area.width());
    EXPECT_LE(big->height(), area.height());
    EXPECT_GE(big->x(), area.x());
    EXPECT_GE(big->y(), area.y());
    EXPECT_EQ(big->windowIcon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::blue));
    QApplication::setWindowIcon(before);

    const QString screens = QStringLiteral(TESSARO_TEST_BIN_DIR) + "/../screens";
    QDir().mkpath(screens);
    config.ScriptWidth = 606;
    config.ScriptHeight = 440;
    SetMacroText(current, "Dear Sir,<DELAY:02.00><TFILE:/tmp/letter.txt>");
    auto shot = Open(1, true);
    shot->show();
    QApplication::processEvents();
    EXPECT_TRUE(shot->grab().save(screens + "/TDoScripting.png"));
    // A caption with a marked letter shows it underlined only with a control to go to.
    for (const QLabel* label : shot->findChildren<QLabel*>()) {
        if (label->text().contains('&')) {
            EXPECT_NE(label->buddy(), nullptr) << label->text().toStdString();
        }
    }
}

}  // namespace
}  // namespace tessaro
