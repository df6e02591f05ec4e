// A long text file in the real script editor window, shown, laid out and painted: every row
// keeps showing its line through opening and each line operation. How fast it opens and
// loses a line is measured by bench/script_long_file_bench.
#include <QApplication>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "editor/script/display_text.h"
#include "editor/script/ui/do_scripting.h"
#include "editor/script/ui/script_editor_services.h"
#include "platform/message_box.h"
#include "tests/editor/script/ui/script_rows_shown.h"
#include "tests/support/held_press.h"
#include "tests/support/qt_app.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::CurrentRow;
using testing::HeldClick;
using testing::HeldClickRow;
using testing::RowCount;
using testing::RowText;

// "Load Text File" asks for `file` to be edited as lines; any other command adds a remark,
// or makes the edited line a short one.
class Services final : public ScriptEditorServices {
public:
    std::string file;
    CommandOutcome EditCommand(QWidget*, ScriptList& list, const CommandRequest& r) override {
        if (r.Code == cmd::LoadTextFile) return {false, file};
        if (!r.IsNew) {
            ReplaceLine(list, r.InsertIndex, MakeLine(cmd::Remark, TNameRec{"edited"}));
            return {true, {}};
        }
        InsertNewLine(list, r.Style, r.InsertIndex, MakeLine(cmd::Remark, TNameRec{"added"}));
        return {true, {}};
    }
    std::string ChooseWindowOrProgram(QWidget*, const std::string&, bool, bool&) override { return {}; }
    void SetSchedule(QWidget*, TMacroRecord&) override {}
    void SnipraProperties(QWidget*, TMacroRecord&) override {}
};

// What a person sees once the window has caught up: the posted layout run and a paint.
void Settle(TDoScripting& w) {
    QApplication::processEvents();
    QApplication::processEvents();
    (void)w.Script->viewport()->grab();
}

// Each row shows its line's display text on one row (a typed line break as a blank).
void ExpectRowsShowTheLines(const TDoScripting& w) {
    const std::vector<ScriptLine>& lines = w.Lines().Lines;
    ASSERT_EQ(RowCount(w.Script), static_cast<int>(lines.size()));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string shown;
        for (std::size_t k = 0; k < lines[i].Text.size(); ++k) {
            const char c = lines[i].Text[k];
            if (c == '\r' && k + 1 < lines[i].Text.size() && lines[i].Text[k + 1] == '\n') continue;
            shown += c == '\r' || c == '\n' ? ' ' : c;
        }
        ASSERT_EQ(RowText(w.Script, static_cast<int>(i)).toStdString(), shown) << "row " << i;
    }
    EXPECT_EQ(CurrentRow(w.Script), w.Lines().Selected);
}

// How wide the widest line is drawn.
int Widest(const TDoScripting& w) {
    int widest = 0;
    for (const ScriptLine& line : w.Lines().Lines)
        widest =
            std::max(widest, w.Script->fontMetrics().horizontalAdvance(QString::fromStdString(line.Text)));
    return widest;
}

// Every row has one size, yet the list scrolls as far as the widest line and no further
// (a few pixels of margin aside).
void ExpectScrollingReachesTheWidestLine(const TDoScripting& w) {
    const int widest = Widest(w);
    const int reach = w.Script->horizontalScrollBar()->maximum() + w.Script->viewport()->width();
    EXPECT_GE(reach, widest);
    EXPECT_LE(reach, std::max(widest + 16, w.Script->viewport()->width()));
}

class LongFileFixture : public ::testing::Test {
protected:
    LongFileFixture() {
        EnsureQtApplication();
        services.file = dir.file("long.txt");
        SetMacroText(current, "<TFILE:" + services.file + ">");
    }

    void Write(const std::string& text) { std::ofstream(services.file, std::ios::binary) << text; }

    // The editor of an existing macro, shown.
    void Open(TDoScripting& w) {
        w.ScriptMode = 6;
        w.IsExisting = true;
        w.show();
        Settle(w);
    }

    testing::TempDir dir;
    Services services;
    TConfigRecord config{};
    TMacroRecord current{};
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& call) {
        boxes.push_back(call.caption + ": " + call.text);
        return win::FirstButton(call.buttons);
    }};
};

