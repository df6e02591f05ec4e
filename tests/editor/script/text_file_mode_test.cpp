#include "editor/script/text_file_mode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "editor/script/display_text.h"
#include "editor/script/parse_text.h"
#include "editor/script/save_it.h"
#include "editor/script/script_writer.h"
#include "platform/message_box.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
    const std::vector<char> bytes = testing::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

void Spit(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Texts(const ScriptList& list) {
    std::vector<std::string> out;
    for (const ScriptLine& line : list.Lines) out.push_back(line.Text);
    return out;
}

class TextFileModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.Lines = {MakeLine(cmd::Text, TTextRec{"Hi"}), MakeLine(cmd::Delay, TDelayRec{1, 5})};
        list.Selected = 1;
        form.ScriptMode = 6;
        Spit(dir.file("notes.txt"), "Dear <DELAY:02.00>friend\r\n");
    }

    bool Enter(const std::string& path) {
        return EnterTextFile(session, form, list, dir.path(), path, " " + path + " ");
    }

    testing::TempDir dir;
    ScriptList list;
    ScriptSaveForm form;
    TextFileSession session;
    std::vector<std::string> boxes;
    win::ScopedMessageBoxHandler handler{[this](const win::MessageBoxCall& c) {
        boxes.push_back(c.caption + ": " + c.text);
        return win::MbResult::Ok;
    }};
};

