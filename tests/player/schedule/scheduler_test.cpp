// The scheduler around the tick: the table it builds, what a firing asks of the player,
// the start-up run, idle counting through pulls and pushes, MyTimer and the screen saver.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/config_record.h"
#include "macro/macro_record.h"
#include "platform/datetime.h"
#include "player/schedule/scheduler.h"
#include "protocol/glob_data.h"
#include "tests/player/engine/recording_link.h"
#include "tests/support/unpacked.h"
#include "tests/support/qt_core_app.h"

namespace tessaro {
namespace {

class FakeHost : public ScheduleHost, public ScheduleClock, public ScreenSaverInhibitor {
public:
    std::map<int, TMacroRecord> records;
    std::vector<std::string> calls;
    bool playing = false;
    bool capsLock = false;  // as last reported
    bool windowPresent = true, programRunning = true;
    double now = 0;
    std::vector<bool> inhibited;

    bool ReadMacro(int n, TMacroRecord& rec) override {
        auto it = records.find(n);
        if (it == records.end()) return false;
        rec = it->second;
        return true;
    }
    bool MacroPlaying() override { return playing; }
    bool CapsLockLastKnown() override { return capsLock; }
    bool ActivateWindow(const std::string& title) override {
        calls.push_back("window " + title);
        return windowPresent;
    }
    bool ActivateProgram(const std::string& name) override {
        calls.push_back("program " + name);
        return programRunning;
    }
    void PlaySound(const std::string& file, bool wait) override {
        calls.push_back("sound " + file + (wait ? " wait" : ""));
    }
    void PlayTimed(int n, const TMacroRecord& rec, bool capsLockWasOn) override {
        calls.push_back("play " + std::to_string(n) + " " + GetMacroText(rec) +
                        (capsLockWasOn ? " caps" : ""));
    }
    void RunHotKeyMacro(int n) override { calls.push_back("hot key " + std::to_string(n)); }
    void RunByNickname(const std::string& nickname) override { calls.push_back("by name " + nickname); }
    double Now() override { return now; }
    void SetInhibited(bool on) override { inhibited.push_back(on); }
};

double At(int h, int mi, int s = 0) {
    double out = 0;
    win::TryEncodeDateTime({2024, 5, 14, h, mi, s, 0}, out);
    return out;
}

class SchedulerTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureCoreApplication();
        config_->TimerSeconds = 10;
        host_.now = At(9, 0);
        link_.master = master_.get();
    }
    TMacroRecord& Add(int n, std::uint16_t type, const std::string& text, std::uint16_t scope = scGlobal) {
        glob_->MacroCount = std::max<int>(glob_->MacroCount, n);
        glob_->Enabled[n] = 1;
        glob_->ActivationCode[n] = acScheduled;
        TMacroRecord& rec = host_.records[n];
        rec.ActivationCode = acScheduled;
        rec.Enabled = 1;
        rec.Scope = scope;
        rec.ScheduleType = type;
        SetMacroText(rec, text);
        return rec;
    }
    std::unique_ptr<Scheduler> Make() {
        return std::make_unique<Scheduler>(*config_, *glob_, link_, host_, host_, host_);
    }

    std::unique_ptr<TConfigRecord> config_ = std::make_unique<TConfigRecord>();
    std::unique_ptr<TGlobData> glob_ = std::make_unique<TGlobData>();
    std::unique_ptr<TGlobData> master_ = std::make_unique<TGlobData>();
    testing::RecordingLink link_;
    FakeHost host_;
};

TEST_F(SchedulerTest, TheTableHoldsEnabledTimedMacrosAndMyTimerRunsOnlyWithEntries) {
    Add(1, stStartUp, "start");
    Add(2, stHourly, "hourly");
    Add(3, stIdle, "idle");
    Add(4, stOnce, "disabled");
    glob_->Enabled[4] = 0;
    TMacroRecord& pm = Add(5, stWeekdays, "noon");
    pm.ScheduleHour = 12, pm.SchedulePM = 1, pm.ScheduleMinute = 5;
    TMacroRecord& am = Add(6, stWeekdays, "midnight");
    am.ScheduleHour = 12, am.SchedulePM = 0;
    auto scheduler = Make();
    scheduler->CheckAndSetTime();
    const auto& entries = scheduler->table().entries;
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].macro, 2);
    EXPECT_EQ(entries[1].macro, 3);
    EXPECT_EQ(entries[2].timeOfDayMs, (12 * 60 + 5) * 60'000);
    EXPECT_EQ(entries[3].timeOfDayMs, 0);
    EXPECT_TRUE(scheduler->table().hasIdle);
    EXPECT_TRUE(glob_->IdleSchedules);
    EXPECT_EQ(link_.Count('U', ggIdle), 1);
    EXPECT_TRUE(scheduler->timerActive());
    EXPECT_EQ(scheduler->timerInterval(), 10000);

    config_->TimerSeconds = 61;  // out of range: the default
    scheduler->ApplyTimerSeconds();
    EXPECT_EQ(scheduler->timerInterval(), 10000);
    config_->TimerSeconds = 30;
    scheduler->ApplyTimerSeconds();
    EXPECT_EQ(scheduler->timerInterval(), 30000);

    for (int n : {2, 3, 5, 6}) glob_->Enabled[n] = 0;
    scheduler->CheckAndSetTime();
    EXPECT_FALSE(scheduler->timerActive());
    EXPECT_FALSE(glob_->IdleSchedules);
    EXPECT_EQ(link_.Count('U', ggIdle), 2);
}

