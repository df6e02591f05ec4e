// The editor's side of the network lock, with the clocks moved by the test.
#include <gtest/gtest.h>

#include <filesystem>

#include "explorer_rig.h"
#include "protocol/window_messages.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

using testing::ExplorerRig;
using testing::Notice;

constexpr const char* kInUse = "Macro File in use by another user.  Please try again later.";

struct LockRig : ExplorerRig {
    std::string mas = dir.file("TESRO.MAS");
    LockRig(bool network = true) { StartWith(SystemMacros(), network); }
    TSyncRecord OnDisk() {
        TSyncRecord r;
        ReadSyncRecord(mas, r);
        return r;
    }
    void OtherUser(std::int32_t count, std::uint16_t state, double lockTime) {
        WriteSyncRecord(mas, TSyncRecord{count, state, lockTime});
    }
};

TEST(ExplorerLock, OffTheNetworkEveryCommandProceedsAndNoLockFileAppears) {
    LockRig rig(false);
    EXPECT_FALSE(rig.ex().FileInUse());
    rig.ex().ReleaseSyncFile(1);
    rig.ex().NetTimerTimer();
    EXPECT_FALSE(std::filesystem::exists(rig.mas));
    EXPECT_TRUE(rig.boxes.empty());
}

TEST(ExplorerLock, TakesAFreeLockAndCancelReleasesWithoutCounting) {
    LockRig rig;
    const std::int32_t count = rig.OnDisk().ChangeCount;
    EXPECT_FALSE(rig.ex().FileInUse());
    EXPECT_EQ(Unpacked(rig.OnDisk().State), kSyncInUse);
    EXPECT_EQ(rig.window.events, (std::vector<std::string>{"net on"}));
    rig.window.now += 0.001;
    rig.ex().NetTimerTimer();
    const double beat = rig.OnDisk().LockTime;
    EXPECT_EQ(beat, rig.window.now);
    rig.ex().ReleaseSyncFile(0);
    EXPECT_EQ(Unpacked(rig.OnDisk().State), kSyncReleased);
    EXPECT_EQ(Unpacked(rig.OnDisk().ChangeCount), count);
    EXPECT_EQ(rig.window.events.back(), "net off");
    EXPECT_TRUE(rig.boxes.empty());
}

TEST(ExplorerLock, AHeldLockIsTakenOverOnlyAMinuteAfterItsHeartbeatStopped) {
    LockRig rig;
    rig.OtherUser(1, kSyncInUse, 46000.1);
    EXPECT_TRUE(rig.ex().FileInUse());  // first sight
    rig.window.ms += 59'000;
    EXPECT_TRUE(rig.ex().FileInUse());
    ASSERT_EQ(rig.boxes.size(), 2u);
    EXPECT_EQ(rig.boxes[1].text, kInUse);
    EXPECT_EQ(rig.boxes[1].caption, "Error");
    rig.window.ms += 1'000;
    EXPECT_FALSE(rig.ex().FileInUse());
    EXPECT_EQ(Unpacked(rig.OnDisk().State), kSyncInUse);
    const double mine = rig.OnDisk().LockTime;
    EXPECT_EQ(mine, rig.window.now);
    EXPECT_EQ(rig.boxes[1].icon, win::MbIcon::Error);

    // Taken over in turn while still held: the heartbeat tells it as a notice, not an error.
    rig.OtherUser(rig.OnDisk().ChangeCount, kSyncInUse, mine + 1);
    rig.window.ms += 30'000;
    rig.ex().NetTimerTimer();
    ASSERT_EQ(rig.boxes.size(), 3u);
    EXPECT_EQ(rig.boxes[2].caption, "Notice");
    EXPECT_EQ(rig.boxes[2].icon, win::MbIcon::Information);

    // A live heartbeat: each attempt sees a new time and says "in use".
    LockRig live;
    for (int i = 0; i < 3; ++i) {
        live.OtherUser(1, kSyncInUse, 46000.1 + i);
        live.window.ms += 120'000;
        EXPECT_TRUE(live.ex().FileInUse());
    }
    EXPECT_EQ(live.boxes.size(), 3u);
}