TEST_F(TextFileModeTest, BadFilesAreRefusedWithAReason) {
    const std::string fifo = dir.file("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    fs::create_directory(dir.file("folder"));
    Spit(dir.file("binary.dat"), std::string("MZ\0\0\x90", 5));
    {
        std::ofstream big(dir.file("huge.txt"), std::ios::binary);
        big.seekp(static_cast<std::streamoff>(kMaxTextFileBytes));
        big.put('x');
    }
    const std::pair<std::string, std::string> cases[] = {
        {dir.file("vanished.txt"), "No such file"},
        {dir.file("folder"), "not a file"},
        {fifo, "not a file"},  // refused at once, never waiting for a writer
        {dir.file("binary.dat"), "not a text file"},
        {dir.file("huge.txt"), "larger than 16 MB"},
        {dir.file("notes.txt") + "/inside", "Not a directory"},
    };
    for (const auto& [path, reason] : cases) {
        std::string text = "untouched";
        std::string error;
        EXPECT_FALSE(ReadEditableTextFile(path, text, error)) << path;
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_EQ(text, "untouched");
    }
}

TEST_F(TextFileModeTest, ATenMegabyteFileReadsWhole) {
    std::string bytes(10u * 1024u * 1024u, 'a');
    for (std::size_t i = 0; i < bytes.size(); i += 100) bytes[i] = '\n';
    bytes.replace(5000, 17, "<DELAY:02.00>ab<");
    Spit(dir.file("ten.txt"), bytes);
    ASSERT_TRUE(Enter(dir.file("ten.txt")));
    ASSERT_EQ(list.Lines.size(), 3u);
    EXPECT_EQ(LineCommand(list.Lines[1]), cmd::Delay);
    const ScriptTextResult back = BuildMacroText(list.Lines);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(back.text, bytes);
}

TEST_F(TextFileModeTest, EnteringStoresTheMacroAndShowsTheFile) {
    const std::vector<std::string> macroTexts = Texts(list);
    ASSERT_TRUE(Enter(dir.file("notes.txt")));
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(session.Active);
    EXPECT_EQ(session.Path, dir.file("notes.txt"));
    EXPECT_EQ(session.Name, " " + dir.file("notes.txt") + " ");
    EXPECT_EQ(Slurp(dir.file(kTempScriptFile)), "Hi<DELAY:05.00>");
    ASSERT_EQ(list.Lines.size(), 3u);
    EXPECT_EQ(list.Selected, -1);
    EXPECT_EQ(std::get<TTextRec>(list.Lines[2].Record).Text, "friend\r\n");

    LeaveTextFile(session, list, dir.path());
    EXPECT_FALSE(session.Active);
    EXPECT_EQ(Texts(list), macroTexts);
    EXPECT_EQ(Slurp(dir.file("notes.txt")), "Dear <DELAY:02.00>friend\r\n");
}

// Each file is shown in its own encoding and written back in it: UTF-8 when the whole file is
// UTF-8, else Windows-1252; a UTF-8 character with no Windows-1252 byte is refused by name.
TEST_F(TextFileModeTest, AFileKeepsItsOwnEncoding) {
    struct Case {
        const char* bytes;
        const char* shown;   // the line's Windows-1252 text; nullptr when refused
        const char* edited;  // the file's bytes after "!" is appended to the line
    };
    const Case cases[] = {
        {"Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC",
         "Gr\xFC\xDF"
         "e \x80",
         "Gr\xC3\xBC\xC3\x9F"
         "e \xE2\x82\xAC!"},
        {"Gr\xFC\xDF"
         "e \x80",
         "Gr\xFC\xDF"
         "e \x80",
         "Gr\xFC\xDF"
         "e \x80!"},
        {"\xD0\x96uk", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        Spit(dir.file("enc.txt"), c.bytes);
        boxes.clear();
        session = {};
        if (!c.shown) {
            EXPECT_FALSE(Enter(dir.file("enc.txt")));
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_NE(boxes[0].find("the character \"\xD0\x96\""), std::string::npos) << boxes[0];
            continue;
        }
        ASSERT_TRUE(Enter(dir.file("enc.txt")));
        ASSERT_EQ(list.Lines.size(), 1u);
        EXPECT_EQ(std::get<TTextRec>(list.Lines[0].Record).Text, c.shown);
        form.TextFileMode = true;
        form.TextFilePath = session.Path;
        form.TextFileUtf8 = session.Utf8;
        TMacroRecord record{};
        EXPECT_EQ(SaveIt(false, form, list.Lines, record, dir.path(), 0).result,
                  SaveResult::StoredInTextFile);
        EXPECT_EQ(Slurp(dir.file("enc.txt")), c.bytes);  // unchanged, byte for byte
        std::get<TTextRec>(list.Lines[0].Record).Text += "!";
        form.TextFileMode = true;
        SaveIt(false, form, list.Lines, record, dir.path(), 0);
        EXPECT_EQ(Slurp(dir.file("enc.txt")), c.edited);
        LeaveTextFile(session, list, dir.path());
    }
}

TEST_F(TextFileModeTest, TheSwitchIsRefusedWhenTheMacroCannotBeStored) {
    const std::vector<std::string> before = Texts(list);
    // An abbreviation macro without its name fails the save's checks.
    form.ScriptMode = 3;
    form.SnipraName = "  ";
    EXPECT_FALSE(Enter(dir.file("notes.txt")));
    EXPECT_FALSE(session.Active);
    EXPECT_EQ(Texts(list), before);
    EXPECT_EQ(list.Selected, 1);
    EXPECT_FALSE(fs::exists(dir.file(kTempScriptFile)));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error: No Snipra name was entered.");

    // A program folder that cannot take the temporary file.
    form.ScriptMode = 6;
    EXPECT_FALSE(EnterTextFile(session, form, list, dir.file("notes.txt"), dir.file("notes.txt"), "x"));
    EXPECT_FALSE(session.Active);
    EXPECT_EQ(Texts(list), before);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[1].find("could not be written"), std::string::npos);

    // A file that does not read leaves even the temporary file alone.
    EXPECT_FALSE(Enter(dir.file("gone.txt")));
    EXPECT_EQ(Texts(list), before);
    EXPECT_FALSE(fs::exists(dir.file(kTempScriptFile)));
}

TEST_F(TextFileModeTest, AnUnreadableTemporaryFileGivesBackTheLinesKeptInMemory) {
    const std::vector<std::string> before = Texts(list);
    ASSERT_TRUE(Enter(dir.file("notes.txt")));
    fs::remove(dir.file(kTempScriptFile));
    fs::create_directory(dir.file(kTempScriptFile));  // a folder in its place does not read
    LeaveTextFile(session, list, dir.path());
    EXPECT_FALSE(session.Active);
    EXPECT_EQ(Texts(list), before);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("TESRUN.TMP could not be read"), std::string::npos) << boxes[0];
}

}  // namespace
}  // namespace tessaro
