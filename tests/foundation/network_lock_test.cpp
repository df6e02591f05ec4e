#include "foundation/network_lock.h"
#include "tests/support/unpacked.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <filesystem>
#include <string>
#include <vector>

namespace tessaro {
namespace {

struct Host : SyncLockHost {
    std::vector<std::string> messages;
    int timerOn = 0;
    void HeartbeatTimer(bool on) override { timerOn += on ? 1 : -1; }
    void LockMessage(const std::string& c, const std::string& t) override {
        messages.push_back(c + ": " + t);
    }
    double Now() override { return 46000.5 + ::getpid() / 1e9; }
    std::int64_t LocalMs() override { return 0; }
};

class SyncLockTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tessaro-lock-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
        macroFile_ = (dir_ / "SHARED.QTM").string();
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
    std::string macroFile_;
};

TEST_F(SyncLockTest, OfTwelveProcessesTestingAFreeLockAtOnceExactlyOneTakesIt) {
    for (int round = 0; round < 5; ++round) {
        {
            Host host;
            SyncLock lock(host);
            lock.Configure(true, macroFile_);  // creates the free record
            ASSERT_EQ(Unpacked(lock.record().State), kSyncReleased);
        }
        int go[2], ready[2];
        ASSERT_EQ(::pipe(go), 0);
        ASSERT_EQ(::pipe(ready), 0);
        std::vector<pid_t> children;
        for (int i = 0; i < 12; ++i) {
            const pid_t pid = ::fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                ::close(go[1]);
                ::close(ready[0]);
                Host host;
                SyncLock lock(host);
                lock.Configure(true, macroFile_);
                lock.NoteLoaded();
                (void)!::write(ready[1], "r", 1);  // at the start line
                char c;
                (void)!::read(go[0], &c, 1);  // all start together when the pipe closes
                ::_exit(lock.Acquire() == LockAttempt::Taken ? 0 : 1);
            }
            children.push_back(pid);
        }
        ::close(go[0]);
        ::close(ready[1]);
        // Every child has its lock made and waits at the start line.
        for (int at = 0; at < 12;) {
            char c[12];
            const ssize_t got = ::read(ready[0], c, sizeof c);
            ASSERT_GT(got, 0);
            at += static_cast<int>(got);
        }
        ::close(ready[0]);
        ::close(go[1]);
        int taken = 0;
        for (const pid_t pid : children) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            ASSERT_TRUE(WIFEXITED(status));
            if (WEXITSTATUS(status) == 0) ++taken;
        }
        EXPECT_EQ(taken, 1) << "round " << round;
        std::filesystem::remove(dir_ / "SHARED.MAS");
    }
}

TEST_F(SyncLockTest, TheRecordStaysFourteenBytesAndALongerFileIsCutToIt) {
    Host host;
    SyncLock lock(host);
    lock.Configure(true, macroFile_);
    const std::string mas = (dir_ / "SHARED.MAS").string();
    {
        TSyncRecord r{4, kSyncReleased, 1.0};
        WriteSyncRecord(mas, r);
        std::ofstream(mas, std::ios::binary | std::ios::app) << "tail!!";
    }
    lock.NoteLoaded();
    EXPECT_EQ(lock.seenCount(), 4);
    EXPECT_EQ(lock.Acquire(), LockAttempt::Taken);
    EXPECT_EQ(std::filesystem::file_size(mas), 14u);
    lock.Release(1);
    TSyncRecord back;
    ReadSyncRecord(mas, back);
    EXPECT_EQ(Unpacked(back.ChangeCount), 5);
    EXPECT_EQ(Unpacked(back.State), kSyncReleased);
    EXPECT_EQ(host.timerOn, 0);
    EXPECT_TRUE(host.messages.empty());
}

// A FIFO in the lock file's place: refused, and said once as the file is set up and loaded,
// not once per read; again only after the file read well in between.
TEST_F(SyncLockTest, AFaultyLockFileIsToldOnceAsTheFileIsOpened) {
    Host host;
    SyncLock lock(host);
    const std::string mas = (dir_ / "SHARED.MAS").string();
    ASSERT_EQ(::mkfifo(mas.c_str(), 0600), 0);
    lock.Configure(true, macroFile_);
    lock.NoteLoaded();
    lock.Configure(true, macroFile_);
    lock.NoteLoaded();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find(mas), std::string::npos) << host.messages[0];
    std::filesystem::remove(mas);
    WriteSyncRecord(mas, TSyncRecord{3, kSyncReleased, 0});
    lock.NoteLoaded();
    std::filesystem::remove(mas);
    ASSERT_EQ(::mkfifo(mas.c_str(), 0600), 0);
    lock.NoteLoaded();
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(SyncLockTest, ChangedSinceLoadAdoptsTheNewCountOnce) {
    Host host;
    SyncLock lock(host);
    lock.Configure(true, macroFile_);
    lock.NoteLoaded();
    EXPECT_FALSE(lock.ChangedSinceLoad());
    WriteSyncRecord((dir_ / "SHARED.MAS").string(), TSyncRecord{7, kSyncReleased, 0});
    EXPECT_TRUE(lock.ChangedSinceLoad());
    EXPECT_FALSE(lock.ChangedSinceLoad());
    EXPECT_EQ(lock.Acquire(), LockAttempt::Taken);
}

}  // namespace
}  // namespace tessaro
