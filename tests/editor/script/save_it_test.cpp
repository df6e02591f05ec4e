#include "editor/script/save_it.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/script/display_text.h"
#include "editor/script/script_writer.h"
#include "platform/message_box.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

class SaveItTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/tessaro-saveit-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir_ = tmpl;
        record_ = TMacroRecord{};
        record_.Nickname = "old";
        record_.ScopeText = "old scope";
        record_.Abbreviation = "old";
        SetMacroText(record_, "old text");
        form_.NickName = "My macro";
        form_.IconName = "MAIN";
        lines_ = {MakeLine(cmd::Text, TTextRec{"Hi<TAB>"}), MakeLine(cmd::Delay, TDelayRec{1, 5})};
    }
    void TearDown() override { fs::remove_all(dir_); }

    SaveOutcome Save(bool toTemp = false) { return SaveIt(toTemp, form_, lines_, record_, dir_, 45000.5); }
    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    // Nothing of the record or the form changed, and one error box was shown.
    void ExpectUnchanged(const TMacroRecord& before, const std::vector<win::MessageBoxCall>& boxes) {
        EXPECT_EQ(std::memcmp(&before, &record_, sizeof before), 0);
        EXPECT_FALSE(form_.Accepted);
        EXPECT_FALSE(form_.Saved);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, "Error");
    }

    std::string dir_;
    TMacroRecord record_;
    ScriptSaveForm form_;
    std::vector<ScriptLine> lines_;
    std::vector<win::MessageBoxCall> boxes_;
    win::ScopedMessageBoxHandler handler_{[this](const win::MessageBoxCall& c) {
        boxes_.push_back(c);
        return win::MbResult::Ok;
    }};
};

TEST_F(SaveItTest, SnipraNameChecks) {
    form_.ScriptMode = 3;
    const TMacroRecord before = record_;
    for (const char* bad : {"a'bc", "a b", "a\"b", "(x)", "a:b", "[a]", "a\\b", "`a", "{a}", "a|b", "a~b",
                            "a\x01", "caf\xe9"}) {
        boxes_.clear();
        form_.SnipraName = bad;
        const SaveOutcome out = Save();
        EXPECT_EQ(out.result, SaveResult::Refused) << bad;
        EXPECT_TRUE(out.focusSnipraName);
        ExpectUnchanged(before, boxes_);
        EXPECT_TRUE(boxes_[0].text.starts_with("The Snipra name has invalid characters in it.")) << bad;
    }
    for (const char* empty : {"", "    "}) {
        boxes_.clear();
        form_.SnipraName = empty;
        EXPECT_EQ(Save().result, SaveResult::Refused);
        ExpectUnchanged(before, boxes_);
        EXPECT_EQ(boxes_[0].text, "No Snipra name was entered.");
    }
    // Every allowed character together, with blanks around that are trimmed.
    EXPECT_TRUE(
        IsValidSnipraName("!#$%&*+,-./0123456789;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ^_"
                          "abcdefghijklmnopqrstuvwxyz"));
    boxes_.clear();
    form_.SnipraName = "  a!b  ";
    EXPECT_EQ(Save().result, SaveResult::Accepted);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(record_.Abbreviation, "a!b");
}

TEST_F(SaveItTest, WindowTitleMustBeGivenAndChecksAreSkippedForATextFile) {
    form_.ScriptMode = 7;
    form_.SnipraName = "   ";
    const TMacroRecord before = record_;
    EXPECT_EQ(Save().result, SaveResult::Refused);
    ExpectUnchanged(before, boxes_);
    EXPECT_EQ(boxes_[0].text, "No Window title has been entered.");

    // Editing a text file: the activation fields do not matter.
    boxes_.clear();
    form_.TextFileMode = true;
    form_.TextFilePath = dir_ + "/text.txt";
    EXPECT_EQ(Save().result, SaveResult::StoredInTextFile);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_EQ(Slurp(form_.TextFilePath), "Hi<TAB><DELAY:05.00>");
    EXPECT_FALSE(form_.TextFileMode);
    EXPECT_EQ(std::memcmp(&before, &record_, sizeof before), 0);

    // Going to the temporary file still checks them.
    form_.TextFileMode = true;
    EXPECT_EQ(Save(true).result, SaveResult::Refused);
    EXPECT_FALSE(fs::exists(dir_ + "/TESRUN.TMP"));
}

