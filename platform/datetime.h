#pragma once
// Date-times as the records store them: days since 1899-12-30 00:00 local time, the
// fraction being the time of day. Before that day the whole part is negative and the
// fraction still counts forward from midnight (-1.25 is 1899-12-29 06:00).
#include <chrono>

namespace win {

struct DateTimeParts {
    int year = 1899;
    int month = 12;  // 1..12
    int day = 30;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// False (and `out` untouched) when a part is out of range (month 13, 31 April, hour 24 ...).
bool TryEncodeDateTime(const DateTimeParts& parts, double& out);

// The parts of a date-time, rounded to the millisecond. Values before 0001-01-01 or after
// 9999-12-31 (damaged records) give those days; NaN gives 1899-12-30.
DateTimeParts DecodeDateTime(double dateTime);

// 1 = Sunday .. 7 = Saturday.
int DayOfWeek(double dateTime);

// Conversions through the local time zone. The clock holds the years 1678 to 2262; a date
// outside them converts to the nearest end of that range.
double FromTimePoint(std::chrono::system_clock::time_point tp);
std::chrono::system_clock::time_point ToTimePoint(double dateTime);

// The current local date and time.
double Now();

}  // namespace win
