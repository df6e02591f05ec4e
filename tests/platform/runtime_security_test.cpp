// Another user of the machine must not get at the player's lock files and shared blocks:
// the runtime folder, the lock files and the named blocks are used only when they are this
// user's own and closed to others; anything planted is refused and left as it was.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/file_io.h"
#include "platform/named_mutex.h"
#include "platform/paths.h"
#include "platform/shared_memory.h"
#include "platform/single_instance.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr uid_t kOtherUser = 65534;

std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

mode_t ModeOf(const fs::path& p) {
    struct stat st {};
    return ::lstat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

class RuntimeSecurity : public ::testing::Test {
protected:
    void SetUp() override {
        tmp_ = fs::path(dir_.path()) / "tmp";
        fs::create_directory(tmp_);
        ::setenv("TMPDIR", tmp_.c_str(), 1);
        ::unsetenv("XDG_RUNTIME_DIR");
        folder_ = tmp_ / ("tessaro-" + std::to_string(::getuid()));
    }
    void TearDown() override { ::unsetenv("TMPDIR"); }

    std::string Problem() {
        std::string problem;
        EXPECT_FALSE(win::RuntimeDirectory(&problem));
        return problem;
    }

    tessaro::testing::TempDir dir_;
    fs::path tmp_;
    fs::path folder_;
};

TEST_F(RuntimeSecurity, SharedTemporaryFolderIsMadePrivateAndCheckedAtEachUse) {
    ASSERT_EQ(win::RuntimeDirectory(), folder_.string());
    EXPECT_EQ(ModeOf(folder_), 0700u);

    ::chmod(folder_.c_str(), 0777);  // a folder anybody may write to
    EXPECT_NE(Problem().find("may be written by other users"), std::string::npos);
    win::SingleInstance guard("QTMRN321Z");
    EXPECT_EQ(guard.status(), win::SingleInstance::Status::Refused);
    EXPECT_NE(guard.problem().find(folder_.string()), std::string::npos);
    EXPECT_TRUE(fs::is_empty(folder_));

    // A link in the folder's place, even to a private folder of this user.
    fs::remove(folder_);
    fs::create_directory(tmp_ / "elsewhere");
    ::chmod((tmp_ / "elsewhere").c_str(), 0700);
    fs::create_directory_symlink(tmp_ / "elsewhere", folder_);
    EXPECT_NE(Problem().find("is not a folder"), std::string::npos);
    EXPECT_EQ(win::SingleInstancePath("QTMRN321Z"), "");
    EXPECT_FALSE(win::InstanceRunning("QTMRN321Z"));
    EXPECT_TRUE(fs::is_empty(tmp_ / "elsewhere"));

    // The session's own folder is checked the same way.
    ::setenv("XDG_RUNTIME_DIR", (tmp_ / "elsewhere").c_str(), 1);
    EXPECT_EQ(win::RuntimeDirectory(), (tmp_ / "elsewhere").string());
    ::chmod((tmp_ / "elsewhere").c_str(), 0770);
    EXPECT_NE(Problem().find("may be written by other users"), std::string::npos);
}

TEST_F(RuntimeSecurity, FolderOfAnotherUserIsRefused) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
    ASSERT_EQ(::mkdir(folder_.c_str(), 0700), 0);
    ASSERT_EQ(::chown(folder_.c_str(), kOtherUser, kOtherUser), 0);
    EXPECT_NE(Problem().find("belongs to another user"), std::string::npos);
    win::SingleInstance guard("QTMRN321Z");
    EXPECT_EQ(guard.status(), win::SingleInstance::Status::Refused);
    EXPECT_TRUE(fs::is_empty(folder_));
}

TEST_F(RuntimeSecurity, LockFileIsNeverFollowedTruncatedOrShared) {
    const std::string lock = win::SingleInstancePath("QTMRN321Z");
    ASSERT_FALSE(lock.empty());
    const fs::path victim = fs::path(dir_.path()) / "victim.txt";
    { std::ofstream(victim) << "precious"; }

    fs::create_symlink(victim, lock);
    win::SingleInstance linked("QTMRN321Z");
    EXPECT_EQ(linked.status(), win::SingleInstance::Status::Refused);
    EXPECT_NE(linked.problem().find("symbolic link"), std::string::npos);
    EXPECT_FALSE(linked.RecordWindow(0x4141414141414141ull));
    EXPECT_EQ(Slurp(victim), "precious");
    EXPECT_EQ(win::RunningInstanceWindow("QTMRN321Z"), 0u);

    // A second name of another file, and a file others may write.
    fs::remove(lock);
    fs::create_hard_link(victim, lock);
    EXPECT_EQ(win::SingleInstance("QTMRN321Z").status(), win::SingleInstance::Status::Refused);
    EXPECT_EQ(Slurp(victim), "precious");
    fs::remove(lock);
    { std::ofstream(lock) << "12345678"; }
    ::chmod(lock.c_str(), 0666);
    EXPECT_EQ(win::SingleInstance("QTMRN321Z").status(), win::SingleInstance::Status::Refused);
    EXPECT_EQ(Slurp(lock), "12345678");

    // A file of this user that others may only read is still ours to use.
    ::chmod(lock.c_str(), 0644);
    win::SingleInstance guard("QTMRN321Z");
    EXPECT_TRUE(guard.acquired());

    if (::geteuid() == 0) {
        guard.Release();
        ::chmod(lock.c_str(), 0600);
        ASSERT_EQ(::chown(lock.c_str(), kOtherUser, kOtherUser), 0);
        EXPECT_EQ(win::SingleInstance("QTMRN321Z").status(), win::SingleInstance::Status::Refused);
    }
}

