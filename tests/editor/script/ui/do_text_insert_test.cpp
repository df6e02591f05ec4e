#include "editor/script/ui/do_text_insert.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <fstream>
#include <vector>

#include "platform/message_box.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

struct TextInsertFixture : ::testing::Test {
    testing::TempDir dir;
    std::vector<std::string> boxes;
    win::MbResult answer = win::MbResult::No;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return answer;
    }};
    TextInsertFixture() { EnsureQtApplication(); }
};

TEST_F(TextInsertFixture, AnExistingFileBecomesTheCommand) {
    std::ofstream(dir.file("notes.txt")) << "hello";
    TDoTextInsert dlg(nullptr, false, "  " + dir.file("notes.txt") + " ");
    EXPECT_FALSE(dlg.EditScript->isVisibleTo(&dlg));
    dlg.OkButtonClick();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(dlg.CommandText, "<TFILE:" + dir.file("notes.txt") + ">");
}

TEST_F(TextInsertFixture, AMissingFileIsQuestionedAndNoKeepsThePathAsTyped) {
    TDoTextInsert dlg(nullptr, true, " /no/such/file.txt ");
    answer = win::MbResult::Yes;
    dlg.OkButtonClick();
    EXPECT_EQ(dlg.CommandText, "");
    answer = win::MbResult::No;
    dlg.OkButtonClick();
    EXPECT_EQ(dlg.CommandText, "<TFILE:/no/such/file.txt>");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0], "Warning: Specified Path and Program does not exist.  Do you wish to correct?");
}

TEST_F(TextInsertFixture, EditingNeedsAnExistingFile) {
    TDoTextInsert dlg(nullptr, true, dir.path());  // a folder is not a text file
    EXPECT_TRUE(dlg.EditScript->isVisibleTo(&dlg));
    dlg.EditScriptClick();
    dlg.EditTextClick();
    EXPECT_EQ(boxes, (std::vector<std::string>(
                         2, "Error: Specified Path and Program does not exist.  Unable to open text file.")));
    EXPECT_FALSE(dlg.EditInScript);
    std::ofstream(dir.file("a.txt")) << "x";
    dlg.ProgPath->setText(QString::fromStdString(dir.file("a.txt")));
    dlg.EditScriptClick();
    EXPECT_TRUE(dlg.EditInScript);
    EXPECT_EQ(dlg.ChosenPath, dir.file("a.txt"));
}

}  // namespace
}  // namespace tessaro
