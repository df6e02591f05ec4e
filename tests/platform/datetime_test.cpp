#include "platform/datetime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>

namespace {

double Encode(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    double v = -1e9;
    EXPECT_TRUE(win::TryEncodeDateTime({y, mo, d, h, mi, s, ms}, v));
    return v;
}

void ExpectParts(double v, int y, int mo, int d, int h, int mi, int s, int ms) {
    const win::DateTimeParts p = win::DecodeDateTime(v);
    EXPECT_EQ(p.year, y);
    EXPECT_EQ(p.month, mo);
    EXPECT_EQ(p.day, d);
    EXPECT_EQ(p.hour, h);
    EXPECT_EQ(p.minute, mi);
    EXPECT_EQ(p.second, s);
    EXPECT_EQ(p.millisecond, ms);
}

TEST(DateTime, KnownDays) {
    EXPECT_DOUBLE_EQ(Encode(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(Encode(1899, 12, 31, 12), 1.5);
    EXPECT_DOUBLE_EQ(Encode(1900, 3, 1), 61.0);  // no 29 February 1900
    EXPECT_DOUBLE_EQ(Encode(2000, 1, 1), 36526.0);
    EXPECT_DOUBLE_EQ(Encode(1899, 12, 29, 6), -1.25);  // fraction counts forward before the epoch
    ExpectParts(-1.25, 1899, 12, 29, 6, 0, 0, 0);
    ExpectParts(36526.75, 2000, 1, 1, 18, 0, 0, 0);
}

TEST(DateTime, RoundTripAcrossLeapDaysAndMilliseconds) {
    for (int y : {1, 1600, 1899, 1900, 1999, 2000, 2024, 9999}) {
        for (int mo : {1, 2, 12}) {
            const int d = (mo == 2 && y % 4 == 0 && (y % 100 != 0 || y % 400 == 0)) ? 29 : 28;
            SCOPED_TRACE(y * 100 + mo);
            ExpectParts(Encode(y, mo, d, 23, 59, 59, 999), y, mo, d, 23, 59, 59, 999);
            ExpectParts(Encode(y, mo, 1, 0, 0, 0, 1), y, mo, 1, 0, 0, 0, 1);
        }
    }
}

TEST(DateTime, AlmostMidnightRoundsIntoTheNextDay) {
    ExpectParts(1.0 - 1e-10, 1899, 12, 31, 0, 0, 0, 0);
    ExpectParts(-1.0 - (1.0 - 1e-10), 1899, 12, 30, 0, 0, 0, 0);
}

TEST(DateTime, DamagedValuesDecodeWithinTheCalendar) {
    ExpectParts(1e300, 9999, 12, 31, 23, 59, 59, 999);
    ExpectParts(2958465.99999999999, 9999, 12, 31, 23, 59, 59, 999);
    ExpectParts(-1e300, 1, 1, 1, 0, 0, 0, 0);
    ExpectParts(std::numeric_limits<double>::infinity(), 9999, 12, 31, 23, 59, 59, 999);
    ExpectParts(std::numeric_limits<double>::quiet_NaN(), 1899, 12, 30, 0, 0, 0, 0);
    EXPECT_EQ(win::DayOfWeek(1e300), win::DayOfWeek(2958465));
}

TEST(DateTime, OutOfRangePartsAreRefused) {
    double v = 7.0;
    EXPECT_FALSE(win::TryEncodeDateTime({2023, 2, 29, 0, 0, 0, 0}, v));
    EXPECT_FALSE(win::TryEncodeDateTime({2024, 4, 31, 0, 0, 0, 0}, v));
    EXPECT_FALSE(win::TryEncodeDateTime({2024, 13, 1, 0, 0, 0, 0}, v));
    EXPECT_FALSE(win::TryEncodeDateTime({2024, 1, 0, 0, 0, 0, 0}, v));
    EXPECT_FALSE(win::TryEncodeDateTime({2024, 1, 1, 24, 0, 0, 0}, v));
    EXPECT_FALSE(win::TryEncodeDateTime({2024, 1, 1, 0, 60, 0, 0}, v));
    EXPECT_FALSE(win::TryEncodeDateTime({2024, 1, 1, 0, 0, 0, 1000}, v));
    EXPECT_FALSE(win::TryEncodeDateTime({0, 1, 1, 0, 0, 0, 0}, v));
    EXPECT_EQ(v, 7.0);
}

TEST(DateTime, DayOfWeekStartsOnSunday) {
    EXPECT_EQ(win::DayOfWeek(0.0), 7);                 // 1899-12-30 was a Saturday
    EXPECT_EQ(win::DayOfWeek(Encode(2024, 6, 2)), 1);  // a Sunday
    EXPECT_EQ(win::DayOfWeek(Encode(2024, 6, 5, 23)), 4);
    EXPECT_EQ(win::DayOfWeek(-1.25), 6);
}

class LocalTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        saved_ = tz ? tz : "";
        hadTz_ = tz != nullptr;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    void TearDown() override {
        hadTz_ ? setenv("TZ", saved_.c_str(), 1) : unsetenv("TZ");
        tzset();
    }
    std::string saved_;
    bool hadTz_ = false;
};

TEST_F(LocalTimeTest, TimePointsGoThroughLocalTime) {
    using namespace std::chrono;
    // 2024-07-01 10:00:00.250 UTC is 12:00:00.250 in summer time in Berlin.
    const auto tp = sys_days(year{2024} / July / 1) + hours(10) + milliseconds(250);
    const double v = win::FromTimePoint(tp);
    ExpectParts(v, 2024, 7, 1, 12, 0, 0, 250);
    EXPECT_EQ(win::ToTimePoint(v), tp);
    // Winter time: one hour ahead only.
    const auto winter = sys_days(year{2024} / January / 15) + hours(23) + minutes(30);
    ExpectParts(win::FromTimePoint(winter), 2024, 1, 16, 0, 30, 0, 0);
    EXPECT_EQ(win::ToTimePoint(win::FromTimePoint(winter)), winter);
}

TEST_F(LocalTimeTest, DatesBeyondTheClocksRangeAreHeldToItsEnds) {
    using namespace std::chrono;
    // Years 1 and 9999 (and a damaged record's huge values) overflowed the nanosecond clock.
    for (double v : {-693593.0, -200000.0, 2958465.5, 1e300}) {
        const auto tp = win::ToTimePoint(v);
        const auto secs = duration_cast<seconds>(tp.time_since_epoch()).count();
        const bool late = v > 0;
        EXPECT_EQ(secs > 0, late) << v;
        EXPECT_GT(std::llabs(secs), 9'000'000'000LL) << v;  // beyond 2255 / before 1684
    }
    // Inside the range nothing changes.
    const double y2200 = 109574.5;  // 2199-12-31 12:00 local time
    ExpectParts(win::FromTimePoint(win::ToTimePoint(y2200)), 2199, 12, 31, 12, 0, 0, 0);
}

TEST_F(LocalTimeTest, NowIsTheClockInLocalTime) {
    const double before = win::FromTimePoint(std::chrono::system_clock::now());
    const double now = win::Now();
    const double after = win::FromTimePoint(std::chrono::system_clock::now());
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
}

}  // namespace
