#include "macro/capture_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../support/temp_dir.h"
#include "macro/text_file.h"

namespace tessaro {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class CaptureFile : public ::testing::Test {
protected:
    std::string Record(std::size_t size, char fill = 'x') {
        const std::string path = CaptureFilePath(dir.path());
        WriteBytes(path, std::vector<char>(size, fill));
        return path;
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(dir.file(name)); }
    TempDir dir;
};

TEST_F(CaptureFile, UpToTheLimitStaysInlineAndTheRecordingGoes) {
    EXPECT_EQ(CaptureFilePath(dir.path()), dir.file("TempCap.Txt"));
    const CapturedText r = TakeCapturedText(Record(5000, 'a'), dir.path());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.macroText, std::string(5000, 'a'));
    EXPECT_TRUE(r.textFile.empty());
    EXPECT_FALSE(Exists("TempCap.Txt"));
    EXPECT_FALSE(Exists("QT0.TXT"));

    const CapturedText empty = TakeCapturedText(Record(0), dir.path());
    ASSERT_TRUE(empty.ok);
    EXPECT_EQ(empty.macroText, "");
}

TEST_F(CaptureFile, LongerOnesMoveToNumberedFilesThatTheMacroPlays) {
    const CapturedText first = TakeCapturedText(Record(5001, 'b'), dir.path());
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(first.textFile, dir.file("QT0.TXT"));
    EXPECT_EQ(first.macroText, "<TFILE:" + dir.file("QT0.TXT") + ">");
    EXPECT_FALSE(Exists("TempCap.Txt"));
    // What "<TFILE:" reads back is the recording, byte for byte.
    const std::string path = first.macroText.substr(7, first.macroText.size() - 8);
    EXPECT_EQ(ReadTextFile(path), std::string(5001, 'b'));

    const CapturedText second = TakeCapturedText(Record(6000, 'c'), dir.path());
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.textFile, dir.file("QT1.TXT"));
    EXPECT_EQ(ReadBytes(dir.file("QT0.TXT")).size(), 5001u);

    // A free number below a taken one is used; a file in the way is never overwritten.
    std::filesystem::remove(dir.file("QT0.TXT"));
    WriteBytes(dir.file("QT0.TXT"), {'k', 'e', 'e', 'p'});
    const CapturedText third = TakeCapturedText(Record(7000), dir.path());
    ASSERT_TRUE(third.ok);
    EXPECT_EQ(third.textFile, dir.file("QT2.TXT"));
    EXPECT_EQ(ReadBytes(dir.file("QT0.TXT")), (std::vector<char>{'k', 'e', 'e', 'p'}));

    // The editor's wizard keeps less inline.
    const CapturedText wizard = TakeCapturedText(Record(4981), dir.path(), 4980);
    ASSERT_TRUE(wizard.ok);
    EXPECT_EQ(wizard.textFile, dir.file("QT3.TXT"));
}

TEST_F(CaptureFile, FoldersAMacroCannotNameKeepTheRecording) {
    const std::string odd = dir.file("a>b");
    std::filesystem::create_directory(odd);
    const std::string rec = CaptureFilePath(odd);
    WriteBytes(rec, std::vector<char>(6000, 'z'));
    const CapturedText r = TakeCapturedText(rec, odd);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("kept in " + rec), std::string::npos) << r.error;
    EXPECT_EQ(ReadBytes(rec).size(), 6000u);
    EXPECT_FALSE(std::filesystem::exists(odd + "/QT0.TXT"));
    // Short recordings need no file name and are stored as usual.
    WriteBytes(rec, {'h', 'i'});
    EXPECT_EQ(TakeCapturedText(rec, odd).macroText, "hi");
}

TEST_F(CaptureFile, FailuresSayWhyAndLoseNothing) {
    const CapturedText missing = TakeCapturedText(dir.file("TempCap.Txt"), dir.path());
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("could not be read"), std::string::npos);

    // A program folder where no file can be made (here: a file in its place).
    const std::string rec = Record(5500, 'q');
    const std::string notAFolder = dir.file("plain");
    WriteBytes(notAFolder, {'x'});
    const CapturedText r = TakeCapturedText(rec, notAFolder);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("QT0.TXT"), std::string::npos) << r.error;
    EXPECT_NE(r.error.find("kept in " + rec), std::string::npos) << r.error;
    EXPECT_EQ(ReadBytes(rec), std::vector<char>(5500, 'q'));
}

}  // namespace
}  // namespace tessaro
