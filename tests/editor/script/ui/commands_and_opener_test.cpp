// The script editor's commands list chosen from the keyboard, and "Edit In Notepad" on a
// desktop that has no program for text files.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "editor/script/ui/do_scripting.h"
#include "editor/script/ui/do_text_insert.h"
#include "editor/script/ui/script_editor_services.h"
#include "platform/message_box.h"
#include "tests/support/held_key.h"
#include "tests/support/held_press.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

// Command editors that only note which command was asked for.
class NotingServices final : public ScriptEditorServices {
public:
    std::vector<int> codes;
    CommandOutcome EditCommand(QWidget*, ScriptList&, const CommandRequest& r) override {
        codes.push_back(r.Code);
        return {};
    }
    std::string ChooseWindowOrProgram(QWidget*, const std::string&, bool, bool&) override { return {}; }
    void SetSchedule(QWidget*, TMacroRecord&) override {}
    void SnipraProperties(QWidget*, TMacroRecord&) override {}
};

struct Boxes {
    std::vector<std::string> shown;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        shown.push_back(call.caption + ": " + call.text);
        return win::MbResult::Ok;
    }};
};

struct CommandsList : ::testing::Test {
    testing::TempDir dir;
    TConfigRecord config{};
    TMacroRecord current{};
    NotingServices services;
    Boxes boxes;
    CommandsList() { EnsureQtApplication(); }
};

// Home on the first row, which the focus made current, chooses it as Down and Up would.
TEST_F(CommandsList, HomeChoosesTheFirstCommandForAdd) {
    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    w.ScriptMode = 6;
    w.FormShow();
    w.show();
    QApplication::setActiveWindow(&w);
    w.OptionBox->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(w.OptionBox->currentRow(), 0);
    testing::HeldKey(w.OptionBox, Qt::Key_Home);
    ASSERT_EQ(w.OptionBox->selectedItems().size(), 1);
    EXPECT_EQ(w.OptionBox->selectedItems().front(), w.OptionBox->item(0));
    testing::HeldClick(w.AddButton);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front();
    ASSERT_EQ(services.codes.size(), 1u);
    EXPECT_EQ(services.codes[0], w.OptionBox->item(0)->data(Qt::UserRole).toInt());
    // End chooses the last command the same way.
    testing::HeldKey(w.OptionBox, Qt::Key_End);
    testing::HeldClick(w.AddButton);
    ASSERT_EQ(services.codes.size(), 2u);
    EXPECT_EQ(services.codes[1], w.OptionBox->item(w.OptionBox->count() - 1)->data(Qt::UserRole).toInt());
}

// The desktop's opener, standing in front of the real one on the search path: it answers
// with the exit status given, as the real one does (3: nothing can open the file).
class StandInOpener {
public:
    StandInOpener(const testing::TempDir& dir, int status)
        : old_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        const std::string bin = dir.file("bin");
        ::mkdir(bin.c_str(), 0755);
        const std::string script = bin + "/xdg-open";
        std::ofstream(script) << "#!/bin/sh\necho \"$1\" > \"" << dir.file("asked") << "\"\nexit " << status
                              << "\n";
        ::chmod(script.c_str(), 0755);
        ::setenv("PATH", (bin + ":" + old_).c_str(), 1);
    }
    ~StandInOpener() { ::setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

struct EditInNotepad : ::testing::Test {
    testing::TempDir dir;
    Boxes boxes;
    EditInNotepad() { EnsureQtApplication(); }
    // Presses the button on the shown dialog and waits until the opener has answered.
    void Press(TDoTextInsert& dlg) {
        dlg.show();
        QApplication::processEvents();
        testing::HeldClick(dlg.findChild<QPushButton*>("EditText"));
        auto* watch = dlg.findChild<QTimer*>("OpenerWatch");
        ASSERT_NE(watch, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !watch->isActive(); }, 10000));
    }
};

TEST_F(EditInNotepad, SaysSoWhenNoProgramEditsTextFiles) {
    std::ofstream(dir.file("notes.txt")) << "x";
    StandInOpener opener(dir, 3);
    TDoTextInsert dlg(nullptr, false, dir.file("notes.txt"));
    Press(dlg);
    EXPECT_EQ(boxes.shown, std::vector<std::string>{std::string("Error: ") + TDoTextInsert::kNoEditor});
    std::ifstream asked(dir.file("asked"));
    std::string line;
    std::getline(asked, line);
    EXPECT_EQ(line, dir.file("notes.txt"));
}

TEST_F(EditInNotepad, SaysNothingWhenAProgramTookTheFile) {
    std::ofstream(dir.file("notes.txt")) << "x";
    // Even a text file that may be executed is only handed to the opener, never run.
    ::chmod(dir.file("notes.txt").c_str(), 0755);
    StandInOpener opener(dir, 0);
    TDoTextInsert dlg(nullptr, false, dir.file("notes.txt"));
    Press(dlg);
    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front();
    EXPECT_TRUE(std::ifstream(dir.file("asked")).good());
}

}  // namespace
}  // namespace tessaro