TEST_F(SchedulerTest, AFiringBringsItsWindowPlaysItsSoundAndIsLostWhileAMacroPlays) {
    config_->UseWaveFile = true;
    config_->WaveFileWait = true;
    config_->WaveFile = "/sounds/ding.wav";
    TMacroRecord& scoped = Add(1, stEveryMinutes, "scoped", scWindow);
    scoped.ScopeText = "Report";
    scoped.IntervalMinutes = 1;
    Add(2, stEveryMinutes, "menu", scPopupMenu).IntervalMinutes = 1;
    auto scheduler = Make();
    scheduler->CheckAndSetTime();
    host_.capsLock = true;

    host_.now = At(9, 1);
    scheduler->CheckOutTimerMacros();
    const std::vector<std::string> expected = {"window Report", "sound /sounds/ding.wav wait",
                                               "play 1 scoped caps", "sound /sounds/ding.wav wait",
                                               "hot key 2"};
    EXPECT_EQ(host_.calls, expected);

    host_.calls.clear();
    host_.windowPresent = false;
    config_->UseWaveFile = false;
    host_.now = At(9, 2);
    scheduler->CheckOutTimerMacros();
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"window Report", "hot key 2"}));

    host_.calls.clear();
    host_.playing = true;
    host_.now = At(9, 3);
    scheduler->CheckOutTimerMacros();
    EXPECT_TRUE(host_.calls.empty());
    // The occurrence is lost, not queued.
    host_.playing = false;
    host_.now = At(9, 3, 10);
    scheduler->CheckOutTimerMacros();
    EXPECT_TRUE(host_.calls.empty());
}

TEST_F(SchedulerTest, StartUpRunsTheStartMacroThenStartUpMacrosInFileOrder) {
    Add(1, stStartUp, "first");
    Add(2, stHourly, "not at start");
    Add(3, stStartUp, "menu", scPopupMenu);
    TMacroRecord& prog = Add(4, stStartUp, "in program", scProgram);
    prog.ScopeText = "calc";
    Add(5, stStartUp, "last");
    auto scheduler = Make();
    scheduler->StartTimer2("HELLO");
    scheduler->DoStartUpMacros();
    const std::vector<std::string> expected = {"by name HELLO", "play 1 first",      "hot key 3",
                                               "program calc",  "play 4 in program", "play 5 last"};
    EXPECT_EQ(host_.calls, expected);

    // A program that cannot be brought to the front ends the start-up run.
    host_.calls.clear();
    host_.programRunning = false;
    scheduler->StartTimer2("");
    scheduler->DoStartUpMacros();
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"play 1 first", "hot key 3", "program calc"}));
}

TEST_F(SchedulerTest, IdleTimeIsCountedInTheLibraryAndFiresOnceUntilTheUserIsActive) {
    Add(1, stIdle, "idle").IntervalMinutes = 1;
    auto scheduler = Make();
    scheduler->CheckAndSetTime();
    master_->IdleSchedules = 1;  // as pushed
    master_->IdleSeconds = 50;   // what the library counted so far
    link_.calls.clear();
    scheduler->CheckOutTimerMacros();
    // Pulled, counted, pushed back.
    ASSERT_GE(link_.calls.size(), 2u);
    EXPECT_EQ(link_.calls[0], (testing::RecordingLink::Call{'G', ggIdle, 0}));
    EXPECT_EQ(link_.calls[1], (testing::RecordingLink::Call{'U', ggIdle, 0}));
    EXPECT_EQ(Unpacked(glob_->IdleSeconds), 60u);
    EXPECT_TRUE(host_.calls.empty());

    master_->IdleSeconds = 60;
    scheduler->CheckOutTimerMacros();
    EXPECT_EQ(host_.calls, std::vector<std::string>{"play 1 idle"});
    EXPECT_EQ(glob_->IdleFired, 1);
    master_->IdleSeconds = 300;
    scheduler->CheckOutTimerMacros();
    EXPECT_EQ(host_.calls.size(), 1u);

    scheduler->WMUserActive();
    EXPECT_EQ(glob_->IdleFired, 0);
    master_->IdleSeconds = 10;  // the library reset it on the activity
    scheduler->CheckOutTimerMacros();
    EXPECT_EQ(host_.calls.size(), 1u);
    master_->IdleSeconds = 70;
    scheduler->CheckOutTimerMacros();
    EXPECT_EQ(host_.calls.size(), 2u);
}

TEST_F(SchedulerTest, TheScreenSaverIsHeldWhileTheSettingAndATimedMacroExist) {
    config_->DisableScreenSaver = true;
    Add(1, stStartUp, "start");
    {
        auto scheduler = Make();
        scheduler->CheckAndSetTime();
        EXPECT_EQ(host_.inhibited.back(), true);
        config_->DisableScreenSaver = false;
        scheduler->ApplyScreenSaverRule();
        EXPECT_EQ(host_.inhibited.back(), false);
        config_->DisableScreenSaver = true;
        scheduler->ApplyScreenSaverRule();
        EXPECT_EQ(host_.inhibited.back(), true);
        glob_->Enabled[1] = 0;
        scheduler->CheckAndSetTime();
        EXPECT_EQ(host_.inhibited.back(), false);
        glob_->Enabled[1] = 1;
        scheduler->CheckAndSetTime();
        EXPECT_EQ(host_.inhibited.back(), true);
    }
    // Given back at exit.
    EXPECT_EQ(host_.inhibited.back(), false);
}

}  // namespace
}  // namespace tessaro