TEST_F(LongFileFixture, ADeeplyNestedLongFileOpensAndLosesALineWithEveryRowShown) {
    // Short typed lines with a delay each, and a repeat left open now and then: the blocks
    // nest deeper and deeper down the file, far past the indentation's cap.
    std::string text;
    for (int i = 0; i < 40000; ++i) text += i % 400 == 0 ? "<REP:0002:000001:000001>\n" : "ab<MSD:0010>\n";
    Write(text);
    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    Open(w);

    w.CommandMenuClick(cmd::LoadTextFile);
    Settle(w);
    ASSERT_TRUE(w.TextFile().Active);
    // Each typed line and its delay, each repeat, the line break before each later repeat,
    // and the last line break.
    ASSERT_EQ(RowCount(w.Script), 2 * 39900 + 100 + 99 + 1);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));

    const int middle = RowCount(w.Script) / 2;
    HeldClickRow(w.Script, middle);
    ASSERT_EQ(w.Lines().Selected, middle);
    const std::string following = w.Lines().Lines[static_cast<std::size_t>(middle) + 1].Text;
    Settle(w);
    w.DoDeleteClick();
    Settle(w);
    EXPECT_EQ(w.Lines().Lines[static_cast<std::size_t>(middle)].Text, following);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));
    w.CancelButtonClick();
}

TEST_F(LongFileFixture, EveryRowFollowsItsLineThroughAddCopyMoveAndDelete) {
    // Blocks whose indentation changes as lines come and go, a typed line break, and one
    // line far wider than the others.
    const std::string wide(240, 'w');
    Write("<REP:0002:000001:000001>a\r\nb<ENDREP><BEGCLIP>c<ENDCLIP><REM:" + wide + "><MSD:0010><ENDREP>x");
    TDoScripting w(nullptr, current, config, services, dir.path(), [](std::uint32_t, std::int32_t) {});
    Open(w);
    w.resize(400, 400);
    w.CommandMenuClick(cmd::LoadTextFile);
    Settle(w);
    ASSERT_TRUE(w.TextFile().Active);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));

    EXPECT_GT(Widest(w), w.Script->viewport()->width());
    ASSERT_NO_FATAL_FAILURE(ExpectScrollingReachesTheWidestLine(w));

    HeldClickRow(w.Script, 0);  // the repeat start: deleting it moves its body left
    HeldClick(w.DoDelete);
    Settle(w);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));
    HeldClickRow(w.Script, 2);
    HeldClick(w.DoCopy);
    Settle(w);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));
    HeldClick(w.DoUp);
    Settle(w);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));
    HeldClick(w.DoDown);
    HeldClick(w.DoDown);
    Settle(w);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));
    HeldClickRow(w.Script, 1);
    w.CommandMenuClick(cmd::Remark);
    Settle(w);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));
    // The wide line edited into a short one: the list no longer scrolls for it.
    const auto wideRow = std::find_if(
        w.Lines().Lines.begin(), w.Lines().Lines.end(),
        [&](const ScriptLine& line) { return line.Text.find(wide.substr(0, 40)) != std::string::npos; });
    ASSERT_NE(wideRow, w.Lines().Lines.end());
    const int wideWidth = Widest(w);
    HeldClickRow(w.Script, static_cast<int>(wideRow - w.Lines().Lines.begin()));
    HeldClick(w.DoEdit);
    Settle(w);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));
    ASSERT_LT(Widest(w), wideWidth / 2);
    ASSERT_NO_FATAL_FAILURE(ExpectScrollingReachesTheWidestLine(w));
    while (!w.Lines().Lines.empty()) {
        HeldClickRow(w.Script, 0);
        HeldClick(w.DoDelete);
        ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));
        Settle(w);
        ASSERT_NO_FATAL_FAILURE(ExpectScrollingReachesTheWidestLine(w));
    }
    w.CancelButtonClick();
    Settle(w);
    ASSERT_NO_FATAL_FAILURE(ExpectRowsShowTheLines(w));
}

}  // namespace
}  // namespace tessaro
