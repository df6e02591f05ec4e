#include "macro/capture_recording.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "../support/file_size_limit.h"
#include "../support/temp_dir.h"

namespace tessaro {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

class Recording : public ::testing::Test {
protected:
    std::string Left() const {
        const std::vector<char> bytes = ReadBytes(file);
        return {bytes.begin(), bytes.end()};
    }
    void Add(std::string_view text) {
        for (char c : text) told += recording.Add(c);
    }
    TempDir dir;
    std::string file = CaptureFilePath(dir.path());
    CaptureRecording recording{file};
    std::string told;
};

// The file follows a recording until it cannot take a character (a full disk): from then it
// keeps what it had, never a later character after a gap, and is told once; the recording
// goes on and is stored whole.
TEST_F(Recording, TheFileFollowsUntilItCannotAndTheMacroGetsEverything) {
    WriteBytes(file, {'o', 'l', 'd'});
    std::string why;
    ASSERT_TRUE(recording.Start(CaptureSpeedToken(3), why)) << why;
    EXPECT_EQ(Left(), "<SPEED:00.50>");
    Add("ab");
    EXPECT_EQ(Left(), "<SPEED:00.50>ab");
    {
        testing::FileSizeLimit full(15);
        ASSERT_TRUE(full.set());
        Add("cd");
    }
    Add("ef");
    EXPECT_EQ(Left(), "<SPEED:00.50>ab");
    EXPECT_NE(told.find("could not be written"), std::string::npos) << told;
    EXPECT_EQ(told.find("could not be written"), told.rfind("could not be written")) << "told once";
    EXPECT_EQ(recording.text(), "<SPEED:00.50>abcdef");

    // Stored, the file holds all of it until the macro is saved.
    const CapturedText stored = recording.Store(dir.path());
    ASSERT_TRUE(stored.ok) << stored.error;
    EXPECT_EQ(stored.macroText, "<SPEED:00.50>abcdef");
    EXPECT_EQ(Left(), "<SPEED:00.50>abcdef");
    recording.Drop();
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(recording.text(), "");

    // The next recording starts afresh; a long one goes to a numbered file.
    ASSERT_TRUE(recording.Start("", why)) << why;
    Add(std::string(5001, 'n'));
    const CapturedText numbered = recording.Store(dir.path());
    ASSERT_TRUE(numbered.ok) << numbered.error;
    EXPECT_EQ(numbered.macroText, "<TFILE:" + dir.file("QT0.TXT") + ">");
    EXPECT_EQ(ReadBytes(dir.file("QT0.TXT")), std::vector<char>(5001, 'n'));
    // The macro could not be saved: the file keeps the recording.
    std::string told;
    EXPECT_TRUE(recording.Keep(told));
    EXPECT_EQ(told, "The recording is kept in " + file + ".");
    EXPECT_EQ(ReadBytes(file), std::vector<char>(5001, 'n'));
}

// A recording that cannot be stored, or that a reader of the file is to get, is left whole
// in the capture file, also the part that came while the file could not follow.
TEST_F(Recording, WhatCannotBeStoredIsKeptWholeInTheFile) {
    std::string why;
    ASSERT_TRUE(recording.Start("", why)) << why;
    Add(std::string(3000, 'p'));
    {
        testing::FileSizeLimit full(3000);
        ASSERT_TRUE(full.set());
        Add(std::string(3000, 'q'));
    }
    const std::string notAFolder = dir.file("plain");
    WriteBytes(notAFolder, {'x'});
    const CapturedText kept = recording.Store(notAFolder);
    EXPECT_FALSE(kept.ok);
    EXPECT_NE(kept.error.find("kept in " + file), std::string::npos) << kept.error;
    EXPECT_EQ(Left(), std::string(3000, 'p') + std::string(3000, 'q'));

    ASSERT_TRUE(recording.Start("", why)) << why;
    std::string told;
    {
        testing::FileSizeLimit full(1);
        ASSERT_TRUE(full.set());
        Add("xyz");
        const CapturedText stored = recording.Store(dir.path());
        EXPECT_EQ(stored.macroText, "xyz");
        EXPECT_EQ(Left(), "x");
        // Not even now: told so.
        EXPECT_FALSE(recording.Keep(told));
    }
    EXPECT_NE(told.find("could not be kept whole in " + file), std::string::npos) << told;
    EXPECT_EQ(Left(), "x");

    ASSERT_TRUE(recording.Start("", why)) << why;
    {
        testing::FileSizeLimit full(1);
        ASSERT_TRUE(full.set());
        Add("xyz");
    }
    ASSERT_TRUE(recording.Keep(told)) << told;
    EXPECT_EQ(Left(), "xyz");

    // Dropped: the file it made goes.
    ASSERT_TRUE(recording.Start("", why)) << why;
    Add("gone");
    recording.Drop();
    EXPECT_FALSE(std::filesystem::exists(file));
}

// Anything but a regular file in the capture file's place is neither waited on nor
// replaced nor removed; the recording goes on without it.
TEST_F(Recording, AFifoOrALinkInItsPlaceIsLeftAsItIs) {
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    std::string why;
    EXPECT_FALSE(recording.Start("<SPEED:00001>", why));
    EXPECT_NE(why.find("named pipe"), std::string::npos) << why;
    Add("ab");
    EXPECT_EQ(told, "");
    EXPECT_EQ(recording.text(), "<SPEED:00001>ab");
    std::string told;
    EXPECT_FALSE(recording.Keep(told));
    EXPECT_NE(told.find("named pipe"), std::string::npos) << told;
    EXPECT_TRUE(std::filesystem::is_fifo(file));
    ASSERT_FALSE(recording.Start("", why));
    Add("cd");
    const CapturedText stored = recording.Store(dir.path());
    EXPECT_EQ(stored.macroText, "cd");
    recording.Drop();
    EXPECT_TRUE(std::filesystem::is_fifo(file));

    std::filesystem::remove(file);
    const std::string target = dir.file("elsewhere");
    WriteBytes(target, {'t'});
    std::filesystem::create_symlink(target, file);
    EXPECT_FALSE(MakeCaptureFile(file, "", why));
    EXPECT_FALSE(recording.Start("", why));
    recording.Drop();
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_EQ(ReadBytes(target), std::vector<char>{'t'});
}

}  // namespace
}  // namespace tessaro
