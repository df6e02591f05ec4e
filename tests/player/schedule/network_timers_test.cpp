// The network timers on real Qt timers with the player's real lock: a held lock's time
// advances with each heartbeat, a failing write is told once, and SyncTimer reloads
// every SyncMinutes ticks.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "foundation/config_record.h"
#include "foundation/sync_record.h"
#include "macro/macro_file.h"
#include "player/engine/network_lock.h"
#include "player/schedule/network_timers.h"
#include "tests/support/unpacked.h"
#include "tests/support/qt_core_app.h"

namespace tessaro {
namespace {

using namespace std::chrono_literals;

void RunLoop(std::chrono::milliseconds ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms.count()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

class NetworkTimersTest : public ::testing::Test, public NetworkUpkeep, public NetworkLockHost {
protected:
    void SetUp() override {
        EnsureCoreApplication();
        dir_ = std::filesystem::temp_directory_path() / ("tessaro-net-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        macroFile_ = (dir_ / "SHARED.QTM").string();
        lockFile_ = CompanionFileName(macroFile_, "MAS");
        WriteSyncRecord(lockFile_, TSyncRecord{});
        config_->NetworkMode = true;
        config_->AutoSync = true;
        config_->SyncMinutes = 3;
        lock_ = std::make_unique<PlayerNetworkLock>(*this);
        lock_->Configure(true, macroFile_);
        lock_->NoteLoaded();
    }
    void TearDown() override {
        timers_.reset();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    // Both the timers and the lock ask for a reload the same way.
    void ReloadEverything() override { ++reloads_; }
    void Heartbeat() override { lock_->Heartbeat(); }
    void HeartbeatTimer(bool running) override { timers_->HeartbeatTimer(running); }
    void LockMessage(const std::string&, const std::string& text) override { messages_.push_back(text); }
    double Now() override { return clock_ += 1.0; }
    std::int64_t LocalMs() override { return 0; }

    TSyncRecord OnDisk() {
        TSyncRecord r;
        ReadSyncRecord(lockFile_, r);
        return r;
    }

    std::filesystem::path dir_;
    std::string macroFile_, lockFile_;
    std::unique_ptr<TConfigRecord> config_ = std::make_unique<TConfigRecord>();
    std::unique_ptr<NetworkTimers> timers_ =
        std::make_unique<NetworkTimers>(*config_, *this, NetworkTimers::Intervals{40ms, 20ms});
    std::unique_ptr<PlayerNetworkLock> lock_;
    double clock_ = 45000.0;
    int reloads_ = 0;
    std::vector<std::string> messages_;
};

TEST_F(NetworkTimersTest, AHeldLockStaysAliveUntilItIsGivenBack) {
    EXPECT_FALSE(timers_->heartbeatActive());
    ASSERT_FALSE(lock_->FileInUse());  // taken
    EXPECT_TRUE(timers_->heartbeatActive());
    const double taken = OnDisk().LockTime;
    RunLoop(150ms);
    const TSyncRecord held = OnDisk();
    EXPECT_EQ(Unpacked(held.State), kSyncInUse);
    EXPECT_GE(Unpacked(held.LockTime), taken + 3);

    lock_->ReleaseSyncFile(1);
    EXPECT_FALSE(timers_->heartbeatActive());
    const TSyncRecord released = OnDisk();
    RunLoop(100ms);
    EXPECT_EQ(Unpacked(OnDisk().LockTime), Unpacked(released.LockTime));
    EXPECT_EQ(Unpacked(OnDisk().State), kSyncReleased);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(NetworkTimersTest, AFailingHeartbeatIsToldOnceUntilAWriteSucceeds) {
    ASSERT_FALSE(lock_->FileInUse());
    std::filesystem::remove(lockFile_);
    std::filesystem::create_directory(lockFile_);  // every write fails now
    RunLoop(150ms);
    EXPECT_EQ(messages_.size(), 1u);
    std::filesystem::remove(lockFile_);
    RunLoop(80ms);
    EXPECT_EQ(Unpacked(OnDisk().State), kSyncInUse);
    std::filesystem::remove(lockFile_);
    std::filesystem::create_directory(lockFile_);
    RunLoop(80ms);
    EXPECT_EQ(messages_.size(), 2u);
}

TEST_F(NetworkTimersTest, SyncTimerReloadsEverySyncMinutesTicksInNetworkModeWithAutoSync) {
    timers_->ApplyNetworkSettings();
    EXPECT_TRUE(timers_->syncActive());
    for (int i = 0; i < 7; ++i) timers_->SyncTimerTimer();
    EXPECT_EQ(reloads_, 2);

    config_->SyncMinutes = 1;
    RunLoop(150ms);
    EXPECT_GE(reloads_, 4);

    config_->SyncMinutes = 0;
    const int before = reloads_;
    for (int i = 0; i < 100; ++i) timers_->SyncTimerTimer();
    EXPECT_EQ(reloads_, before);

    config_->AutoSync = false;
    timers_->ApplyNetworkSettings();
    EXPECT_FALSE(timers_->syncActive());
    config_->AutoSync = true;
    config_->NetworkMode = false;
    timers_->ApplyNetworkSettings();
    EXPECT_FALSE(timers_->syncActive());
}

}  // namespace
}  // namespace tessaro
