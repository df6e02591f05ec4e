// Files added to as wholes: a failed addition leaves the file as it was, with nothing beside
// it, and only regular files are read or written.
#include "foundation/whole_files.h"

#include <gtest/gtest.h>
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
    testing::TempDir dir;
    const std::string file = dir.file("log.txt");
    std::string why;
    ASSERT_TRUE(AppendWhole(file, "one\r\n", why)) << why;
    ASSERT_TRUE(AppendWhole(file, "two\r\n", why)) << why;
    EXPECT_EQ(Text(testing::ReadBytes(file)), "one\r\ntwo\r\n");
    {
        testing::FileSizeLimit limit(16);
        ASSERT_TRUE(limit.set());
        EXPECT_FALSE(AppendWhole(file, "a line too long for the limit\r\n", why));
    }
    EXPECT_EQ(why, "File too large");
    EXPECT_EQ(Text(testing::ReadBytes(file)), "one\r\ntwo\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
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