TEST_F(RuntimeSecurity, StateFilesAreReplacedWholeAndReadOnlyWhenOurs) {
    const std::string state = *win::RuntimeDirectory() + "/state";
    const fs::path victim = fs::path(dir_.path()) / "victim.txt";
    { std::ofstream(victim) << "precious"; }
    fs::create_symlink(victim, state);
    EXPECT_FALSE(win::ReadPrivateFile(state));
    ASSERT_TRUE(win::WritePrivateFile(state, "new bytes"));
    EXPECT_FALSE(fs::is_symlink(state));  // the link was replaced, not followed
    EXPECT_EQ(Slurp(victim), "precious");
    EXPECT_EQ(win::ReadPrivateFile(state), "new bytes");
    EXPECT_EQ(ModeOf(state), 0600u);
    ::chmod(state.c_str(), 0622);
    EXPECT_FALSE(win::ReadPrivateFile(state));
    EXPECT_FALSE(win::WritePrivateFile("", "x"));
}

// A block made under this session's name the way another program could make it.
class PlantedBlock {
public:
    PlantedBlock(const std::string& name, mode_t mode, std::size_t size)
        : shm_("/" + win::NamespacedName(name)) {
        const mode_t old = ::umask(0);
        fd_ = ::shm_open(shm_.c_str(), O_RDWR | O_CREAT | O_EXCL, mode);
        ::umask(old);
        if (fd_ >= 0 && ::ftruncate(fd_, static_cast<off_t>(size)) == 0) {
            void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, 0);
            std::memset(p, 0xAB, size);
            ::munmap(p, size);
        }
    }
    ~PlantedBlock() {
        if (fd_ >= 0) ::close(fd_);
        ::shm_unlink(shm_.c_str());
    }
    bool made() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    bool Untouched(std::size_t size) const {
        const int named = ::shm_open(shm_.c_str(), O_RDONLY, 0);  // the name is still there
        if (named < 0) return false;
        ::close(named);
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || static_cast<std::size_t>(st.st_size) != size) return false;
        void* p = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd_, 0);
        bool same = true;
        for (std::size_t i = 0; i < size; ++i) same = same && static_cast<unsigned char*>(p)[i] == 0xAB;
        ::munmap(p, size);
        return same;
    }

private:
    std::string shm_;
    int fd_ = -1;
};

TEST_F(RuntimeSecurity, SharedBlocksOpenToOthersAreRefusedAndLeftAlone) {
    PlantedBlock open("QTBA1KGR", 0666, 4096);
    ASSERT_TRUE(open.made());
    std::string error;
    EXPECT_FALSE(win::SharedMemory::Create("QTBA1KGR", 4096, &error));
    EXPECT_NE(error.find("other users have access"), std::string::npos) << error;
    EXPECT_FALSE(win::SharedMemory::Open("QTBA1KGR", 4096));
    EXPECT_TRUE(open.Untouched(4096));

    PlantedBlock mutex("mutex-QT88aveR", 0644, 4096);
    ASSERT_TRUE(mutex.made());
    EXPECT_FALSE(win::NamedMutex::Create("QT88aveR"));
    EXPECT_FALSE(win::NamedMutex::Open("QT88aveR"));
    EXPECT_TRUE(mutex.Untouched(4096));

    // A new block is 0600 whatever the umask says.
    const mode_t mask = ::umask(0277);
    auto strict = win::SharedMemory::Create("QTTT1KGR", 64);
    ::umask(mask);
    ASSERT_TRUE(strict);
    EXPECT_EQ(ModeOf("/dev/shm/" + win::NamespacedName("QTTT1KGR")), 0600u);

    // This user's own private block, left by a player that died, is taken over.
    auto made = win::SharedMemory::Create("QTKR1KGR", 64);
    ASSERT_TRUE(made);
    auto again = win::SharedMemory::Create("QTKR1KGR", 64);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->existed());
}

TEST_F(RuntimeSecurity, SharedBlocksOfAnotherUserAreRefusedAndNeverRemoved) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a block to another user";
    PlantedBlock theirs("QTBA1KGR", 0600, 4096);
    ASSERT_TRUE(theirs.made());
    ASSERT_EQ(::fchown(theirs.fd(), kOtherUser, kOtherUser), 0);
    EXPECT_FALSE(win::SharedMemory::Create("QTBA1KGR", 4096));
    EXPECT_FALSE(win::SharedMemory::Open("QTBA1KGR", 4096));
    win::SharedMemory::Remove("QTBA1KGR");
    EXPECT_TRUE(theirs.Untouched(4096));
    EXPECT_TRUE(win::SharedMemory::Exists("QTBA1KGR"));
}

}  // namespace
