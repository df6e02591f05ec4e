// The one way the programs open a file the user chose, or one beside the macro file: a
// FIFO, device, folder or socket in its place is refused at once, never waited on, and left
// as it is; a regular file is written, appended to or replaced whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/file_io.h"
#include "tests/support/finishes_in_time.h"
#include "tests/support/temp_dir.h"

namespace tessaro {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

std::string Read(const std::string& path) {
    const auto bytes = testing::ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

// Runs in a child with a limit: a call that blocks fails the test instead of hanging it.
int WithinLimit(const std::function<bool()>& body) {
    return testing::ExitCodeWithin([&] { return body() ? 0 : 1; }, 5s);
}

struct Refusal {
    const char* what;
    std::function<std::string(const testing::TempDir&)> make;  // the path, made
    const char* why;
};

std::string Fifo(const testing::TempDir& dir) {
    const std::string p = dir.file("pipe");
    return ::mkfifo(p.c_str(), 0600) == 0 ? p : "";
}

std::string Socket(const testing::TempDir& dir) {
    const std::string p = dir.file("sock");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (p.size() >= sizeof addr.sun_path) return "";
    p.copy(addr.sun_path, p.size());
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return bound ? p : "";
}

const Refusal kRefusals[] = {
    {"a FIFO", Fifo, "it is a named pipe, not a regular file"},
    {"a link to a FIFO",
     [](const testing::TempDir& dir) {
         const std::string p = dir.file("link");
         return !Fifo(dir).empty() && ::symlink(dir.file("pipe").c_str(), p.c_str()) == 0 ? p : "";
     },
     "it is a named pipe, not a regular file"},
    {"a device", [](const testing::TempDir&) { return std::string("/dev/null"); },
     "it is a device, not a regular file"},
    {"a folder",
     [](const testing::TempDir& dir) {
         fs::create_directory(dir.file("folder"));
         return dir.file("folder");
     },
     "it is a folder, not a regular file"},
    {"a socket", Socket, "it is a socket, not a regular file"},
};

TEST(RegularFileWrites, AnythingButARegularFileIsRefusedAtOnceAndLeftAsItIs) {
    for (const Refusal& r : kRefusals) {
        testing::TempDir dir;
        const std::string path = r.make(dir);
        ASSERT_FALSE(path.empty()) << r.what;
        const mode_t before = ModeOf(path);
        for (const int flags : {O_WRONLY | O_CREAT | O_TRUNC, O_WRONLY | O_APPEND, O_RDWR, O_RDONLY}) {
            EXPECT_EQ(WithinLimit([&] {
                          std::string why;
                          errno = EINVAL;
                          const win::UniqueFd fd = win::OpenRegularFile(path, flags, 0644, &why);
                          return !fd.valid() && errno == 0 && why == r.why;
                      }),
                      0)
                << r.what << " flags " << flags;
        }
        EXPECT_EQ(WithinLimit([&] {
                      std::string why;
                      return !win::WriteToRegularFile(path, "text", O_TRUNC, why) && why == r.why;
                  }),
                  0)
            << r.what;
        EXPECT_EQ(WithinLimit([&] {
                      std::string why;
                      return !win::ReplaceRegularFile(path, "text", why) && why == r.why;
                  }),
                  0)
            << r.what;
        EXPECT_EQ(ModeOf(path), before) << r.what << " is still what it was";
    }
}

TEST(RegularFileWrites, AFifoWithAReaderIsRefusedToo) {
    testing::TempDir dir;
    const std::string path = Fifo(dir);
    ASSERT_FALSE(path.empty());
    // A reader at the other end: opening for writing would succeed, the check must not.
    const win::UniqueFd reader(::open(path.c_str(), O_RDONLY | O_NONBLOCK));
    ASSERT_TRUE(reader.valid());
    std::string why;
    EXPECT_FALSE(win::WriteToRegularFile(path, "text", O_APPEND, why));
    EXPECT_EQ(why, "it is a named pipe, not a regular file");
    char c;
    EXPECT_EQ(::read(reader.get(), &c, 1), 0) << "nothing was written into the pipe";
}

TEST(RegularFileWrites, ALinkIsRefusedOnlyWhereTheCallerSaysSo) {
    testing::TempDir dir;
    const std::string file = dir.file("real.txt"), link = dir.file("link.txt");
    std::string why;
    ASSERT_TRUE(win::WriteToRegularFile(file, "one", O_TRUNC, why));
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    EXPECT_FALSE(win::WriteToRegularFile(link, "two", O_TRUNC | O_NOFOLLOW, why));
    EXPECT_EQ(why, "it is a symbolic link, not a regular file");
    EXPECT_EQ(Read(file), "one");
    EXPECT_TRUE(win::WriteToRegularFile(link, "two", O_APPEND, why));
    EXPECT_EQ(Read(file), "onetwo");
}

TEST(RegularFileWrites, ARegularFileIsCreatedEmptiedAndAppendedTo) {
    testing::TempDir dir;
    const std::string path = dir.file("notes.txt");
    std::string why;
    EXPECT_TRUE(win::WriteToRegularFile(path, "first\r\n", O_APPEND, why));
    EXPECT_TRUE(win::WriteToRegularFile(path, "second\r\n", O_APPEND, why));
    EXPECT_EQ(Read(path), "first\r\nsecond\r\n");
    EXPECT_TRUE(win::WriteToRegularFile(path, "new", O_TRUNC, why));
    EXPECT_EQ(Read(path), "new");
    EXPECT_TRUE(win::WriteToRegularFile(path, "", O_TRUNC, why));
    EXPECT_EQ(Read(path), "");

    EXPECT_FALSE(win::WriteToRegularFile(dir.file("none/x.txt"), "x", O_TRUNC, why));
    EXPECT_EQ(why, "No such file or directory");
}

TEST(RegularFileWrites, AReplacementIsWholeKeepsTheModeAndTheLinkAndLeavesNothingBeside) {
    testing::TempDir dir;
    const std::string file = dir.file("list.txt"), link = dir.file("linked.txt");
    std::string why;
    ASSERT_TRUE(win::ReplaceRegularFile(file, "old", why)) << why;
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(::symlink(file.c_str(), link.c_str()), 0);
    EXPECT_TRUE(win::ReplaceRegularFile(link, "new bytes", why)) << why;
    EXPECT_TRUE(S_ISLNK(ModeOf(link)));
    EXPECT_EQ(Read(file), "new bytes");
    EXPECT_EQ(ModeOf(file) & 07777, 0640u);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 2u) << "no temporary file is left";

    // A folder that cannot take the new file: the old one stays as it was.
    const std::string locked = dir.file("locked");
    fs::create_directory(locked);
    ASSERT_TRUE(win::ReplaceRegularFile(locked + "/kept.txt", "kept", why));
    ASSERT_EQ(::chmod(locked.c_str(), 0500), 0);
    if (::geteuid() != 0) {
        EXPECT_FALSE(win::ReplaceRegularFile(locked + "/kept.txt", "lost", why));
        EXPECT_EQ(Read(locked + "/kept.txt"), "kept");
    }
    ::chmod(locked.c_str(), 0700);
}

// Where other users can put names, what is at a name is written only as what it is: a link
// one of them planted is refused by name, never followed, and a file with other names (or
// of another owner) is never written into; replacing a name only ever replaces the name.
TEST(RegularFileWrites, InAFolderOthersCanWriteNoLinkIsFollowedAndNoOtherFileWrittenInto) {
    testing::TempDir dir;
    const std::string shared = dir.file("shared"), victim = dir.file("victim.txt");
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    ASSERT_TRUE(win::OthersMayWrite(shared));
    EXPECT_FALSE(win::OthersMayWrite(dir.path()));
    std::string why;
    ASSERT_TRUE(win::ReplaceRegularFile(victim, "precious", why));
    const std::string link = shared + "/TEAM.MAS", hard = shared + "/TEAM.QTS";
    ASSERT_EQ(::symlink(victim.c_str(), link.c_str()), 0);
    ASSERT_EQ(::link(victim.c_str(), hard.c_str()), 0);

    EXPECT_FALSE(win::ReplaceRegularFile(link, "written", why));
    EXPECT_EQ(why, "it is a symbolic link in a folder other users can write");
    EXPECT_FALSE(win::OpenRegularFile(link, O_RDONLY, 0600, &why).valid());
    EXPECT_EQ(why, "it is a symbolic link in a folder other users can write");
    EXPECT_FALSE(win::WriteToRegularFile(link, "added", O_APPEND, why));
    // A link in the user's own folder that leads into the shared one stops at the planted link.
    const std::string own = dir.file("mine.MAS");
    ASSERT_EQ(::symlink(link.c_str(), own.c_str()), 0);
    EXPECT_FALSE(win::ReplaceRegularFile(own, "written", why));
    EXPECT_EQ(why, link + ": it is a symbolic link in a folder other users can write");
    EXPECT_FALSE(win::WriteToRegularFile(hard, "added", O_APPEND, why));
    EXPECT_EQ(why, "it has other names");
    EXPECT_EQ(Read(victim), "precious");
    EXPECT_TRUE(S_ISLNK(ModeOf(link)));

    // Replacing the other name of the file gives the name a file of its own.
    EXPECT_TRUE(win::ReplaceRegularFile(hard, "table", why)) << why;
    EXPECT_EQ(Read(hard), "table");
    EXPECT_EQ(Read(victim), "precious");
}

// Every whole-file write first clears the new files that killed writes of the same file
// left beside it, but never one a writer at work holds, nor one of another file.
TEST(RegularFileWrites, AWriteClearsWhatAKilledWriteOfTheSameFileLeftBesideIt) {
    testing::TempDir dir;
    const std::string file = dir.file("TESRO.INI");
    std::string why;
    const std::function<bool()> writers[] = {
        [&] { return win::ReplaceRegularFile(file, "[Misc]", why); },
        [&] { return win::WritePrivateFile(file, "state"); },
        [&] { return ::unlink(file.c_str()) == 0 && win::CreateRegularFile(file, "new", why); },
    };
    for (const auto& write : writers) {
        ASSERT_TRUE(win::ReplaceRegularFile(file, "old", why));
        for (const char* name : {"TESRO.INI.~0badf00d", "TESRO.INI.~12345678", "TESRO.INI2.~deadbeef"})
            ASSERT_TRUE(win::ReplaceRegularFile(dir.file(name), "left", why));
        const win::UniqueFd underWay(::open(dir.file("TESRO.INI.~12345678").c_str(), O_RDONLY | O_CLOEXEC));
        ASSERT_EQ(::flock(underWay.get(), LOCK_EX), 0);
        ASSERT_TRUE(write()) << why;
        EXPECT_FALSE(fs::exists(dir.file("TESRO.INI.~0badf00d")));
        EXPECT_TRUE(fs::exists(dir.file("TESRO.INI.~12345678"))) << "a write under way lost its file";
        EXPECT_TRUE(fs::exists(dir.file("TESRO.INI2.~deadbeef"))) << "another file's was taken";
        fs::remove(dir.file("TESRO.INI.~12345678"));
    }
}

// A lock another program keeps is waited for in steps and given up at the limit.
TEST(RegularFileWrites, ALockKeptByAnotherProgramIsGivenUpAtTheLimit) {
    testing::TempDir dir;
    const std::string file = dir.file("TEAM.QTM");
    std::string why;
    ASSERT_TRUE(win::ReplaceRegularFile(file, "records", why));
    const win::UniqueFd holder(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    ASSERT_EQ(::flock(holder.get(), LOCK_EX), 0);
    const win::UniqueFd waiter(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    const auto started = std::chrono::steady_clock::now();
    {
        const win::FileLock lock(waiter.get(), LOCK_SH, 300ms);
        EXPECT_FALSE(lock.held());
        EXPECT_TRUE(lock.busy());
    }
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited, 300ms);
    EXPECT_LT(waited, 3s);
    ::flock(holder.get(), LOCK_UN);
    const win::FileLock free(waiter.get(), LOCK_SH, 300ms);
    EXPECT_TRUE(free.held());
}

}  // namespace
}  // namespace tessaro
