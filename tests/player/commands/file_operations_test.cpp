// Folder and file operations on real folders: levels made one by one, copies that never
// leave a truncated target, moves that never replace, across file systems too.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "player/commands/file_operations.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::vector<char> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(MakeFolders, CreatesEveryMissingLevelAndNamesTheOneThatFails) {
    TempDir dir;
    fs::create_directory(dir.file("a"));
    EXPECT_EQ(MakeFolders(dir.file("a/b/c")), std::nullopt);
    EXPECT_TRUE(fs::is_directory(dir.file("a/b/c")));
    EXPECT_EQ(MakeFolders(dir.file("a/b/c/")), std::nullopt);  // exists: nothing

    WriteBytes(dir.file("plain"), Bytes("x"));
    EXPECT_EQ(MakeFolders(dir.file("plain/sub/deeper")), dir.file("plain"));
    EXPECT_EQ(ReadBytes(dir.file("plain")), Bytes("x"));

    const std::string here = fs::current_path();
    fs::current_path(dir.path());
    EXPECT_EQ(MakeFolders("rel//x"), std::nullopt);  // relative, doubled separator
    fs::current_path(here);
    EXPECT_TRUE(fs::is_directory(dir.file("rel/x")));
}

TEST(DeleteOneFile, RemovesAFileButNeverAFolderOrAPattern) {
    TempDir dir;
    WriteBytes(dir.file("one.txt"), Bytes("1"));
    WriteBytes(dir.file("two.txt"), Bytes("2"));
    fs::create_directory(dir.file("folder"));
    EXPECT_EQ(DeleteOneFile(dir.file("*.txt")), ENOENT);
    EXPECT_NE(DeleteOneFile(dir.file("folder")), 0);
    EXPECT_EQ(DeleteOneFile(dir.file("one.txt")), 0);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"folder", "two.txt"}));
}

TEST(CopyFileReplacing, ReplacesTheTargetKeepingModeAndTimes) {
    TempDir dir;
    std::vector<char> data(3 << 20);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = char(i * 7);
    WriteBytes(dir.file("from.bin"), data);
    ::chmod(dir.file("from.bin").c_str(), 0640);
    const auto when = fs::last_write_time(dir.file("from.bin")) - std::chrono::hours(30);
    fs::last_write_time(dir.file("from.bin"), when);
    WriteBytes(dir.file("to.bin"), Bytes("old target"));

    EXPECT_EQ(CopyFileReplacing(dir.file("from.bin"), dir.file("to.bin")).error, 0);
    EXPECT_EQ(ReadBytes(dir.file("to.bin")), data);
    struct stat st {};
    ASSERT_EQ(::stat(dir.file("to.bin").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(fs::last_write_time(dir.file("to.bin")), when);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"from.bin", "to.bin"}));
}

TEST(CopyFileReplacing, OntoItselfMissingSourceAndNoTargetLeaveEverythingAsItWas) {
    TempDir dir;
    WriteBytes(dir.file("same"), Bytes("content"));
    EXPECT_EQ(CopyFileReplacing(dir.file("same"), dir.file("same")).error, 0);
    EXPECT_EQ(CopyFileReplacing(dir.file("same"), dir.file("./same")).error, 0);
    EXPECT_EQ(ReadBytes(dir.file("same")), Bytes("content"));
    EXPECT_EQ(CopyFileReplacing(dir.file("missing"), dir.file("same")).error, ENOENT);
    EXPECT_EQ(CopyFileReplacing(dir.file("missing"), dir.file("same")).notWritten, "")
        << "a missing source is not told";
    EXPECT_NE(CopyFileReplacing(dir.file("same"), "").error, 0);
    EXPECT_NE(CopyFileReplacing(dir.file("same"), dir.file("nofolder/x")).error, 0);
    fs::create_directory(dir.file("folder"));
    EXPECT_NE(CopyFileReplacing(dir.file("same"), dir.file("folder")).error, 0);
    EXPECT_NE(CopyFileReplacing(dir.file("folder"), dir.file("copy")).error, 0);
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"folder", "same"}));
    EXPECT_TRUE(fs::is_empty(dir.file("folder")));
    EXPECT_EQ(ReadBytes(dir.file("same")), Bytes("content"));
}

// "<FILEC:" with a FIFO on either side: the copy neither waits for a writer to the source
// nor puts a file in the target's place.
TEST(CopyFileReplacing, AFifoOnEitherSideIsRefusedWithoutWaiting) {
    TempDir dir;
    WriteBytes(dir.file("file"), Bytes("content"));
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    const int code = testing::ExitCodeWithin(
        [&] {
            return CopyFileReplacing(dir.file("pipe"), dir.file("copy")).error != 0 &&
                           CopyFileReplacing(dir.file("file"), dir.file("pipe")).error != 0
                       ? 0
                       : 1;
        },
        std::chrono::seconds(10));
    EXPECT_EQ(code, 0) << "-1: the copy hung on the FIFO";
    EXPECT_TRUE(fs::is_fifo(dir.file("pipe")));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"file", "pipe"}));
}

