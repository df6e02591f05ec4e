#include "player/engine/network_lock.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

// A lock over a temporary macro file with a clock the test moves.
struct LockRig : NetworkLockHost {
    testing::TempDir dir;
    std::string macroFile = dir.file("SHARED.QTM");
    double days = 46000.25;
    std::int64_t ms = 0;
    int reloads = 0;
    std::vector<bool> heartbeat;
    std::vector<std::string> messages;
    PlayerNetworkLock lock{*this};

    void ReloadEverything() override { ++reloads; }
    void HeartbeatTimer(bool on) override { heartbeat.push_back(on); }
    void LockMessage(const std::string& c, const std::string& t) override {
        messages.push_back(c + ": " + t);
    }
    double Now() override { return days; }
    std::int64_t LocalMs() override { return ms; }

    TSyncRecord OnDisk() {
        TSyncRecord r;
        ReadSyncRecord(lock.lockFileName(), r);
        return r;
    }
    double LockTimeOnDisk() {
        const double t = OnDisk().LockTime;  // a packed field, copied before comparing
        return t;
    }
    void OtherUserWrites(std::int32_t count, std::uint16_t state, double lockTime) {
        WriteSyncRecord(lock.lockFileName(), TSyncRecord{count, state, lockTime});
    }
};

TEST(PlayerNetworkLock, OffTheNetworkNothingIsLockedOrWritten) {
    LockRig rig;
    rig.lock.Configure(false, rig.macroFile);
    EXPECT_FALSE(rig.lock.FileInUse());
    rig.lock.ReleaseSyncFile(1);
    EXPECT_TRUE(testing::ReadBytes(rig.lock.lockFileName()).empty());
    EXPECT_TRUE(rig.heartbeat.empty());
}

TEST(PlayerNetworkLock, TakesAFreeLockAndReleasesItCountingChanges) {
    LockRig rig;
    rig.lock.Configure(true, rig.macroFile);
    rig.lock.NoteLoaded();
    EXPECT_EQ(rig.lock.lockFileName(), rig.dir.file("SHARED.MAS"));
    EXPECT_FALSE(rig.lock.FileInUse());
    EXPECT_EQ(Unpacked(rig.OnDisk().State), kSyncInUse);
    EXPECT_EQ(rig.LockTimeOnDisk(), rig.days);

    rig.days += 0.001;
    rig.lock.Heartbeat();
    EXPECT_EQ(rig.LockTimeOnDisk(), rig.days);

    rig.lock.ReleaseSyncFile(1);
    EXPECT_EQ(Unpacked(rig.OnDisk().State), kSyncReleased);
    EXPECT_EQ(Unpacked(rig.OnDisk().ChangeCount), 2);
    EXPECT_EQ(rig.heartbeat, (std::vector<bool>{true, false}));

    // our own change does not count as another user's: the next test takes it at once
    EXPECT_FALSE(rig.lock.FileInUse());
    EXPECT_EQ(rig.reloads, 0);
}

TEST(PlayerNetworkLock, AnotherUsersLockHoldsUntilItsHeartbeatStopsForAMinute) {
    LockRig rig;
    rig.lock.Configure(true, rig.macroFile);
    rig.lock.NoteLoaded();
    rig.OtherUserWrites(1, kSyncInUse, 45000.5);
    EXPECT_TRUE(rig.lock.FileInUse());
    rig.ms += 59'000;
    EXPECT_TRUE(rig.lock.FileInUse());
    rig.OtherUserWrites(1, kSyncInUse, 45000.6);  // a heartbeat restarts the minute
    rig.ms += 30'000;
    EXPECT_TRUE(rig.lock.FileInUse());
    rig.ms += 59'999;
    EXPECT_TRUE(rig.lock.FileInUse());
    rig.ms += 1;
    EXPECT_FALSE(rig.lock.FileInUse());
    EXPECT_EQ(Unpacked(rig.OnDisk().State), kSyncInUse);
    EXPECT_EQ(rig.LockTimeOnDisk(), rig.days);
}

TEST(PlayerNetworkLock, HotKeyReloadsOnceAfterAnotherUsersChange) {
    LockRig rig;
    rig.lock.Configure(false, rig.macroFile);
    EXPECT_FALSE(rig.lock.ReloadIfChanged());
    rig.lock.Configure(true, rig.macroFile);
    rig.lock.NoteLoaded();
    EXPECT_FALSE(rig.lock.ReloadIfChanged());
    rig.OtherUserWrites(rig.OnDisk().ChangeCount + 2, kSyncReleased, rig.days);
    EXPECT_TRUE(rig.lock.ReloadIfChanged());
    EXPECT_FALSE(rig.lock.ReloadIfChanged());
    EXPECT_EQ(rig.reloads, 1);
    // Our own change does not count as another user's.
    EXPECT_FALSE(rig.lock.FileInUse());
    rig.lock.ReleaseSyncFile(1);
    EXPECT_FALSE(rig.lock.ReloadIfChanged());
    EXPECT_EQ(rig.reloads, 1);
}

TEST(PlayerNetworkLock, TheCountFoundWhenTheLockFileIsOpenedIsNoChange) {
    LockRig rig;
    // "/F" loads the file before "/N" turns network mode on: only then is the lock read.
    rig.lock.Configure(false, rig.macroFile);
    rig.lock.NoteLoaded();
    WriteSyncRecord(rig.dir.file("SHARED.MAS"), TSyncRecord{5, kSyncReleased, 45000.5});
    rig.lock.Configure(true, rig.macroFile);
    EXPECT_FALSE(rig.lock.ReloadIfChanged());
    EXPECT_FALSE(rig.lock.FileInUse());
    rig.lock.ReleaseSyncFile(0);
    EXPECT_EQ(rig.reloads, 0);

    // Switched to another shared file (the editor's notice): its own count is the one seen.
    const std::string other = rig.dir.file("OTHER.QTM");
    WriteSyncRecord(rig.dir.file("OTHER.MAS"), TSyncRecord{40, kSyncReleased, 45000.5});
    rig.lock.Configure(true, other);
    EXPECT_FALSE(rig.lock.ReloadIfChanged());
    rig.OtherUserWrites(41, kSyncReleased, 45000.6);
    EXPECT_TRUE(rig.lock.ReloadIfChanged());
    EXPECT_EQ(rig.reloads, 1);
}

TEST(PlayerNetworkLock, ChangesOfOthersReloadFirstAndDamagedLockFilesAreMadeAnew) {
    LockRig rig;
    rig.lock.Configure(true, rig.macroFile);
    rig.lock.NoteLoaded();
    rig.OtherUserWrites(7, kSyncReleased, 1.0);
    EXPECT_TRUE(rig.lock.FileInUse());
    EXPECT_EQ(rig.reloads, 1);
    EXPECT_FALSE(rig.lock.FileInUse());
    EXPECT_EQ(rig.reloads, 1);
    rig.lock.ReleaseSyncFile(0);

    // Made anew as a missing file is: its count starts again, so this user reloads once.
    testing::WriteBytes(rig.lock.lockFileName(), {1, 0, 0});
    EXPECT_TRUE(rig.lock.FileInUse());
    EXPECT_EQ(rig.reloads, 2);
    EXPECT_TRUE(rig.messages.empty());
    EXPECT_EQ(testing::ReadBytes(rig.lock.lockFileName()).size(), sizeof(TSyncRecord));
    EXPECT_FALSE(rig.lock.FileInUse());
    rig.lock.ReleaseSyncFile(1);
    EXPECT_EQ(Unpacked(rig.lock.record().ChangeCount), 2);
}

}  // namespace
}  // namespace tessaro
