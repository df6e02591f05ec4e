#include "editor/script/line_ops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

ScriptLine Line(int code, const std::string& summary) {
    return {std::string(CommandName(code)) + summary, NewRecord(code)};
}

ScriptLine Remark(const std::string& text) {
    ScriptLine line = Line(cmd::Remark, ": " + text);
    std::get<TNameRec>(line.Record).Name = text;
    return line;
}

// The remarks' texts in list order, without indentation.
std::vector<std::string> Texts(const ScriptList& list) {
    std::vector<std::string> out;
    for (const ScriptLine& line : list.Lines) {
        const auto start = line.Text.find_first_not_of(' ');
        out.push_back(start == std::string::npos ? "" : line.Text.substr(start));
    }
    return out;
}

ScriptList ThreeRemarks(int selected) {
    ScriptList list{{Remark("a"), Remark("b"), Remark("c")}, selected};
    SetIndents(list.Lines);
    return list;
}

std::string R(const std::string& text) { return std::string(CommandName(cmd::Remark)) + ": " + text; }

TEST(ScriptLineOps, InsertionMethodGivesTheMenuItemsAddStyle) {
    EXPECT_EQ(GetAddStyle(1), AddStyle::Before);
    EXPECT_EQ(GetAddStyle(2), AddStyle::After);
    EXPECT_EQ(GetAddStyle(3), AddStyle::AtEnd);
    EXPECT_EQ(GetAddStyle(0), AddStyle::AtEnd);
    EXPECT_EQ(InsertIndexOf(ThreeRemarks(-1)), 0);
    EXPECT_EQ(InsertIndexOf(ThreeRemarks(2)), 2);
}

TEST(ScriptLineOps, ANewLineGoesWhereTheStyleSaysAndIsSelectedAfterwards) {
    struct Case {
        AddStyle style;
        int selected;
        std::vector<std::string> order;
        int selectedAfter;
    };
    const Case cases[] = {
        {AddStyle::AtEnd, 0, {R("a"), R("b"), R("c"), R("n")}, 3},
        {AddStyle::Before, 1, {R("a"), R("n"), R("b"), R("c")}, 1},
        {AddStyle::After, 1, {R("a"), R("b"), R("n"), R("c")}, 2},
        {AddStyle::After, 2, {R("a"), R("b"), R("c"), R("n")}, 3},
        // Nothing selected: the insertion index is 0.
        {AddStyle::Before, -1, {R("n"), R("a"), R("b"), R("c")}, 0},
        {AddStyle::After, -1, {R("a"), R("n"), R("b"), R("c")}, 1},
    };
    for (const Case& c : cases) {
        ScriptList list = ThreeRemarks(c.selected);
        const int insertIndex = InsertIndexOf(list);
        InsertNewLine(list, c.style, insertIndex, Remark("n"));
        SetScriptIndex(list, c.style, insertIndex);
        EXPECT_EQ(Texts(list), c.order) << static_cast<int>(c.style) << " " << c.selected;
        EXPECT_EQ(list.Selected, c.selectedAfter) << static_cast<int>(c.style) << " " << c.selected;
    }
}

TEST(ScriptLineOps, InsertAfterOnAnEmptyScriptAddsAndSelectsTheOnlyLine) {
    ScriptList list;
    InsertNewLine(list, AddStyle::After, InsertIndexOf(list), Remark("n"));
    SetScriptIndex(list, AddStyle::After, 0);
    ASSERT_EQ(list.Lines.size(), 1u);
    EXPECT_EQ(list.Selected, 0);
}

TEST(ScriptLineOps, ACancelledAddNeverSelectsPastTheEnd) {
    ScriptList list = ThreeRemarks(2);
    SetScriptIndex(list, AddStyle::After, 2);  // the editor added nothing
    EXPECT_EQ(list.Selected, 2);
    ScriptList empty;
    SetScriptIndex(empty, AddStyle::AtEnd, 0);
    EXPECT_EQ(empty.Selected, -1);
    SetScriptIndex(empty, AddStyle::After, 0);
    EXPECT_EQ(empty.Selected, -1);
}

TEST(ScriptLineOps, AnEditReplacesTheLineInPlace) {
    ScriptList list = ThreeRemarks(1);
    ReplaceLine(list, 1, Remark("B"));
    EXPECT_EQ(Texts(list), (std::vector<std::string>{R("a"), R("B"), R("c")}));
    EXPECT_EQ(std::get<TNameRec>(list.Lines[1].Record).Name, "B");
    EXPECT_EQ(list.Selected, 1);
    ReplaceLine(list, 7, Remark("x"));  // a vanished line changes nothing
    EXPECT_EQ(list.Lines.size(), 3u);
}

