#include "macro/schedule_checks.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace tessaro {

namespace {

constexpr const char* kInvalidHour = "Invalid hour specified.";
constexpr const char* kInvalidMinute = "Invalid minute specified.";
constexpr const char* kInvalidDay = "Invalid day of month specified.";
constexpr const char* kElapsed = "Specified date has already elapsed.";
constexpr const char* kInvalidMinutes = "Invalid minutes specified.";
constexpr const char* kInvalidInterval = "Invalid minutes specified.  Must be between 1 and 720.";
constexpr const char* kInvalidIdle = "Invalid minutes specified.  Must be between 1 and 90.";
constexpr long kBeyond = 1'000'000;  // any larger number is just as wrong

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

// The value of the leading digits; an empty box or one without leading digits is 0.
long LeadingDigits(std::string_view text) {
    long value = 0;
    for (char c : Trim(text)) {
        if (c < '0' || c > '9') break;
        value = std::min(kBeyond, value * 10 + (c - '0'));
    }
    return value;
}

// A whole decimal integer with an optional sign; nothing when the text is not one.
std::optional<long> ToInteger(std::string_view text) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = std::min(kBeyond, value * 10 + (c - '0'));
    }
    return negative ? -value : value;
}

ScheduleCheck Fail(const char* message, ScheduleFocus focus) {
    ScheduleCheck check;
    check.message = message;
    check.focus = focus;
    return check;
}

bool InRange(const std::optional<long>& v, long low, long high) { return v && *v >= low && *v <= high; }

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

ScheduleCheck CheckSchedule(const TMacroRecord& current, const ScheduleForm& form, CalendarDate today) {
    TMacroRecord r = current;
    if (form.kind >= 0 && form.kind <= 7) r.ScheduleType = static_cast<std::uint16_t>(form.kind);
    for (int i = 0; i < 7; ++i) r.ScheduleDays[i] = form.days[i] ? 1 : 0;
    const int kind = form.kind;
    const bool timeOfDay = kind == 1 || kind == 3 || kind == 4 || kind == 5;

    if (timeOfDay) {
        const long hour = LeadingDigits(form.hour);
        if (hour < 1 || hour > 12) return Fail(kInvalidHour, ScheduleFocus::Hour);
        const long minute = LeadingDigits(form.minute);
        if (minute >= 60) return Fail(kInvalidMinute, ScheduleFocus::Minute);
        r.ScheduleHour = static_cast<std::uint8_t>(hour);
        r.ScheduleMinute = static_cast<std::uint8_t>(minute);
    }
    switch (kind) {
        case 1: {
            const long year = std::min<long>(LeadingDigits(form.year), 65535);
            const int month = std::clamp(form.monthIndex, 0, 11) + 1;
            const std::optional<long> day = ToInteger(form.onceDay);
            if (!InRange(day, 1, DaysInMonth(int(year), month)))
                return Fail(kInvalidDay, ScheduleFocus::OnceDay);
            const bool yearEarlier = year < today.year;
            const bool monthEarlier = year == today.year && month < today.month;
            const bool dayEarlier = year == today.year && month == today.month && *day < today.day;
            if (yearEarlier) return Fail(kElapsed, ScheduleFocus::Year);
            if (monthEarlier) return Fail(kElapsed, ScheduleFocus::Month);
            if (dayEarlier) return Fail(kElapsed, ScheduleFocus::OnceDay);
            r.ScheduleYear = static_cast<std::uint16_t>(year);
            r.ScheduleMonth = static_cast<std::uint8_t>(month);
            r.ScheduleDay = static_cast<std::uint8_t>(*day);
            break;
        }
        case 2: {
            // Negative minutes would be stored as a byte over 200.
            const std::optional<long> minutes = ToInteger(form.hourlyMinutes);
            if (!InRange(minutes, 0, 59)) return Fail(kInvalidMinutes, ScheduleFocus::HourlyMinutes);
            r.MinutePastHour = static_cast<std::uint8_t>(*minutes);
            break;
        }
        case 4: r.ScheduleWeekDay = static_cast<std::uint8_t>(std::clamp(form.weekdayIndex, 0, 6) + 1); break;
        case 5: {
            const std::optional<long> day = ToInteger(form.monthlyDay);
            if (!InRange(day, 1, 31)) return Fail(kInvalidDay, ScheduleFocus::MonthlyDay);
            r.ScheduleDay = static_cast<std::uint8_t>(*day);
            break;
        }
        case 6: {
            const std::optional<long> minutes = ToInteger(form.otherMinutes);
            if (!InRange(minutes, 1, 720)) return Fail(kInvalidInterval, ScheduleFocus::OtherMinutes);
            r.IntervalMinutes = static_cast<std::uint16_t>(*minutes);
            break;
        }
        case 7: {
            const std::optional<long> minutes = ToInteger(form.idleMinutes);
            if (!InRange(minutes, 1, 90)) return Fail(kInvalidIdle, ScheduleFocus::IdleMinutes);
            r.IntervalMinutes = static_cast<std::uint16_t>(*minutes);
            break;
        }
        default: break;
    }
    if (timeOfDay) r.SchedulePM = form.pm ? 1 : 0;
    ScheduleCheck check;
    check.ok = true;
    check.fields = r;
    return check;
}

}  // namespace tessaro
