// A lock this program held and another user took over (its heartbeat had stopped): the
// heartbeat and the release read the record first and write nothing back, the program is
// told once, and its next attempt asks for a reload. The change count never goes back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/network_lock.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

struct Host : SyncLockHost {
    std::vector<std::string> messages;
    bool timer = false;
    double now = 46000.25;
    std::int64_t ms = 0;
    void HeartbeatTimer(bool on) override { timer = on; }
    void LockMessage(const std::string& c, const std::string& t) override {
        messages.push_back(c + ": " + t);
    }
    double Now() override { return now; }
    std::int64_t LocalMs() override { return ms; }
};

class LockTakeoverTest : public ::testing::Test {
protected:
    TSyncRecord OnFile() {
        TSyncRecord rec;
        EXPECT_EQ(ReadSyncRecord(lockFile, rec), SyncReadResult::Read);
        return rec;
    }
    // B holds the file, stops; A sees it twice a minute apart and takes it over.
    void TakeOver() {
        b.Configure(true, macroFile);
        a.Configure(true, macroFile);
        ASSERT_EQ(b.Acquire(), LockAttempt::Taken);
        bHost.now += 0.0001;
        b.Heartbeat();
        ASSERT_EQ(a.Acquire(), LockAttempt::HeldByOther);
        aHost.ms += 61'000;
        aHost.now += 0.001;
        ASSERT_EQ(a.Acquire(), LockAttempt::Taken);
    }

    testing::TempDir dir;
    std::string macroFile = dir.file("SHARED.QTM");
    std::string lockFile = dir.file("SHARED.MAS");
    Host aHost, bHost;
    SyncLock a{aHost}, b{bHost};
};

TEST_F(LockTakeoverTest, TheHeartbeatOfTheStoppedHolderWritesNothingOverTheNewHoldersRecord) {
    TakeOver();
    const TSyncRecord held = OnFile();
    bHost.now += 0.002;
    b.Heartbeat();  // B wakes
    EXPECT_EQ(Unpacked(OnFile().LockTime), Unpacked(held.LockTime));
    EXPECT_EQ(Unpacked(OnFile().State), kSyncInUse);
    ASSERT_EQ(bHost.messages.size(), 1u);
    EXPECT_NE(bHost.messages[0].find("took over the lock"), std::string::npos);
    EXPECT_TRUE(b.lost());
    EXPECT_FALSE(bHost.timer);
    b.Heartbeat();  // told once: the heartbeat has stopped
    EXPECT_EQ(bHost.messages.size(), 1u);

    // A changes the file and gives it back: count 2. B's release afterwards changes nothing.
    a.Release(1);
    EXPECT_EQ(Unpacked(OnFile().ChangeCount), 2);
    b.Release(1);
    EXPECT_EQ(Unpacked(OnFile().ChangeCount), 2);
    EXPECT_EQ(Unpacked(OnFile().State), kSyncReleased);

    // B's next attempt reloads first; the one after takes the lock with A's count.
    EXPECT_EQ(b.Acquire(), LockAttempt::ChangedByOther);
    EXPECT_FALSE(b.lost());
    EXPECT_EQ(b.Acquire(), LockAttempt::Taken);
    b.Release(1);
    EXPECT_EQ(Unpacked(OnFile().ChangeCount), 3);
}

TEST_F(LockTakeoverTest, ARecordTakenOverAndReleasedUnchangedStillMakesTheOldHolderReload) {
    TakeOver();
    a.Release(0);  // A took it and changed nothing
    b.Release(1);  // B ends its operation: the record is A's, untouched
    EXPECT_EQ(Unpacked(OnFile().ChangeCount), 1);
    EXPECT_EQ(Unpacked(OnFile().State), kSyncReleased);
    EXPECT_TRUE(b.lost());
    EXPECT_EQ(b.Acquire(), LockAttempt::ChangedByOther);
}

TEST_F(LockTakeoverTest, AHolderNobodyTookOverKeepsItsLockFresh) {
    b.Configure(true, macroFile);
    ASSERT_EQ(b.Acquire(), LockAttempt::Taken);
    for (int beat = 0; beat < 3; ++beat) {
        bHost.now += 0.0003;
        b.Heartbeat();
        EXPECT_EQ(Unpacked(OnFile().LockTime), bHost.now);
    }
    b.Release(1);
    EXPECT_EQ(Unpacked(OnFile().ChangeCount), 2);
    EXPECT_EQ(Unpacked(OnFile().State), kSyncReleased);
    EXPECT_FALSE(b.lost());
    EXPECT_TRUE(bHost.messages.empty());
}

}  // namespace
}  // namespace tessaro
