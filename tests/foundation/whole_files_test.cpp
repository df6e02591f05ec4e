// Files added to as wholes: a failed addition leaves the file as it was, with nothing beside
// it, and only regular files are read or written.
#include "foundation/whole_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "tests/support/file_size_limit.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;

std::string Text(const std::vector<char>& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(AppendWhole, CreatesAddsAndOnAFullDiskKeepsTheFileAsItWas) {
    using Append = bool (*)(const std::string&, std::string_view, std::string&);
    const Append appenders[] = {
        &AppendWhole,
        [](const std::string& path, std::string_view bytes, std::string& why) {
            return AppendInPlace(path, bytes, why);
        },
    };
    for (const Append append : appenders) {
        testing::TempDir dir;
        const std::string file = dir.file("log.txt");
        std::string why;
        ASSERT_TRUE(append(file, "one\r\n", why)) << why;
        ASSERT_TRUE(append(file, "two\r\n", why)) << why;
        EXPECT_EQ(Text(testing::ReadBytes(file)), "one\r\ntwo\r\n");
        {
            testing::FileSizeLimit limit(16);
            ASSERT_TRUE(limit.set());
            EXPECT_FALSE(append(file, "a line too long for the limit\r\n", why));
        }
        EXPECT_EQ(why, "File too large");
        EXPECT_EQ(Text(testing::ReadBytes(file)), "one\r\ntwo\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
    }
}

// An addition killed midway (here by the signal of the file size limit) leaves a part of its
// bytes at the end; the next addition takes them away first.
TEST(AppendWhole, WhatAnAdditionKilledInPlaceLeftGoesWithTheNext) {
    testing::TempDir dir;
    const std::string file = dir.file("MAILLOG.TXT");
    std::string why;
    ASSERT_TRUE(AppendInPlace(file, "one\r\n", why)) << why;
    testing::ExitCodeWithin(
        [&] {
            ::signal(SIGXFSZ, SIG_DFL);
            const rlimit limit{12, 12};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            std::string failed;
            AppendInPlace(file, "a long second message\r\n", failed);
            return 0;
        },
        std::chrono::seconds(10));
    ASSERT_EQ(Text(testing::ReadBytes(file)), "one\r\na long ") << "the addition was not cut short";
    ASSERT_TRUE(AppendInPlace(file, "two\r\n", why)) << why;
    EXPECT_EQ(Text(testing::ReadBytes(file)), "one\r\ntwo\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// In a file of records a part record that a killed write left at the end goes; the whole
// ones stay and the new one follows them, where the caller is told it begins.
TEST(AppendWhole, ARecordFollowsTheLastWholeOne) {
    testing::TempDir dir;
    const std::string file = dir.file("MAILLOG.MCI");
    std::string why;
    off_t at = -1;
    ASSERT_TRUE(AppendInPlace(file, "AAAA", why, 4, &at)) << why;
    EXPECT_EQ(at, 0);
    ASSERT_TRUE(AppendInPlace(file, "BB", why)) << why;
    ASSERT_TRUE(AppendInPlace(file, "CCCC", why, 4, &at)) << why;
    EXPECT_EQ(at, 4);
    EXPECT_EQ(Text(testing::ReadBytes(file)), "AAAACCCC");
}

TEST(AppendWhole, AFifoOrAFolderIsRefusedWithoutWaiting) {
    testing::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    const int code = testing::ExitCodeWithin(
        [&] {
            std::string why;
            return !AppendWhole(dir.file("pipe"), "x", why) &&
                           why == "it is a named pipe, not a regular file" &&
                           !AppendWhole(dir.path(), "x", why) && why == "it is a folder, not a regular file"
                       ? 0
                       : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << "-1: the addition hung on the FIFO";
    EXPECT_TRUE(fs::is_fifo(dir.file("pipe")));
}

}  // namespace
}  // namespace tessaro