TEST(ScriptLineOps, ACopyStandsAboveItsSourceWhichStaysSelected) {
    ScriptList list = ThreeRemarks(1);
    EXPECT_EQ(CopySelectedLine(list), "");
    EXPECT_EQ(Texts(list), (std::vector<std::string>{R("a"), R("b"), R("b"), R("c")}));
    EXPECT_EQ(list.Selected, 2);
    // The copy owns its own record.
    std::get<TNameRec>(list.Lines[1].Record).Name = "changed";
    EXPECT_EQ(std::get<TNameRec>(list.Lines[2].Record).Name, "b");

    ScriptList unknown{{ScriptLine{"not a command", TTextRec{}}, Remark("z")}, 0};
    EXPECT_EQ(CopySelectedLine(unknown), "");
    EXPECT_EQ(unknown.Lines.size(), 2u);
    EXPECT_EQ(unknown.Selected, 1);

    ScriptList none = ThreeRemarks(-1);
    EXPECT_EQ(CopySelectedLine(none), kNoLineSelected);
    EXPECT_EQ(none.Lines.size(), 3u);
}

TEST(ScriptLineOps, DeletingKeepsTheIndexOrSelectsTheNewLastLine) {
    ScriptList list = ThreeRemarks(1);
    EXPECT_EQ(DeleteSelectedLine(list), "");
    EXPECT_EQ(Texts(list), (std::vector<std::string>{R("a"), R("c")}));
    EXPECT_EQ(list.Selected, 1);
    EXPECT_EQ(DeleteSelectedLine(list), "");
    EXPECT_EQ(list.Selected, 0);
    EXPECT_EQ(DeleteSelectedLine(list), "");
    EXPECT_TRUE(list.Lines.empty());
    EXPECT_EQ(list.Selected, -1);
    EXPECT_EQ(DeleteSelectedLine(list), kNoLineSelected);
}

TEST(ScriptLineOps, MovingExchangesNeighboursAndStopsAtTheEnds) {
    ScriptList list = ThreeRemarks(0);
    MoveSelectedUp(list);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{R("a"), R("b"), R("c")}));
    MoveSelectedDown(list);
    MoveSelectedDown(list);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{R("b"), R("c"), R("a")}));
    EXPECT_EQ(list.Selected, 2);
    MoveSelectedDown(list);
    EXPECT_EQ(list.Selected, 2);
    MoveSelectedUp(list);
    EXPECT_EQ(Texts(list), (std::vector<std::string>{R("b"), R("a"), R("c")}));
    EXPECT_EQ(list.Selected, 1);
}

TEST(ScriptLineOps, EveryOperationReindentsTheBlocks) {
    ScriptList list{{Line(cmd::RepeatStart, ": 10 Times"), Remark("x"), Line(cmd::RepeatEnd, "")}, 1};
    SetIndents(list.Lines);
    ASSERT_EQ(list.Lines[1].Text, "   " + R("x"));
    MoveSelectedUp(list);  // the remark leaves the loop
    EXPECT_EQ(list.Lines[0].Text, R("x"));
    EXPECT_EQ(list.Lines[2].Text, CommandName(cmd::RepeatEnd));
    MoveSelectedDown(list);
    EXPECT_EQ(list.Lines[1].Text, "   " + R("x"));
    EXPECT_EQ(CopySelectedLine(list), "");  // a copy inside the loop is indented too
    EXPECT_EQ(list.Lines[1].Text, "   " + R("x"));
    EXPECT_EQ(list.Lines[2].Text, "   " + R("x"));
}

TEST(ScriptLineOps, ButtonsFollowTheSelection) {
    const auto buttons = [](int lines, int selected) {
        ScriptList list;
        for (int i = 0; i < lines; ++i) list.Lines.push_back(Remark("x"));
        list.Selected = selected;
        const LineButtons b = EnableDisable(list);
        return std::vector<bool>{b.Up, b.Down, b.Copy, b.Edit, b.Delete};
    };
    EXPECT_EQ(buttons(3, -1), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_EQ(buttons(3, 0), (std::vector<bool>{false, true, true, true, true}));
    EXPECT_EQ(buttons(3, 1), (std::vector<bool>{true, true, true, true, true}));
    EXPECT_EQ(buttons(3, 2), (std::vector<bool>{true, false, true, true, true}));
    EXPECT_EQ(buttons(1, 0), (std::vector<bool>{false, false, true, true, true}));
    EXPECT_EQ(buttons(0, 0), (std::vector<bool>{false, false, false, false, false}));
}

}  // namespace
}  // namespace tessaro
