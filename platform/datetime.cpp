#include "platform/datetime.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace win {
namespace {

using namespace std::chrono;

constexpr long long kMsPerDay = 86'400'000;
constexpr sys_days kEpoch = sys_days(year{1899} / December / 30);
// 0001-01-01 and 9999-12-31: a damaged stored value is held to these days.
constexpr double kFirstDay = -693593;
constexpr double kLastDay = 2958465;

}  // namespace

bool TryEncodeDateTime(const DateTimeParts& p, double& out) {
    if (p.year < 1 || p.year > 9999 || p.month < 1 || p.month > 12) return false;
    const year_month_day ymd{year{p.year}, month{static_cast<unsigned>(p.month)},
                             day{static_cast<unsigned>(p.day < 1 ? 0 : p.day)}};
    if (!ymd.ok()) return false;
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 || p.second > 59 ||
        p.millisecond < 0 || p.millisecond > 999)
        return false;
    const double days = static_cast<double>((sys_days(ymd) - kEpoch).count());
    const double time =
        static_cast<double>(((p.hour * 60LL + p.minute) * 60 + p.second) * 1000 + p.millisecond) / kMsPerDay;
    out = days >= 0 ? days + time : days - time;
    return true;
}

DateTimeParts DecodeDateTime(double dateTime) {
    if (std::isnan(dateTime)) return {};
    if (dateTime <= kFirstDay - 1) return {1, 1, 1, 0, 0, 0, 0};
    if (dateTime >= kLastDay + 1) return {9999, 12, 31, 23, 59, 59, 999};
    double whole = std::trunc(dateTime);
    long long ms = std::llround(std::fabs(dateTime - whole) * kMsPerDay);
    if (ms >= kMsPerDay) {  // rounds up to the next midnight
        ms -= kMsPerDay;
        whole += 1;
        if (whole > kLastDay) return {9999, 12, 31, 23, 59, 59, 999};
    }
    const year_month_day ymd{kEpoch + days{static_cast<long long>(whole)}};
    DateTimeParts p;
    p.year = static_cast<int>(ymd.year());
    p.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    p.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
    p.hour = static_cast<int>(ms / 3'600'000);
    p.minute = static_cast<int>(ms / 60'000 % 60);
    p.second = static_cast<int>(ms / 1000 % 60);
    p.millisecond = static_cast<int>(ms % 1000);
    return p;
}

int DayOfWeek(double dateTime) {
    const DateTimeParts p = DecodeDateTime(dateTime);
    const sys_days d{year{p.year} / month{static_cast<unsigned>(p.month)} /
                     day{static_cast<unsigned>(p.day)}};
    return static_cast<int>(weekday{d}.c_encoding()) + 1;
}

double FromTimePoint(system_clock::time_point tp) {
    const auto ms = floor<milliseconds>(tp.time_since_epoch()).count();
    const std::time_t t = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    std::tm tm{};
    localtime_r(&t, &tm);
    DateTimeParts p{tm.tm_year + 1900,
                    tm.tm_mon + 1,
                    tm.tm_mday,
                    tm.tm_hour,
                    tm.tm_min,
                    tm.tm_sec > 59 ? 59 : tm.tm_sec,
                    static_cast<int>(ms - static_cast<long long>(t) * 1000)};
    double out = 0;
    TryEncodeDateTime(p, out);
    return out;
}

system_clock::time_point ToTimePoint(double dateTime) {
    const DateTimeParts p = DecodeDateTime(dateTime);
    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    tm.tm_isdst = -1;
    // The clock counts nanoseconds in 64 bits (the years 1678 to 2262); a date beyond them
    // (a damaged record) is held to its ends instead of overflowing.
    constexpr long long kLimit = duration_cast<seconds>(system_clock::duration::max()).count() - 1;
    const long long secs = std::clamp<long long>(std::mktime(&tm), -kLimit, kLimit);
    return system_clock::time_point(duration_cast<system_clock::duration>(seconds(secs))) +
           milliseconds(p.millisecond);
}

double Now() { return FromTimePoint(system_clock::now()); }

}  // namespace win
