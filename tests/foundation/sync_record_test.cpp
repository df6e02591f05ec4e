#include "foundation/sync_record.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "tests/support/file_size_limit.h"
#include "tests/support/wait_for.h"
#include "tests/support/unpacked.h"

using tessaro::Unpacked;

namespace fs = std::filesystem;
using tessaro::TSyncRecord;
// LockTime sits unaligned in the packed record: tests compare copies, never references.

namespace {

// A Unix socket bound to a path, closed at the end of the test.
class UniqueSocket {
public:
    UniqueSocket() = default;
    ~UniqueSocket() {
        if (fd_ >= 0) ::close(fd_);
    }
    UniqueSocket(const UniqueSocket&) = delete;
    UniqueSocket& operator=(const UniqueSocket&) = delete;
    void BindAt(const std::string& path) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        ASSERT_LT(path.size(), sizeof addr.sun_path);
        std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
        ASSERT_EQ(::bind(fd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0)
            << std::strerror(errno);
    }

private:
    int fd_ = -1;
};

class SyncRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessaro-sync-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        file_ = (dir_ / "TESRO.MAS").string();
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all);
        fs::remove_all(dir_);
    }
    std::vector<unsigned char> Bytes() const {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void Put(const std::vector<unsigned char>& bytes) const {
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    fs::path dir_;
    std::string file_;
};

std::vector<unsigned char> DoubleBytes(double d) {
    std::vector<unsigned char> b(8);
    std::memcpy(b.data(), &d, 8);
    return b;
}

TEST_F(SyncRecordTest, MissingFileIsCreatedReleasedKeepingLockTime) {
    TSyncRecord rec;
    rec.ChangeCount = 42;
    rec.State = tessaro::kSyncInUse;
    rec.LockTime = 45000.25;
    EXPECT_EQ(tessaro::ReadSyncRecord(file_, rec), tessaro::SyncReadResult::Created);
    EXPECT_EQ(Unpacked(rec.ChangeCount), 1);
    EXPECT_EQ(Unpacked(rec.State), tessaro::kSyncReleased);
    EXPECT_EQ(double{Unpacked(rec.LockTime)}, 45000.25);

    std::vector<unsigned char> expected = {1, 0, 0, 0, 2, 0};
    auto t = DoubleBytes(45000.25);
    expected.insert(expected.end(), t.begin(), t.end());
    EXPECT_EQ(Bytes(), expected);
}

TEST_F(SyncRecordTest, WriteThenReadIsByteExactAndRoundTrips) {
    TSyncRecord rec;
    rec.ChangeCount = 5;
    rec.State = tessaro::kSyncInUse;
    rec.LockTime = 46001.5;
    tessaro::WriteSyncRecord(file_, rec);
    auto bytes = Bytes();
    ASSERT_EQ(bytes.size(), 14u);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 6),
              (std::vector<unsigned char>{5, 0, 0, 0, 1, 0}));
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin() + 6, bytes.end()), DoubleBytes(46001.5));

    // Writing replaces a longer old file entirely.
    Put(std::vector<unsigned char>(40, 0xEE));
    tessaro::WriteSyncRecord(file_, rec);
    EXPECT_EQ(Bytes(), bytes);

    TSyncRecord back{};
    back.ChangeCount = -7;
    EXPECT_EQ(tessaro::ReadSyncRecord(file_, back), tessaro::SyncReadResult::Read);
    EXPECT_EQ(Unpacked(back.ChangeCount), 5);
    EXPECT_EQ(Unpacked(back.State), tessaro::kSyncInUse);
    EXPECT_EQ(double{Unpacked(back.LockTime)}, 46001.5);
}

TEST_F(SyncRecordTest, LongFileIsReadFromItsFirstRecord) {
    std::vector<unsigned char> bytes = {0x10, 0x27, 0, 0, 2, 0};
    auto t = DoubleBytes(1.75);
    bytes.insert(bytes.end(), t.begin(), t.end());
    bytes.insert(bytes.end(), {9, 9, 9, 9, 9, 9});
    Put(bytes);
    TSyncRecord rec;
    EXPECT_EQ(tessaro::ReadSyncRecord(file_, rec), tessaro::SyncReadResult::Read);
    EXPECT_EQ(Unpacked(rec.ChangeCount), 10000);
    EXPECT_EQ(Unpacked(rec.State), 2);
    EXPECT_EQ(double{Unpacked(rec.LockTime)}, 1.75);
    EXPECT_EQ(Bytes().size(), 20u);  // reading never rewrites
}

