#include "editor/script/ui/command_editors.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <fstream>
#include <map>

#include "editor/commands/netconn_dialog.h"
#include "editor/script/display_text.h"
#include "editor/script/parse_text.h"
#include "platform/message_box.h"
#include "editor/script/script_writer.h"
#include "protocol/glob_data.h"
#include "tests/editor/commands/families/fakes.h"
#include "tests/editor/script/ui/no_connections.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::FakeChooser;
using testing::FakePathEditor;
using testing::FakePicker;
using testing::NoConnections;
using testing::NoSoundCard;

// Confirms with the dialog's own defaults; where OK is refused, the control the refusal
// focused gets a plausible value (an existing file, then numbers, then text) and OK again.
class ScriptedRunner final : public CommandDialogRunner {
public:
    bool confirm = true;
    std::string file;
    int shown = 0;
    // Control name -> text put in before OK, for the fields a line cannot do without.
    std::vector<std::pair<QString, QString>> prefill;

    void Run(QDialog& dlg) override {
        ++shown;
        dlg.show();
        QCoreApplication::processEvents();
        if (!confirm) {
            dlg.reject();
            return;
        }
        for (const auto& [name, text] : prefill) {
            if (auto* e = dlg.findChild<QLineEdit*>(name)) e->setText(text);
            if (auto* t = dlg.findChild<QPlainTextEdit*>(name)) t->setPlainText(text);
        }
        std::map<QWidget*, int> tries;
        for (int attempt = 0; attempt < 12 && dlg.isVisible(); ++attempt) {
            if (attempt > 0) Fill(dlg.focusWidget(), tries);
            // The keystroke editor confirms with Update; its "ok" inserts a symbol.
            auto* ok = dlg.findChild<QPushButton*>("UpdateButton");
            if (ok == nullptr) ok = dlg.findChild<QPushButton*>("OkButton");
            if (ok != nullptr) ok->click();
            QCoreApplication::processEvents();
        }
        if (dlg.isVisible()) dlg.reject();
    }

private:
    void Fill(QWidget* w, std::map<QWidget*, int>& tries) {
        if (w == nullptr) return;
        const int n = tries[w]++;
        const QString values[] = {QString::fromStdString(file), "1", "5", "Text"};
        const QString value = values[n % 4];
        if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(value);
        if (auto* t = qobject_cast<QPlainTextEdit*>(w)) t->setPlainText("Text");
        if (auto* t = qobject_cast<QTextEdit*>(w)) t->setPlainText("Text");
        if (auto* l = qobject_cast<QListWidget*>(w)) {
            if (l->count() == 0) l->addItem(value);
            l->setCurrentRow(0);
        }
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            if (c->count() > 0) c->setCurrentIndex(0);
            if (c->isEditable()) c->setEditText(value);
        }
    }
};

bool NeedsOwnInput(int code) {
    for (int c : {72, 94})
        if (c == code) return true;
    return false;
}

class CommandEditorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApplication();
        runner.file = dir.path() + "/Note.txt";
        std::ofstream(runner.file) << "text\r\n";
        chooser.file = runner.file;
        chooser.folder = dir.path();
        picker.answer = "xterm";
    }

    CommandEditorHosts Hosts(bool ras = true, bool ie4 = true) {
        return CommandEditorHosts{settings, glob, chooser, picker, paths, mixer, connections, ras, ie4};
    }

    std::vector<std::pair<QString, QString>> PrefillFor(int code) const {
        const QString file = QString::fromStdString(runner.file), folder = QString::fromStdString(dir.path());
        switch (code) {
            case 1: return {{"NewFormat", "Hello"}};
            case 16:
            case 17: return {{"TheWidth", "100"}, {"TheHeight", "100"}};
            case 46: return {{"ProgPath", folder}};
            case 48:
            case 49: return {{"ProgPath", file}, {"NewName", "Copy.txt"}};
            case 66: return {{"ProgPath", folder}};
            default: return {};
        }
    }

    static std::string Stored(const ScriptLine& line) {
        return CommandText(LineCommand(line), line.Record).text;
    }

    testing::TempDir dir;
    TConfigRecord settings;
    TGlobData glob{};
    FakeChooser chooser;
    FakePicker picker;
    FakePathEditor paths{settings};
    NoSoundCard mixer;
    NoConnections connections;
    ScriptedRunner runner;
    win::ScopedMessageBoxHandler boxes{[this](const win::MessageBoxCall& call) {
        boxTexts.push_back(call.text);
        return win::FirstButton(call.buttons);
    }};
    std::vector<std::string> boxTexts;
};

