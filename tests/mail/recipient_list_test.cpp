#include "mail/recipient_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace tessaro::mail {
namespace {

using testing::TempDir;

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Read(const std::string& path) {
    const auto bytes = testing::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

TEST(RecipientLine, SplitsAtTheFirstBarOnly) {
    struct Case {
        std::string line, name, address;
    } cases[] = {
        {"Ann|ann@x.org", "Ann", "ann@x.org"},
        {"|bare@x.org", "", "bare@x.org"},
        {"a|b|c", "a", "b|c"},
        {"no bar at all", "", "no bar at all"},
        {"Name|", "Name", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const RecipientEntry e = SplitRecipientLine(c.line);
        EXPECT_EQ(e.name, c.name) << c.line;
        EXPECT_EQ(e.address, c.address) << c.line;
        EXPECT_EQ(RecipientPart(c.line, true), c.name) << c.line;
        EXPECT_EQ(RecipientPart(c.line, false), c.address) << c.line;
    }
}

TEST(RecipientFile, ReadsLinesWithEitherLineEndAndKeepsLongOnesWhole) {
    TempDir dir;
    const std::string path = dir.file("TESMAIL.TXT");
    const std::string longLine = "Long|" + std::string(300, 'a') + "@x.org";
    Write(path, "B|b@x\r\nA|a@x\nbare line\r\n\r\n" + longLine + "\r\nlast|l@x");
    const auto lines = ReadRecipientFile(path);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "B|b@x");
    EXPECT_EQ(lines[1], "A|a@x");
    EXPECT_EQ(lines[2], "bare line");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], longLine);
    EXPECT_EQ(SplitRecipientLine(lines[4]).address, std::string(300, 'a') + "@x.org");
    EXPECT_EQ(lines[5], "last|l@x");
}

TEST(RecipientFile, CarriageReturnAtTheLimitIsNotKept) {
    TempDir dir;
    const std::string path = dir.file("list.txt");
    Write(path, std::string(255, 'y') + "\r\nnext\r\n");
    const auto lines = ReadRecipientFile(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(255, 'y'));
    EXPECT_EQ(lines[1], "next");
}

TEST(RecipientFile, WhatCannotBeReadGivesNoLines) {
    TempDir dir;
    EXPECT_TRUE(ReadRecipientFile(dir.file("missing.txt")).empty());
    EXPECT_TRUE(ReadRecipientFile(dir.path()).empty());  // a folder
    EXPECT_TRUE(ReadRecipientFile("").empty());
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(ReadRecipientFile(fifo).empty());  // and does not wait for a writer
    const std::string locked = dir.file("locked.txt");
    Write(locked, "A|a@x\r\n");
    ::chmod(locked.c_str(), 0);
    if (::geteuid() != 0) {
        EXPECT_TRUE(ReadRecipientFile(locked).empty());
    }
}

TEST(RecipientFile, BinaryBytesStayAsTheyAre) {
    TempDir dir;
    const std::string path = dir.file("bin.txt");
    Write(path, std::string("a\0b|c\x01\xff\r\n", 9));
    const auto lines = ReadRecipientFile(path);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], std::string("a\0b|c\x01\xff", 7));
}

TEST(RecipientFile, AHugeSingleLineStaysWhole) {
    TempDir dir;
    const std::string path = dir.file("huge.txt");
    Write(path, std::string(8 << 20, 'h') + "\nafter|a@x\n");
    const auto lines = ReadRecipientFile(path);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 8u << 20);
    EXPECT_EQ(lines[1], "after|a@x");
}

TEST(RecipientFile, WritesCrLfLinesInGivenOrderAndReadsThemBack) {
    TempDir dir;
    const std::string path = dir.file("TESMAIL.TXT");
    const std::vector<std::string> lines{"Zed|z@x", "|only@x", "bare", "a|b|c"};
    ASSERT_TRUE(WriteRecipientFile(path, lines));
    EXPECT_EQ(Read(path), "Zed|z@x\r\n|only@x\r\nbare\r\na|b|c\r\n");
    EXPECT_EQ(ReadRecipientFile(path), lines);
    ASSERT_TRUE(WriteRecipientFile(path, {}));
    EXPECT_EQ(Read(path), "");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(RecipientFile, AFailedWriteLeavesTheOldListWhole) {
    TempDir dir;
    const std::string path = dir.file("TESMAIL.TXT");
    Write(path, "Old|old@x\r\n");
    {
        testing::FileSizeLimit limit(4);
        ASSERT_TRUE(limit.set());
        EXPECT_FALSE(WriteRecipientFile(path, {"New|new@x", "Other|o@x"}));
    }
    EXPECT_EQ(Read(path), "Old|old@x\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
    // A folder in the way, or a missing folder, is refused.
    EXPECT_FALSE(WriteRecipientFile(dir.path(), {"a|b"}));
    EXPECT_FALSE(WriteRecipientFile(dir.file("nowhere/TESMAIL.TXT"), {"a|b"}));
}

// A FIFO chosen as the list: refused, and still a FIFO.
TEST(RecipientFile, AFifoIsNotReplaced) {
    TempDir dir;
    const std::string fifo = dir.file("TESMAIL.TXT");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(WriteRecipientFile(fifo, {"a|b"}));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(RecipientFile, KeepsTheModeAndFollowsALink) {
    TempDir dir;
    const std::string real = dir.file("real.txt");
    const std::string link = dir.file("link.txt");
    Write(real, "x|y\r\n");
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink(real, link);
    ASSERT_TRUE(WriteRecipientFile(link, {"n|a"}));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(Read(real), "n|a\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace tessaro::mail

namespace tessaro::mail {
namespace {

// A list edited by hand (LF line ends, a line longer than the 255 characters the lists show,
// no end on the last line): written back unchanged it keeps every byte; an added entry takes
// the file's line end, and the long line stays whole.
TEST(RecipientFile, AHandEditedListKeepsItsBytesAndLineEnds) {
    testing::TempDir dir;
    const std::string path = dir.file("TESMAIL.TXT");
    const std::string longLine = "Long|" + std::string(300, 'l') + "@x";
    const std::string edited = "Ann|ann@x\n" + longLine + "\nBob|bob@x";
    Write(path, edited);
    std::vector<std::string> lines = ReadRecipientFile(path);
    ASSERT_EQ(lines.size(), 3u);
    ASSERT_TRUE(WriteRecipientFile(path, lines));
    EXPECT_EQ(Read(path), edited);
    lines.insert(lines.begin() + 1, "Cy|cy@x");
    ASSERT_TRUE(WriteRecipientFile(path, lines));
    EXPECT_EQ(Read(path), "Ann|ann@x\nCy|cy@x\n" + longLine + "\nBob|bob@x");
    lines.erase(lines.begin());
    ASSERT_TRUE(WriteRecipientFile(path, lines));
    EXPECT_EQ(Read(path), "Cy|cy@x\n" + longLine + "\nBob|bob@x");
}

}  // namespace
}  // namespace tessaro::mail