TEST_F(SaveItTest, AcceptedSaveFillsTheRecord) {
    form_.ScriptMode = 7;
    form_.SnipraName = "  " + std::string(40, 'T') + " ";
    form_.NickName = std::string(60, 'n');
    form_.IconName = "ABCDEFGHIJKLMNOP";
    form_.Global = false;
    form_.Specific = true;
    const SaveOutcome out = Save();
    EXPECT_EQ(out.result, SaveResult::Accepted);
    EXPECT_TRUE(out.newMacro);
    EXPECT_TRUE(form_.Accepted);
    EXPECT_TRUE(form_.Saved);
    EXPECT_EQ(GetMacroText(record_), "Hi<TAB><DELAY:05.00>");
    EXPECT_EQ(record_.Nickname, std::string(50, 'n'));
    EXPECT_EQ(record_.IconName, "ABCDEFGHIJKL");
    EXPECT_EQ(record_.ScopeText, std::string(30, 'T'));
    EXPECT_EQ(record_.Abbreviation, "");
    EXPECT_EQ(+record_.Scope, scWindow);
    EXPECT_EQ(record_.Enabled, 1);
    EXPECT_EQ(+record_.LastModified, 45000.5);

    // The lines were only read: saving again gives the same text.
    form_ = ScriptSaveForm{};
    form_.IsExisting = true;
    form_.ProgExe = true;
    form_.Global = false;
    record_.Enabled = 0;
    const SaveOutcome again = Save();
    EXPECT_FALSE(again.newMacro);
    EXPECT_EQ(record_.Enabled, 0) << "an existing macro keeps its enabled state";
    EXPECT_EQ(+record_.Scope, scProgram);
    EXPECT_EQ(record_.ScopeText, std::string(30, 'T')) << "other modes keep the scope text";
    EXPECT_EQ(GetMacroText(record_), "Hi<TAB><DELAY:05.00>");
}

TEST_F(SaveItTest, EmptyScriptStoresAnEmptyText) {
    lines_.clear();
    form_.ScriptMode = 3;
    form_.SnipraName = "abc";
    EXPECT_EQ(Save().result, SaveResult::Accepted);
    EXPECT_EQ(record_.MacroText[0], '\0');
    EXPECT_EQ(record_.Abbreviation, "abc");
    EXPECT_EQ(record_.Nickname, "My macro");
    EXPECT_EQ(+record_.Scope, scGlobal);
}

TEST_F(SaveItTest, MacroTextLimit) {
    lines_ = {MakeLine(cmd::Text, TTextRec{std::string(4989, 'a')}),
              MakeLine(cmd::Delay, TDelayRec{2, 250})};  // 4,999 characters
    lines_.push_back(MakeLine(cmd::Text, TTextRec{"b"}));
    EXPECT_EQ(Save().result, SaveResult::Accepted);
    EXPECT_EQ(GetMacroText(record_).size(), 5000u);

    // One more character: refused whole, nothing stored, nothing cut.
    lines_.push_back(MakeLine(cmd::Text, TTextRec{"c"}));
    form_ = ScriptSaveForm{};
    const TMacroRecord before = record_;
    boxes_.clear();
    EXPECT_EQ(Save().result, SaveResult::Refused);
    ExpectUnchanged(before, boxes_);
    EXPECT_TRUE(boxes_[0].text.starts_with("The size of the macro exceeds the 5000 character limit."));
    // Text files have no such limit.
    form_.TextFileMode = true;
    form_.TextFilePath = dir_ + "/long.txt";
    EXPECT_EQ(Save().result, SaveResult::StoredInTextFile);
    EXPECT_EQ(Slurp(form_.TextFilePath).size(), 5001u);
}