TEST(ExplorerLock, ADayOfWallClockDoesNotMakeALiveLockStale) {
    LockRig rig;
    rig.OtherUser(1, kSyncInUse, 46000.1);
    EXPECT_TRUE(rig.ex().FileInUse());
    rig.window.now += 1.0;  // the wall clock jumps a day; the monotonic one hardly moves
    rig.window.ms += 5'000;
    EXPECT_TRUE(rig.ex().FileInUse());
    // A holder gone for a day and half a minute is stale: whole days count too.
    rig.window.ms += 86'400'000 + 30'000;
    EXPECT_FALSE(rig.ex().FileInUse());
}

TEST(ExplorerLock, ChangedCounterReloadsTellsThePlayerAndRefusesOnce) {
    LockRig rig;
    rig.ex().SelectRow(4);
    rig.OtherUser(rig.OnDisk().ChangeCount + 1, kSyncReleased, 0);
    // Another user removed two macros meanwhile.
    auto recs = ExplorerRig::SystemMacros();
    recs.resize(3);
    ExplorerRig::WriteRecords(rig.path, recs);
    EXPECT_TRUE(rig.ex().FileInUse());
    ASSERT_EQ(rig.boxes.size(), 1u);
    EXPECT_EQ(rig.boxes[0].caption, "Notice");
    EXPECT_EQ(rig.boxes[0].text,
              "Macro File has changed by another user.  Changed macro file will be reloaded after clicking "
              "\"ok\".");
    EXPECT_EQ(Unpacked(rig.glob->MacroCount), 5);  // reloaded, and the missing system macros added again
    EXPECT_EQ(rig.ex().selectedRow(), 4);
    const auto notices = rig.link.Notices();
    ASSERT_GE(notices.size(), 2u);
    EXPECT_EQ(notices[notices.size() - 2], (Notice{'E', puMacroFile, 0}));
    EXPECT_EQ(notices.back(), (Notice{'E', puSchedule, 0}));
    EXPECT_NE(std::find(rig.window.events.begin(), rig.window.events.end(), "cat"), rig.window.events.end());
    EXPECT_EQ(Unpacked(rig.OnDisk().State), kSyncReleased);  // not taken

    rig.boxes.clear();
    EXPECT_FALSE(rig.ex().FileInUse());
    EXPECT_TRUE(rig.boxes.empty());
}

TEST(ExplorerLock, ADamagedLockFileIsMadeAnewAndTheLockTaken) {
    LockRig rig;
    // Two bytes of a torn write: every command used to be refused for good.
    std::ofstream(rig.mas, std::ios::binary | std::ios::trunc).write("\x05\x00", 2);
    EXPECT_FALSE(rig.ex().FileInUse());
    EXPECT_TRUE(rig.boxes.empty());
    EXPECT_EQ(testing::ReadBytes(rig.mas).size(), sizeof(TSyncRecord));
    EXPECT_EQ(Unpacked(rig.OnDisk().State), kSyncInUse);
    rig.ex().ReleaseSyncFile(1);
    EXPECT_EQ(Unpacked(rig.OnDisk().State), kSyncReleased);
    EXPECT_EQ(Unpacked(rig.OnDisk().ChangeCount), 2);
    // The next command goes ahead without a word.
    EXPECT_FALSE(rig.ex().FileInUse());
    EXPECT_TRUE(rig.boxes.empty());
}

TEST(ExplorerLock, AutoSyncReloadsEverySyncMinutesTicks) {
    LockRig rig;
    rig.config->SyncMinutes = 5;
    for (int tick = 1; tick <= 10; ++tick) {
        rig.window.events.clear();
        rig.ex().SyncTimerTimer();
        const bool reloaded =
            std::find(rig.window.events.begin(), rig.window.events.end(), "swap") != rig.window.events.end();
        EXPECT_EQ(reloaded, tick % 5 == 0) << tick;
    }
}

}  // namespace
}  // namespace tessaro
