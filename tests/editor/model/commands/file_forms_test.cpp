#include "editor/model/commands/file_forms.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "form_round_trip.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using testing::ExpectRefused;
using testing::ParsedBack;

class FileFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = dir_.file("notes.txt");
        std::ofstream(file_) << "x";
        folder_ = dir_.file("sub");
        std::filesystem::create_directory(folder_);
    }
    FileForm Form(std::int32_t kind) {
        FileForm f{kind, kind == 1 || kind == 5 ? folder_ : file_, "copy.txt"};
        return f;
    }
    testing::TempDir dir_;
    std::string file_, folder_;
};

TEST_F(FileFormTest, EveryKindParsesBackAndEditsUnchanged) {
    for (const RadioChoice& choice : kFileChoices) {
        const auto built = BuildFile(Form(choice.kind));
        ASSERT_TRUE(built.ok()) << choice.control << ": " << built.error->message;
        const LineRecord rec = ParsedBack(built, choice.token);
        ASSERT_TRUE(std::holds_alternative<TFileOpRec>(rec));
        const FileForm edited = FilePreset(std::get<TFileOpRec>(rec));
        EXPECT_EQ(edited.Kind, choice.kind);
        EXPECT_EQ(BuildFile(edited).CommandText, built.CommandText) << choice.control;
    }
}

TEST_F(FileFormTest, CommandTexts) {
    EXPECT_EQ(BuildFile(Form(2)).CommandText, "<COPYFILE:" + file_ + ";copy.txt>");
    EXPECT_EQ(BuildFile(Form(3)).CommandText, "<RENFILE:" + file_ + ";copy.txt>");
    EXPECT_EQ(BuildFile(Form(4)).CommandText, "<DELFILE:" + file_ + ">");
    // A change of folder drops trailing slashes; the root stays itself.
    FileForm cd = Form(1);
    cd.ProgPath = " " + folder_ + "// ";
    auto r = BuildFile(cd);
    EXPECT_EQ(r.CommandText, "<CHDIR:" + folder_ + ">");
    EXPECT_EQ(r.fields.FilePath, folder_);
    cd.ProgPath = "/";
    EXPECT_EQ(BuildFile(cd).CommandText, "<CHDIR:/>");
    // Create directory is not checked at all.
    FileForm mk = Form(5);
    mk.ProgPath = "";
    EXPECT_EQ(BuildFile(mk).CommandText, "<MKDIR:>");
    mk.ProgPath = dir_.file("not/yet");
    EXPECT_TRUE(BuildFile(mk).ok());
    // Delete ignores the new name.
    FileForm del = Form(4);
    del.NewName = "";
    EXPECT_TRUE(BuildFile(del).ok());
}

TEST_F(FileFormTest, ChecksAndTheirOrder) {
    FileForm f = Form(2);
    f.ProgPath = dir_.file("missing.txt");
    f.NewName = "  ";
    ExpectRefused(BuildFile(f), "No new name specified.  Please correct.", "");  // before the source
    f.NewName = "x";
    ExpectRefused(BuildFile(f), "Specified Text File does not exist.  Please correct.", "ProgPath");
    f.ProgPath = folder_;  // a folder is no file
    ExpectRefused(BuildFile(f), "Specified Text File does not exist.  Please correct.", "ProgPath");
    FileForm cd = Form(1);
    cd.ProgPath = file_;
    ExpectRefused(BuildFile(cd), "Specified directory/folder does not exist.  Please correct.", "ProgPath");
    cd.ProgPath = "";
    ExpectRefused(BuildFile(cd), "Specified directory/folder does not exist.  Please correct.", "ProgPath");
    const auto none = BuildFile(FileForm{0, file_, ""});
    EXPECT_TRUE(none.ok());
    EXPECT_TRUE(none.CommandText.empty());
}

TEST_F(FileFormTest, CharactersThatEndTheFieldsAreRefused) {
    const std::string odd = dir_.file("a;b.txt");
    std::ofstream(odd) << "x";
    FileForm f{2, odd, "n"};
    ExpectRefused(BuildFile(f), testing::BadChar(';'), "ProgPath");
    f.Kind = 4;  // delete reads its path to ">" only
    EXPECT_EQ(BuildFile(f).CommandText, "<DELFILE:" + odd + ">");
    f = Form(3);
    f.NewName = "x>y";
    ExpectRefused(BuildFile(f), testing::BadChar('>'), "NewName");
    f.NewName = "x;y";  // the target runs to ">"
    EXPECT_TRUE(BuildFile(f).ok());
    FileForm mk{5, "a>b", ""};
    ExpectRefused(BuildFile(mk), testing::BadChar('>'), "ProgPath");
}

TEST(FileFormLook, LabelsAndPanels) {
    EXPECT_STREQ(FileLabelOf(1), "Directory/Folder");
    EXPECT_STREQ(FileLabelOf(5), "Directory/Folder");
    for (int k : {0, 2, 3, 4}) EXPECT_STREQ(FileLabelOf(k), "Text File Path/Name") << k;
    EXPECT_TRUE(FileNewNameShown(2));
    EXPECT_TRUE(FileNewNameShown(3));
    for (int k : {0, 1, 4, 5}) EXPECT_FALSE(FileNewNameShown(k)) << k;
}

}  // namespace
}  // namespace tessaro