TEST_F(SaveItTest, TemporaryFileAndWriteFailures) {
    fs::create_directory(dir_ + "/sub");
    std::ofstream(dir_ + "/TESRUN.TMP") << "a much longer previous content";
    const TMacroRecord before = record_;
    EXPECT_EQ(Save(true).result, SaveResult::StoredInTemp);
    EXPECT_EQ(Slurp(dir_ + "/TESRUN.TMP"), "Hi<TAB><DELAY:05.00>");
    EXPECT_EQ(std::memcmp(&before, &record_, sizeof before), 0);
    EXPECT_FALSE(form_.Accepted);

    // A file that cannot be written is reported; the mode and the lines stay.
    form_.TextFileMode = true;
    form_.TextFilePath = dir_ + "/missing/folder/t.txt";
    const auto linesBefore = lines_.size();
    EXPECT_EQ(Save().result, SaveResult::WriteFailed);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].text.find("could not be written"), std::string::npos);
    EXPECT_TRUE(form_.TextFileMode);
    EXPECT_EQ(lines_.size(), linesBefore);
    EXPECT_EQ(BuildMacroText(lines_).text, "Hi<TAB><DELAY:05.00>");

    // A folder in place of the file: the folder is left as it was.
    form_.TextFilePath = dir_ + "/sub";
    EXPECT_EQ(Save().result, SaveResult::WriteFailed);
    EXPECT_TRUE(fs::is_directory(dir_ + "/sub"));
}

// Switching to a text file keeps the macro in the temporary file and brings it back after.
TEST_F(SaveItTest, MacroComesBackAfterEditingATextFile) {
    lines_.push_back(MakeLine(cmd::WindowResize, TSizeRec{"", 1, true, 640, 480}));
    const std::string macro = BuildMacroText(lines_).text;
    form_.TextFileMode = true;
    ASSERT_EQ(Save(true).result, SaveResult::StoredInTemp);

    std::vector<ScriptLine> fileLines = {MakeLine(cmd::Text, TTextRec{"file text"})};
    form_.TextFilePath = dir_ + "/notes.txt";
    ASSERT_EQ(SaveIt(false, form_, fileLines, record_, dir_, 1).result, SaveResult::StoredInTextFile);
    EXPECT_EQ(Slurp(form_.TextFilePath), "file text");

    std::vector<ScriptLine> back = fileLines;
    std::string error;
    ASSERT_TRUE(LoadTempScript(dir_, back, error)) << error;
    EXPECT_EQ(BuildMacroText(back).text, macro);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(LineCommand(back[2]), cmd::WindowResize);

    // No temporary file: reported, the lines stay.
    fs::remove(dir_ + "/TESRUN.TMP");
    std::vector<ScriptLine> kept = fileLines;
    EXPECT_FALSE(LoadTempScript(dir_, kept, error));
    EXPECT_NE(error.find("TESRUN.TMP"), std::string::npos);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].Text, fileLines[0].Text);
}

TEST_F(SaveItTest, CommandsThatCannotBeWrittenRefuseTheSave) {
    lines_.push_back(MakeLine(cmd::RepeatStart, TRepeatRec{1, 12345, 1, 1}));
    const TMacroRecord before = record_;
    EXPECT_EQ(Save().result, SaveResult::Refused);
    ExpectUnchanged(before, boxes_);
    EXPECT_TRUE(boxes_[0].text.starts_with("Line 3: ")) << boxes_[0].text;
    // The same holds for the files.
    boxes_.clear();
    EXPECT_EQ(Save(true).result, SaveResult::Refused);
    EXPECT_FALSE(fs::exists(dir_ + "/TESRUN.TMP"));
}

}  // namespace
}  // namespace tessaro