TEST(CopyFileReplacing, ADiskFullMidCopyKeepsTheOldTargetAndLeavesNoTemporary) {
    TempDir dir;
    WriteBytes(dir.file("big"), std::vector<char>(1 << 20, 'b'));
    WriteBytes(dir.file("target"), Bytes("precious"));
    FileResult result;
    {
        testing::FileSizeLimit limit(64 << 10);
        ASSERT_TRUE(limit.set());
        result = CopyFileReplacing(dir.file("big"), dir.file("target"));
    }
    EXPECT_EQ(result.error, EFBIG);
    EXPECT_EQ(result.notWritten, "File too large") << "the user is told";
    EXPECT_EQ(ReadBytes(dir.file("target")), Bytes("precious"));
    EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"big", "target"}));
}

TEST(MoveFileNoReplace, RenamesButNeverDestroysAnExistingFile) {
    TempDir dir;
    WriteBytes(dir.file("a"), Bytes("A"));
    WriteBytes(dir.file("b"), Bytes("B"));
    EXPECT_EQ(MoveFileNoReplace(dir.file("a"), dir.file("b")).error, EEXIST);
    EXPECT_EQ(ReadBytes(dir.file("a")), Bytes("A"));
    EXPECT_EQ(ReadBytes(dir.file("b")), Bytes("B"));
    fs::create_directory(dir.file("sub"));
    EXPECT_EQ(MoveFileNoReplace(dir.file("a"), dir.file("sub/c")).error, 0);
    EXPECT_EQ(ReadBytes(dir.file("sub/c")), Bytes("A"));
    EXPECT_FALSE(fs::exists(dir.file("a")));
    EXPECT_EQ(MoveFileNoReplace(dir.file("sub"), dir.file("moved")).error, 0);  // folders too
    EXPECT_TRUE(fs::exists(dir.file("moved/c")));
    EXPECT_EQ(MoveFileNoReplace(dir.file("gone"), dir.file("x")).error, ENOENT);
}

// /dev/shm is a file system of its own on every Linux machine this runs on.
class CrossDevice : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/dev/shm/tessaro-move-XXXXXX";
        if (!::mkdtemp(tmpl)) GTEST_SKIP() << "no /dev/shm";
        other_ = tmpl;
        struct stat a {
        }, b{};
        ::stat(other_.c_str(), &a);
        ::stat(dir_.path().c_str(), &b);
        if (a.st_dev == b.st_dev) GTEST_SKIP() << "/dev/shm is on the same file system";
    }
    void TearDown() override {
        if (!other_.empty()) fs::remove_all(other_);
    }
    TempDir dir_;
    std::string other_;
};

TEST_F(CrossDevice, MoveCopiesWholeThenRemovesTheSource) {
    std::vector<char> data(2 << 20, 'm');
    WriteBytes(dir_.file("src"), data);
    ::chmod(dir_.file("src").c_str(), 0600);
    EXPECT_EQ(MoveFileNoReplace(dir_.file("src"), other_ + "/dst").error, 0);
    EXPECT_FALSE(fs::exists(dir_.file("src")));
    EXPECT_EQ(ReadBytes(other_ + "/dst"), data);
    EXPECT_EQ(fs::status(other_ + "/dst").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(Names(other_), std::vector<std::string>{"dst"});
}

TEST_F(CrossDevice, MoveOntoAnExistingFileOrOutOfRoomKeepsBoth) {
    WriteBytes(dir_.file("src"), std::vector<char>(1 << 20, 's'));
    WriteBytes(other_ + "/dst", Bytes("keep me"));
    EXPECT_EQ(MoveFileNoReplace(dir_.file("src"), other_ + "/dst").error, EEXIST);
    EXPECT_EQ(ReadBytes(other_ + "/dst"), Bytes("keep me"));
    EXPECT_EQ(ReadBytes(dir_.file("src")).size(), 1u << 20);

    int result = 0;
    {
        testing::FileSizeLimit limit(64 << 10);
        ASSERT_TRUE(limit.set());
        result = MoveFileNoReplace(dir_.file("src"), other_ + "/new").error;
    }
    EXPECT_EQ(result, EFBIG);
    EXPECT_EQ(ReadBytes(dir_.file("src")).size(), 1u << 20);
    EXPECT_EQ(Names(other_), std::vector<std::string>{"dst"});
}

}  // namespace
}  // namespace tessaro
