// The scheduler's tick under a fake clock: every schedule type, month ends, daylight
// saving time, a clock set back or forward, a suspend, idle time and damaged fields.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "platform/datetime.h"
#include "player/schedule/schedule_tick.h"

namespace tessaro {
namespace {

double Local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    double out = 0;
    EXPECT_TRUE(win::TryEncodeDateTime({y, mo, d, h, mi, s, 0}, out));
    return out;
}

ScheduleEntry Entry(std::uint16_t type, int hour24 = 0, int minute = 0) {
    ScheduleEntry e;
    e.macro = 1;
    e.type = type;
    e.timeOfDayMs = (std::int64_t(hour24) * 60 + minute) * 60'000;
    return e;
}

// Drives one entry through ticks; returns the local times (as passed) at which it fired.
class Clock {
public:
    Clock(ScheduleEntry entry, double start) : previous_(MakeTickTime(start)) {
        entry.lastRunMs = previous_.ms;
        table_.entries.push_back(entry);
    }
    bool Tick(double at, std::uint32_t idleSeconds = 0) {
        const TickTime now = MakeTickTime(at);
        const TickOutcome out = CheckOutTimerMacros(table_, previous_, now, idleSeconds);
        previous_ = now;
        return !out.due.empty();
    }
    // Ticks every `seconds` from the previous tick up to `until`; the number of firings.
    int Run(double until, int seconds = 10) {
        int fired = 0;
        const std::int64_t end = MakeTickTime(until).ms;
        for (std::int64_t t = previous_.ms + seconds * 1000; t <= end; t += seconds * 1000)
            fired += Tick(MsToDays(t));
        return fired;
    }
    ScheduleEntry& entry() { return table_.entries.front(); }

private:
    static double MsToDays(std::int64_t ms) { return ms / 86'400'000.0; }
    ScheduleTable table_;
    TickTime previous_;
};

TEST(ScheduleTick, OnceFiresAtItsTimeOnlyAndNotWhenStartedLater) {
    ScheduleEntry e = Entry(stOnce, 10, 0);
    e.year = 2024, e.month = 5, e.day = 14;
    Clock c(e, Local(2024, 5, 14, 9, 59, 45));
    EXPECT_FALSE(c.Tick(Local(2024, 5, 14, 9, 59, 55)));
    EXPECT_TRUE(c.Tick(Local(2024, 5, 14, 10, 0, 5)));
    EXPECT_EQ(c.Run(Local(2024, 5, 16, 12, 0, 0), 60), 0);

    Clock late(e, Local(2024, 5, 14, 10, 30, 0));
    EXPECT_EQ(late.Run(Local(2024, 5, 15, 12, 0, 0), 60), 0);
    // Another day, or a date that cannot exist, never.
    e.day = 31, e.month = 4;
    Clock never(e, Local(2024, 4, 29));
    EXPECT_EQ(never.Run(Local(2024, 5, 3), 60), 0);
}

TEST(ScheduleTick, HourlyFiresOncePerHourAtItsMinute) {
    Clock top(Entry(stHourly), Local(2024, 5, 14, 9, 30));
    EXPECT_EQ(top.Run(Local(2024, 5, 14, 12, 30)), 3);
    EXPECT_FALSE(top.Tick(Local(2024, 5, 14, 12, 30, 10)));
    EXPECT_TRUE(top.Tick(Local(2024, 5, 14, 13, 0, 3)));

    ScheduleEntry quarter = Entry(stHourly);
    quarter.minutePastHour = 15;
    Clock c(quarter, Local(2024, 5, 14, 9, 20));
    EXPECT_EQ(c.Run(Local(2024, 5, 14, 12, 20)), 3);
}

TEST(ScheduleTick, WeekdaysWeeklyAndMonthly) {
    ScheduleEntry days = Entry(stWeekdays, 8, 0);
    days.days[0] = 1;                                    // Monday
    days.days[6] = 1;                                    // Sunday
    Clock d(days, Local(2024, 5, 13));                   // a Monday
    EXPECT_EQ(d.Run(Local(2024, 5, 20, 23, 0), 60), 3);  // Mon 13, Sun 19, Mon 20

    ScheduleEntry weekly = Entry(stWeekly, 18, 30);
    weekly.weekday = 4;  // Wednesday
    Clock w(weekly, Local(2024, 5, 13));
    EXPECT_EQ(w.Run(Local(2024, 5, 29, 23, 0), 60), 3);

    ScheduleEntry monthly = Entry(stMonthly, 7, 0);
    monthly.day = 15;
    Clock m(monthly, Local(2024, 1, 1));
    EXPECT_EQ(m.Run(Local(2024, 6, 1), 60), 5);
}

TEST(ScheduleTick, MonthEndsFireOnlyInMonthsThatHaveTheDay) {
    ScheduleEntry d31 = Entry(stMonthly, 9, 0);
    d31.day = 31;
    Clock c31(d31, Local(2024, 1, 1));
    EXPECT_EQ(c31.Run(Local(2025, 1, 1), 60), 7);  // Jan Mar May Jul Aug Oct Dec

    ScheduleEntry d30 = Entry(stMonthly, 0, 0);
    d30.day = 30;
    Clock c30(d30, Local(2024, 4, 1));
    // Midnight of the 30th: once on the 30th, never again on the 1st that follows.
    EXPECT_EQ(c30.Run(Local(2024, 7, 1, 1, 0), 60), 3);

    ScheduleEntry feb29 = Entry(stMonthly, 12, 0);
    feb29.day = 29;
    Clock y2023(feb29, Local(2023, 2, 1));
    EXPECT_EQ(y2023.Run(Local(2023, 3, 1), 60), 0);
    Clock y2024(feb29, Local(2024, 2, 1));
    EXPECT_EQ(y2024.Run(Local(2024, 3, 1), 60), 1);
    Clock y2100(feb29, Local(2100, 2, 1));
    EXPECT_EQ(y2100.Run(Local(2100, 3, 1), 60), 0);

    ScheduleEntry once = Entry(stOnce, 12, 0);
    once.year = 2100, once.month = 2, once.day = 29;
    Clock never(once, Local(2100, 2, 27));
    EXPECT_EQ(never.Run(Local(2100, 3, 2), 60), 0);
}

TEST(ScheduleTick, AnEntryJustBeforeMidnightIsCaughtByTheNextDaysFirstTick) {
    ScheduleEntry late = Entry(stWeekly, 23, 59);
    late.weekday = 2;  // Monday
    Clock c(late, Local(2024, 5, 13, 23, 58, 30));
    // A long tick from Monday 23:58:40 to Tuesday 00:00:20 passes 23:59.
    EXPECT_FALSE(c.Tick(Local(2024, 5, 13, 23, 58, 40)));
    EXPECT_TRUE(c.Tick(Local(2024, 5, 14, 0, 0, 20)));
    EXPECT_EQ(c.Run(Local(2024, 5, 16), 60), 0);
}

TEST(ScheduleTick, ATimeOfDayFiresOnceADateWhenTheClockGoesBack) {
    ScheduleEntry daily = Entry(stWeekdays, 10, 0);
    for (auto& f : daily.days) f = 1;
    Clock c(daily, Local(2024, 5, 14, 9, 59, 50));
    EXPECT_TRUE(c.Tick(Local(2024, 5, 14, 10, 0, 0)));
    // Set back within the day, past 10:00 again.
    EXPECT_FALSE(c.Tick(Local(2024, 5, 14, 9, 0, 0)));
    EXPECT_EQ(c.Run(Local(2024, 5, 14, 11, 0, 0)), 0);
    // The next day it fires again.
    EXPECT_EQ(c.Run(Local(2024, 5, 15, 11, 0, 0), 60), 1);

    ScheduleEntry night = Entry(stWeekdays, 23, 30);
    for (auto& f : night.days) f = 1;
    Clock n(night, Local(2024, 5, 14, 23, 0, 0));
    EXPECT_EQ(n.Run(Local(2024, 5, 15, 0, 10, 0)), 1);
    // Set back over midnight, past 23:30 of the day before again.
    EXPECT_FALSE(n.Tick(Local(2024, 5, 14, 23, 0, 0)));
    EXPECT_EQ(n.Run(Local(2024, 5, 15, 0, 10, 0)), 0);
}

TEST(ScheduleTick, EveryNMinutesCountsFromTheBuildAndSurvivesGaps) {
    ScheduleEntry e = Entry(stEveryMinutes);
    e.interval = 15;
    const double start = Local(2024, 5, 14, 9, 0, 0);
    Clock c(e, start);
    EXPECT_EQ(c.Run(Local(2024, 5, 14, 9, 14, 50)), 0);
    EXPECT_EQ(c.Run(Local(2024, 5, 14, 10, 0, 0)), 4);
    // A suspend of over an hour: once on waking, then every 15 minutes from then.
    EXPECT_TRUE(c.Tick(Local(2024, 5, 14, 11, 37, 0)));
    EXPECT_FALSE(c.Tick(Local(2024, 5, 14, 11, 51, 0)));
    EXPECT_TRUE(c.Tick(Local(2024, 5, 14, 11, 52, 0)));
    // Across midnight as on any other minute.
    EXPECT_EQ(c.Run(Local(2024, 5, 15, 0, 7, 0), 60), 49);
    // The clock set back before the last run: counting starts again from there.
    EXPECT_FALSE(c.Tick(Local(2024, 5, 14, 8, 0, 0)));
    EXPECT_EQ(c.Run(Local(2024, 5, 14, 8, 14, 50)), 0);
    EXPECT_TRUE(c.Tick(Local(2024, 5, 14, 8, 15, 0)));
}

TEST(ScheduleTick, IdleFiresOnceUntilTheUserIsActive) {
    ScheduleEntry e = Entry(stIdle);
    e.interval = 5;
    ScheduleTable table;
    table.entries.push_back(e);
    TickTime previous = MakeTickTime(Local(2024, 5, 14, 9));
    int fired = 0;
    std::uint32_t idle = 0;
    int firstAt = 0;
    for (int tick = 1; tick <= 60; ++tick) {
        idle += 10;
        const TickTime now = MakeTickTime(Local(2024, 5, 14, 9) + tick * 10 / 86400.0);
        const TickOutcome out = CheckOutTimerMacros(table, previous, now, idle);
        previous = now;
        if (!out.due.empty()) {
            EXPECT_TRUE(out.idleFired);
            if (!fired) firstAt = int(idle);
            ++fired;
        }
    }
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(firstAt, 310);
    // The user is active (WM_USER_ACTIVE): it may fire again.
    table.entries.front().idleFired = false;
    EXPECT_EQ(CheckOutTimerMacros(table, previous, previous, 310).due.size(), 1u);
    EXPECT_EQ(CheckOutTimerMacros(table, previous, previous, 320).due.size(), 0u);
}

TEST(ScheduleTick, DamagedFieldsNeverFire) {
    std::vector<ScheduleEntry> damaged;
    damaged.push_back(Entry(stWeekdays, 25, 0));  // hour 13 PM
    for (auto& f : damaged.back().days) f = 1;
    damaged.push_back(Entry(stOnce, 10, 0));  // month 0
    damaged.back().year = 2024;
    damaged.back().day = 14;
    damaged.push_back(Entry(9, 10, 0));
    damaged.push_back(Entry(stEveryMinutes));  // interval 0
    damaged.push_back(Entry(stIdle));          // interval 0
    damaged.push_back(Entry(stHourly));
    damaged.back().minutePastHour = 75;
    damaged.push_back(Entry(stWeekly, 10, 0));
    damaged.back().weekday = 0;
    for (const ScheduleEntry& e : damaged) {
        Clock c(e, Local(2024, 5, 13));
        int fired = 0;
        for (int i = 1; i <= 3 * 1440; ++i) fired += c.Tick(Local(2024, 5, 13) + i / 1440.0, i * 60);
        EXPECT_EQ(fired, 0) << "type " << e.type;
    }
}

// Daylight saving time: the tick sees local wall-clock time.
class DaylightSaving : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const char* old = std::getenv("TZ");
        oldTz_ = old ? old : "";
        hadTz_ = old != nullptr;
        ::setenv("TZ", GetParam(), 1);
        ::tzset();
    }
    void TearDown() override {
        if (hadTz_)
            ::setenv("TZ", oldTz_.c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    // Ticks every 10 s of real time from `from` for `seconds`; the firings.
    static int RunReal(Clock& c, std::chrono::system_clock::time_point from, int seconds) {
        int fired = 0;
        for (int s = 10; s <= seconds; s += 10)
            fired += c.Tick(win::FromTimePoint(from + std::chrono::seconds(s)));
        return fired;
    }
    static std::chrono::system_clock::time_point Utc(int y, int mo, int d, int h, int mi) {
        std::tm t{};
        t.tm_year = y - 1900, t.tm_mon = mo - 1, t.tm_mday = d, t.tm_hour = h, t.tm_min = mi;
        return std::chrono::system_clock::from_time_t(::timegm(&t));
    }
    std::string oldTz_;
    bool hadTz_ = false;
};

TEST_P(DaylightSaving, ASkippedTimeFiresAfterTheGapAndARepeatedTimeOnce) {
    const bool berlin = std::string(GetParam()) == "Europe/Berlin";
    // Spring: Berlin skips 02:00-03:00 on 31 March 2024 (01:00 UTC), New York on
    // 10 March 2024 (07:00 UTC).
    const auto spring = berlin ? Utc(2024, 3, 31, 0, 0) : Utc(2024, 3, 10, 6, 0);
    ScheduleEntry skipped = Entry(stWeekdays, 2, 30);
    for (auto& f : skipped.days) f = 1;
    Clock s(skipped, win::FromTimePoint(spring));
    EXPECT_EQ(RunReal(s, spring, 3 * 3600), 1);

    // Autumn: 02:00-03:00 (Berlin, 27 October, 01:00 UTC) or 01:00-02:00 (New York,
    // 3 November, 06:00 UTC) comes twice.
    const auto autumn = berlin ? Utc(2024, 10, 26, 23, 0) : Utc(2024, 11, 3, 4, 0);
    ScheduleEntry repeated = Entry(stWeekdays, berlin ? 2 : 1, 30);
    for (auto& f : repeated.days) f = 1;
    Clock a(repeated, win::FromTimePoint(autumn));
    EXPECT_EQ(RunReal(a, autumn, 4 * 3600), 1);

    ScheduleEntry every = Entry(stEveryMinutes);
    every.interval = 30;
    Clock e(every, win::FromTimePoint(autumn));
    // Four real hours with one wall-clock hour repeated: the clock going back restarts
    // the count once, and nothing fires twice in a row.
    const int fired = RunReal(e, autumn, 4 * 3600);
    EXPECT_GE(fired, 5);
    EXPECT_LE(fired, 7);
}

INSTANTIATE_TEST_SUITE_P(Zones, DaylightSaving, ::testing::Values("Europe/Berlin", "America/New_York"));

}  // namespace
}  // namespace tessaro