TEST_F(CommandEditorsTest, EveryCodeAddsItsLineCancelsCleanlyAndEditsUnchanged) {
    for (int code = 1; code <= 117; ++code) {
        SCOPED_TRACE(code);
        CommandEditors editors(Hosts(), runner);
        ScriptList list;
        list.Lines.push_back(MakeLine(29, TNameRec{"first"}));

        runner.confirm = false;
        runner.shown = 0;
        const bool cancelled = editors.EditCommand(nullptr, list, {code, true, AddStyle::AtEnd, 0}).Changed;
        if (AddsWithoutDialog(code)) {
            EXPECT_TRUE(cancelled);
            EXPECT_EQ(runner.shown, 0);
            ASSERT_EQ(list.Lines.size(), 2u);
            list.Lines.pop_back();
        } else {
            EXPECT_FALSE(cancelled);
            EXPECT_EQ(runner.shown, 1);
            EXPECT_EQ(editors.LineAdded, 0);
            ASSERT_EQ(list.Lines.size(), 1u);
        }

        runner.confirm = true;
        runner.prefill = PrefillFor(code);
        if (!editors.EditCommand(nullptr, list, {code, true, AddStyle::AtEnd, 0}).Changed) {
            // A printer and a dial-up entry are what a test machine lacks; their dialogs
            // have their own tests.
            EXPECT_TRUE(NeedsOwnInput(code)) << "not added";
            continue;
        }
        ASSERT_EQ(list.Lines.size(), 2u);
        // A "Wait Time Delay" added with the dialog's defaults is a plain delay.
        const int expected = code == 117 ? 4 : code;
        EXPECT_EQ(LineCommand(list.Lines[1]), expected) << list.Lines[1].Text;

        const ScriptTextResult text = BuildMacroText(list.Lines);
        ASSERT_TRUE(text.ok) << text.error;
        const std::vector<ScriptLine> back = ParseMacroText(text.text);
        ASSERT_EQ(back.size(), 2u) << text.text;
        EXPECT_EQ(LineCommand(back[1]), expected) << text.text;

        // Edit, then cancel: nothing changes; confirm unchanged: the same line and command.
        const std::string before = Stored(list.Lines[1]);
        const std::string shownText = list.Lines[1].Text;
        runner.confirm = false;
        EXPECT_FALSE(editors.EditCommand(nullptr, list, {expected, false, AddStyle::AtEnd, 1}).Changed);
        EXPECT_EQ(Stored(list.Lines[1]), before);
        runner.confirm = true;
        EXPECT_TRUE(editors.EditCommand(nullptr, list, {expected, false, AddStyle::AtEnd, 1}).Changed);
        ASSERT_EQ(list.Lines.size(), 2u);
        // Enciphering salts anew each time: only the command stays.
        if (code != 113) {
            EXPECT_EQ(Stored(list.Lines[1]), before);
            EXPECT_EQ(list.Lines[1].Text, shownText);
        }
        EXPECT_EQ(LineCommand(list.Lines[1]), expected);
        EXPECT_EQ(list.Lines[0].Text, MakeLine(29, TNameRec{"first"}).Text);
    }
}

TEST_F(CommandEditorsTest, AddStylesPlaceTheNewLine) {
    CommandEditors editors(Hosts(), runner);
    ScriptList list;
    // After the selection in an empty list: index 0.
    ASSERT_TRUE(editors.EditCommand(nullptr, list, {35, true, AddStyle::After, 0}).Changed);
    ASSERT_TRUE(editors.EditCommand(nullptr, list, {36, true, AddStyle::AtEnd, 0}).Changed);
    ASSERT_TRUE(editors.EditCommand(nullptr, list, {30, true, AddStyle::Before, 1}).Changed);
    ASSERT_TRUE(editors.EditCommand(nullptr, list, {7, true, AddStyle::After, 0}).Changed);
    std::vector<int> codes;
    for (const ScriptLine& line : list.Lines) codes.push_back(LineCommand(line));
    EXPECT_EQ(codes, (std::vector<int>{35, 7, 30, 36}));
}

TEST_F(CommandEditorsTest, RefusalsComeBeforeAnyDialog) {
    CommandEditors editors(Hosts(false, false), runner);
    ScriptList list;
    runner.shown = 0;
    EXPECT_FALSE(editors.EditCommand(nullptr, list, {94, true, AddStyle::AtEnd, 0}).Changed);
    for (int code : {69, 70, 106, 107, 108, 109})
        EXPECT_FALSE(editors.EditCommand(nullptr, list, {code, true, AddStyle::AtEnd, 0}).Changed) << code;
    EXPECT_EQ(runner.shown, 0);
    EXPECT_TRUE(list.Lines.empty());
    ASSERT_EQ(boxTexts.size(), 7u);
    EXPECT_NE(boxTexts[1].find("requires Windows 98 or NT"), std::string::npos);
    // Cascade and tile never need the desktop shell.
    EXPECT_TRUE(editors.EditCommand(nullptr, list, {67, true, AddStyle::AtEnd, 0}).Changed);
    EXPECT_TRUE(editors.EditCommand(nullptr, list, {68, true, AddStyle::AtEnd, 0}).Changed);
    EXPECT_EQ(list.Lines.size(), 2u);
}

TEST_F(CommandEditorsTest, EditingPresetsFromTheRecord) {
    CommandEditors editors(Hosts(), runner);
    ScriptList list;
    // A stored ":PROMPT:" save, a caret-relative move and a drive-letter network path.
    list.Lines.push_back(MakeLine(114, TClipRec{9, ":PROMPT:", false}));
    list.Lines.push_back(MakeLine(24, TMouseRec{5, 7, 0, 1, 4}));
    list.Lines.push_back(MakeLine(52, TNetRec{"Z://nas/share", "", "", false, false, false}));
    for (int i = 0; i < 3; ++i) {
        const std::string before = Stored(list.Lines[static_cast<std::size_t>(i)]);
        ASSERT_TRUE(editors
                        .EditCommand(
                            nullptr, list,
                            {LineCommand(list.Lines[static_cast<std::size_t>(i)]), false, AddStyle::AtEnd, i})
                        .Changed);
        EXPECT_EQ(Stored(list.Lines[static_cast<std::size_t>(i)]), before) << i;
    }
    EXPECT_EQ(std::get<TMouseRec>(list.Lines[1].Record).MoveKind, 4);
    EXPECT_EQ(std::get<TClipRec>(list.Lines[0].Record).FileName, ":PROMPT:");
}

}  // namespace
}  // namespace tessaro