TEST_F(SyncRecordTest, ShortOrEmptyFileIsMadeAnewAsAMissingOneWouldBe) {
    for (std::size_t len : {0u, 1u, 2u, 6u, 13u}) {
        Put(std::vector<unsigned char>(len, 0x77));
        TSyncRecord rec;
        rec.ChangeCount = 3;
        rec.State = tessaro::kSyncInUse;
        rec.LockTime = 12.5;
        EXPECT_EQ(tessaro::ReadSyncRecord(file_, rec), tessaro::SyncReadResult::Created) << len;
        EXPECT_EQ(Unpacked(rec.ChangeCount), 1) << len;
        EXPECT_EQ(Unpacked(rec.State), tessaro::kSyncReleased) << len;
        EXPECT_EQ(double{Unpacked(rec.LockTime)}, 12.5) << len;
        std::vector<unsigned char> expected = {1, 0, 0, 0, 2, 0};
        const auto time = DoubleBytes(12.5);
        expected.insert(expected.end(), time.begin(), time.end());
        EXPECT_EQ(Bytes(), expected) << len;
    }
    // Taking the lock repairs it too, and then takes it.
    Put({5, 0});
    TSyncRecord rec;
    rec.LockTime = 3.0;
    EXPECT_EQ(tessaro::UpdateSyncRecord(file_, rec,
                                        [](TSyncRecord& r) {
                                            r.State = tessaro::kSyncInUse;
                                            return true;
                                        }),
              tessaro::SyncReadResult::Created);
    EXPECT_EQ(Bytes().size(), sizeof(TSyncRecord));
    EXPECT_EQ(Unpacked(rec.ChangeCount), 1);
    EXPECT_EQ(Unpacked(rec.State), tessaro::kSyncInUse);
}

TEST_F(SyncRecordTest, ADamagedLockFileThatCannotBeRepairedTellsWhatToDo) {
    Put({5, 0});
    TSyncRecord rec;
    rec.ChangeCount = 7;
    {
        tessaro::testing::FileSizeLimit full(0);  // as on a full disk
        ASSERT_TRUE(full.set());
        try {
            tessaro::ReadSyncRecord(file_, rec);
            ADD_FAILURE() << "no error";
        } catch (const tessaro::SyncFileError& e) {
            const std::string text = e.what();
            EXPECT_NE(text.find("is damaged (2 of 14 bytes) and could not be repaired"), std::string::npos)
                << text;
            EXPECT_NE(
                text.find("Delete it; it holds only the change count and the lock state, and is made anew."),
                std::string::npos)
                << text;
        }
    }
    EXPECT_EQ(Unpacked(rec.ChangeCount), 7);
    EXPECT_EQ(Bytes(), (std::vector<unsigned char>{5, 0}));
}

TEST_F(SyncRecordTest, FailedCreateThrowsAfterTheReset) {
    // The folder part of the name is a plain file: nothing can be created there.
    Put({1, 2, 3});
    const std::string impossible = file_ + "/X.MAS";
    TSyncRecord rec;
    rec.ChangeCount = 9;
    rec.State = tessaro::kSyncInUse;
    EXPECT_THROW(tessaro::WriteSyncRecord(impossible, rec), tessaro::SyncFileError);
    EXPECT_THROW(tessaro::ReadSyncRecord(impossible, rec), tessaro::SyncFileError);
    EXPECT_EQ(Unpacked(rec.ChangeCount), 1);  // the new-file values were set before the write failed
    EXPECT_EQ(Unpacked(rec.State), tessaro::kSyncReleased);
}

// A FIFO in the lock file's place is named as what it is, not as a failed creation.
TEST_F(SyncRecordTest, AFifoAsTheLockFileIsRefusedSayingWhatItIs) {
    ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);
    TSyncRecord rec;
    try {
        tessaro::WriteSyncRecord(file_, rec);
        ADD_FAILURE() << "no error";
    } catch (const tessaro::SyncFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot use lock file \"" + file_ + "\": it is a named pipe, not a regular file");
    }
    EXPECT_TRUE(fs::is_fifo(file_));
}

