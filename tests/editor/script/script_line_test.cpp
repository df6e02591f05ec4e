#include "editor/script/script_line.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tessaro {
namespace {

TEST(CommandTable, EveryNameIsRecognisedAsItsOwnCode) {
    std::set<std::string_view> seen;
    for (int code = 1; code <= kCommandCount; ++code) {
        const std::string_view name = CommandName(code);
        ASSERT_FALSE(name.empty()) << code;
        EXPECT_TRUE(seen.insert(name).second) << "duplicate name " << name;
        EXPECT_EQ(RecogniseCommand(name), code) << name;
        EXPECT_EQ(RecogniseCommand("      " + std::string(name) + ": summary  "), code) << name;
    }
    EXPECT_TRUE(CommandName(0).empty());
    EXPECT_TRUE(CommandName(kCommandCount + 1).empty());
}

TEST(CommandTable, NoNameIsAPrefixOfAnother) {
    for (int a = 1; a <= kCommandCount; ++a)
        for (int b = 1; b <= kCommandCount; ++b)
            if (a != b) {
                EXPECT_FALSE(CommandName(b).starts_with(CommandName(a))) << a << " " << b;
            }
}

TEST(CommandTable, RecognitionComparesFromTheStartOnly) {
    EXPECT_EQ(RecogniseCommand("Wait Time Delay 3 Seconds"), cmd::WaitTimeDelay);
    EXPECT_EQ(RecogniseCommand("Delay 1.00 Seconds"), cmd::Delay);
    EXPECT_EQ(RecogniseCommand(""), 0);
    EXPECT_EQ(RecogniseCommand("   "), 0);
    EXPECT_EQ(RecogniseCommand("Nothing at all"), 0);
    EXPECT_EQ(RecogniseCommand("Dela"), 0);
    // Only the first 255 characters count: a name pushed past them is not seen.
    EXPECT_EQ(RecogniseCommand(std::string(250, ' ') + "Remark: x"), 0);
    EXPECT_EQ(RecogniseCommand(std::string(249, ' ') + "Delay"), cmd::Delay);
}

TEST(LineRecords, EveryCodeGetsAFittingRecordWithItsKind) {
    for (int code = 1; code <= kCommandCount; ++code) {
        const LineRecord rec = NewRecord(code);
        EXPECT_TRUE(RecordFitsCommand(code, rec)) << code;
    }
    EXPECT_FALSE(RecordFitsCommand(cmd::Delay, NewRecord(cmd::Text)));
    EXPECT_FALSE(RecordFitsCommand(0, NewRecord(cmd::Text)));
    EXPECT_EQ(std::get<TDelayRec>(NewRecord(cmd::WaitTimeDelay)).Unit, 3);
    EXPECT_EQ(std::get<TDelayRec>(NewRecord(cmd::Delay)).Unit, 1);
    EXPECT_FALSE(std::get<TDateTimeRec>(NewRecord(cmd::Time)).IsDate);
    EXPECT_EQ(std::get<TMouseRec>(NewRecord(cmd::MouseRightButton)).Action, 6);
    EXPECT_EQ(std::get<TKeyRec>(NewRecord(cmd::WinKey)).Kind, 7);
    EXPECT_EQ(std::get<TWindowRec>(NewRecord(cmd::ProgramShutDown)).Kind, 7);
    EXPECT_EQ(std::get<TCDRec>(NewRecord(cmd::CdBack)).Kind, 8);
    EXPECT_EQ(std::get<TWaitRec>(NewRecord(cmd::WaitTimeElapse)).Kind, 10);
}

std::vector<ScriptLine> Lines(std::initializer_list<const char*> texts) {
    std::vector<ScriptLine> lines;
    for (const char* t : texts) lines.push_back({t, NewRecord(RecogniseCommand(t))});
    return lines;
}

std::vector<std::string> Texts(const std::vector<ScriptLine>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(l.Text);
    return out;
}

TEST(Indentation, NestedBlocksAndUnbalancedEnds) {
    auto lines = Lines({"Repeat Start: 2 Times", "   Repeat Prompt Start: x", "Repeat Start: 3", "Text: a",
                        "Repeat End", "Repeat End", "Repeat End", "Repeat End", "Text: b"});
    SetIndents(lines);
    EXPECT_EQ(Texts(lines),
              (std::vector<std::string>{"Repeat Start: 2 Times", "   Repeat Prompt Start: x",
                                        "      Repeat Start: 3", "         Text: a", "      Repeat End",
                                        "   Repeat End", "Repeat End", "Repeat End", "Text: b"}));
}

TEST(Indentation, ClipboardCopiesAndHeldKeys) {
    auto lines = Lines({"Clipboard Start Copy", "Control Key Down", "Shift Key Down", "Text: a",
                        "Shift Key Up", "Control Key Up", "Clipboard End Copy", "Win Key Up",
                        "  Alt Key Downwards", "Clipboard Copy"});
    SetIndents(lines);
    EXPECT_EQ(Texts(lines),
              (std::vector<std::string>{"Clipboard Start Copy", "   Control Key Down", "      Shift Key Down",
                                        "         Text: a", "      Shift Key Up", "   Control Key Up",
                                        "Clipboard End Copy", "Win Key Up", "Alt Key Downwards",
                                        "   Clipboard Copy"}));
    // Indenting again changes nothing.
    auto again = lines;
    SetIndents(again);
    EXPECT_EQ(Texts(again), Texts(lines));
}

TEST(Indentation, DeepBlocksStopAtTheCapAndStillMatchTheirEnds) {
    std::vector<ScriptLine> lines;
    for (int i = 0; i < 300; ++i) lines.push_back({"Repeat Start: 2", NewRecord(cmd::RepeatStart)});
    lines.push_back({"Text: deep", NewRecord(cmd::Text)});
    for (int i = 0; i < 300; ++i) lines.push_back({"Repeat End", NewRecord(cmd::RepeatEnd)});
    lines.push_back({"Text: out", NewRecord(cmd::Text)});
    SetIndents(lines);
    const std::string cap(static_cast<std::size_t>(kMaxIndent), ' ');
    EXPECT_EQ(lines[1].Text, "   Repeat Start: 2");
    EXPECT_EQ(lines[250].Text, cap + "Repeat Start: 2");
    EXPECT_EQ(lines[300].Text, cap + "Text: deep");
    // The ends are counted through the cap: the last ones come back to the left.
    EXPECT_EQ(lines[599].Text, "   Repeat End");
    EXPECT_EQ(lines[600].Text, "Repeat End");
    EXPECT_EQ(lines[601].Text, "Text: out");
}

TEST(Indentation, IndentingALongTextAgainNeverCutsItsEnd) {
    const std::string text = "Text: " + std::string(249, 'x');  // 255 characters
    std::vector<ScriptLine> lines{{"Repeat Start: 2", NewRecord(cmd::RepeatStart)},
                                  {text, NewRecord(cmd::Text)}};
    for (int round = 0; round < 3; ++round) SetIndents(lines);
    EXPECT_EQ(lines[1].Text, "   " + text);
}

}  // namespace
}  // namespace tessaro