// Reading names what is there too, before anything is read from it; a socket cannot be
// opened at all and is named alike. The record is left as it was.
TEST_F(SyncRecordTest, ReadingAFifoOrSocketSaysWhatItIsAndKeepsTheRecord) {
    // The text of the error `step` raises.
    const auto refusal = [](const std::function<void()>& step) {
        try {
            step();
        } catch (const tessaro::SyncFileError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    ASSERT_EQ(::mkfifo(file_.c_str(), 0600), 0);
    TSyncRecord mem;
    mem.ChangeCount = 99;
    EXPECT_EQ(refusal([&] { tessaro::ReadSyncRecord(file_, mem); }),
              "Cannot use lock file \"" + file_ + "\": it is a named pipe, not a regular file");
    EXPECT_EQ(Unpacked(mem.ChangeCount), 99);
    EXPECT_TRUE(fs::is_fifo(file_));
    fs::remove(file_);

    UniqueSocket socket;
    socket.BindAt(file_);
    ASSERT_TRUE(fs::is_socket(file_));
    EXPECT_EQ(refusal([&] { tessaro::UpdateSyncRecord(file_, mem, [](TSyncRecord&) { return true; }); }),
              "Cannot use lock file \"" + file_ + "\": it is a socket, not a regular file");
    EXPECT_EQ(Unpacked(mem.ChangeCount), 99);
    EXPECT_TRUE(fs::is_socket(file_));
}

TEST_F(SyncRecordTest, UnopenableFileKeepsRecord) {
    if (::geteuid() == 0) GTEST_SKIP() << "file permissions do not bind root";
    TSyncRecord rec;
    rec.ChangeCount = 8;
    tessaro::WriteSyncRecord(file_, rec);
    ::chmod(file_.c_str(), 0);
    TSyncRecord mem;
    mem.ChangeCount = 99;
    EXPECT_EQ(tessaro::ReadSyncRecord(file_, mem), tessaro::SyncReadResult::Unreadable);
    EXPECT_EQ(Unpacked(mem.ChangeCount), 99);
}

// A full disk part way through a write, and a writer killed at any moment, leave the old
// record whole: the new one is written beside the file and takes its place in one step.
TEST_F(SyncRecordTest, AFullDiskOrAKillMidWriteLeavesTheOldRecordOrTheNew) {
    tessaro::WriteSyncRecord(file_, TSyncRecord{41, tessaro::kSyncInUse, 2.5});
    const std::vector<unsigned char> before = Bytes();
    for (rlim_t room : {0u, 5u, 13u}) {
        tessaro::testing::FileSizeLimit full(room);
        ASSERT_TRUE(full.set());
        EXPECT_THROW(tessaro::WriteSyncRecord(file_, TSyncRecord{42, tessaro::kSyncReleased, 3.5}),
                     tessaro::SyncFileError)
            << room;
        TSyncRecord taken{};
        EXPECT_THROW(tessaro::UpdateSyncRecord(file_, taken,
                                               [](TSyncRecord& r) {
                                                   r.ChangeCount += 1;
                                                   return true;
                                               }),
                     tessaro::SyncFileError)
            << room;
        EXPECT_EQ(Bytes(), before) << room;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

    // A child counts the record up as fast as it can and is killed at random moments: every
    // look finds 14 bytes whose count is the one before or the one after.
    for (int round = 0; round < 30; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (;;) {
                TSyncRecord r;
                tessaro::UpdateSyncRecord(file_, r, [](TSyncRecord& x) {
                    x.ChangeCount += 1;
                    return true;
                });
            }
        }
        const std::int32_t start = [&] {
            TSyncRecord r;
            tessaro::ReadSyncRecord(file_, r);
            return Unpacked(r.ChangeCount);
        }();
        // Until the child has counted at least once, then at a moment of its own.
        ASSERT_TRUE(tessaro::testing::WaitFor(
            [&] {
                TSyncRecord r;
                tessaro::ReadSyncRecord(file_, r);
                return Unpacked(r.ChangeCount) > start + round % 7;
            },
            std::chrono::seconds(10)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::vector<unsigned char> after = Bytes();
        ASSERT_EQ(after.size(), sizeof(TSyncRecord)) << round;
        EXPECT_EQ(after[4], 1) << round;  // the State the child keeps writing
    }
}

// Users starting at the same moment on a folder without a lock file, as programs started
// together on a shared macro file do: each reads the record (making the file), takes the
// lock when it is free, looks that it still holds it and lets it go. Nobody's read or write
// fails, a lock taken is never overwritten by another user's new file, and nothing is left
// beside the file.
TEST_F(SyncRecordTest, UsersStartingTogetherOnANewLockFileNeitherFailNorLoseTheLock) {
    constexpr int kUsers = 6;
    constexpr int kRounds = 40;
    for (int round = 0; round < kRounds; ++round) {
        const std::string file = (dir_ / ("R" + std::to_string(round) + ".MAS")).string();
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        std::vector<pid_t> users;
        for (int u = 0; u < kUsers; ++u) {
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(go[1]);
                char start = 0;
                if (::read(go[0], &start, 1) != 0) ::_exit(3);  // all start when the pipe closes
                const double mine = 1000.0 + u;
                try {
                    TSyncRecord r;
                    tessaro::ReadSyncRecord(file, r);
                    bool taken = false;
                    tessaro::UpdateSyncRecord(file, r, [&](TSyncRecord& x) {
                        if (x.State == tessaro::kSyncInUse) return false;
                        x.State = tessaro::kSyncInUse;
                        x.LockTime = mine;
                        return taken = true;
                    });
                    if (!taken) ::_exit(0);
                    bool kept = true;
                    tessaro::UpdateSyncRecord(file, r, [&](TSyncRecord& x) {
                        kept = x.State == tessaro::kSyncInUse && double{Unpacked(x.LockTime)} == mine;
                        if (!kept) return false;
                        x.State = tessaro::kSyncReleased;
                        return true;
                    });
                    ::_exit(kept ? 0 : 2);
                } catch (const tessaro::SyncFileError&) {
                    ::_exit(1);
                }
            }
            users.push_back(child);
        }
        ::close(go[0]);
        ::close(go[1]);
        for (const pid_t user : users) {
            int status = 0;
            ASSERT_EQ(::waitpid(user, &status, 0), user);
            ASSERT_TRUE(WIFEXITED(status)) << round;
            EXPECT_NE(WEXITSTATUS(status), 1)
                << "a user's read or write of the lock file failed, round " << round;
            EXPECT_NE(WEXITSTATUS(status), 2) << "a user's lock was overwritten, round " << round;
        }
        if (HasFailure()) break;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), kRounds);
}

}  // namespace
