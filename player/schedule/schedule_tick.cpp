#include "player/schedule/schedule_tick.h"

#include <cmath>

#include "platform/datetime.h"

namespace tessaro {

namespace {

constexpr std::int64_t kMinuteMs = 60'000;
constexpr std::int64_t kDayMs = 1440 * kMinuteMs;

// The date a time-of-day entry is due for in (previous, now], or 0. On a new day the
// rest of the previous day counts too, for an entry that fits that day.
template <typename Fits>
std::int32_t DueDate(const ScheduleEntry& e, const TickTime& previous, const TickTime& now, Fits&& fits) {
    const std::int64_t at = e.timeOfDayMs;
    if (at < 0 || at >= kDayMs) return 0;  // a damaged hour
    if (now.date() == previous.date())
        return fits(now) && previous.timeOfDayMs() < at && at <= now.timeOfDayMs() ? now.date() : 0;
    if (fits(now) && at <= now.timeOfDayMs()) return now.date();
    if (now.date() > previous.date() && fits(previous) && at > previous.timeOfDayMs()) return previous.date();
    return 0;
}

bool HourlyDue(const ScheduleEntry& e, const TickTime& previous, const TickTime& now) {
    if (e.minutePastHour == 0) return now.hour != previous.hour;
    const auto withinHour = [](const TickTime& t) {
        return (std::int64_t(t.minute) * 60 + t.second) * 1000 + t.millisecond;
    };
    const std::int64_t at = e.minutePastHour * kMinuteMs;
    return withinHour(previous) < at && at <= withinHour(now);
}

bool EveryMinutesDue(ScheduleEntry& e, const TickTime& now) {
    const std::int64_t interval = e.interval * kMinuteMs;
    if (interval <= 0) return false;
    if (now.ms < e.lastRunMs) {
        // The clock went back before the last run: count afresh from now.
        e.lastRunMs = now.ms;
        return false;
    }
    if (now.ms - e.lastRunMs < interval) return false;
    e.lastRunMs += interval;
    // More than one interval behind (a suspend, the clock set forward): once, then on
    // from now.
    if (now.ms - e.lastRunMs >= interval) e.lastRunMs = now.ms;
    return true;
}

}  // namespace

TickTime MakeTickTime(double dateTime) {
    const win::DateTimeParts p = win::DecodeDateTime(dateTime);
    TickTime t;
    t.ms = std::llround(dateTime * 86'400'000.0);
    t.year = p.year;
    t.month = p.month;
    t.day = p.day;
    t.hour = p.hour;
    t.minute = p.minute;
    t.second = p.second;
    t.millisecond = p.millisecond;
    t.weekday = win::DayOfWeek(dateTime);
    return t;
}

TickOutcome CheckOutTimerMacros(ScheduleTable& table, const TickTime& previous, const TickTime& now,
                                std::uint32_t idleSeconds) {
    TickOutcome out;
    for (ScheduleEntry& e : table.entries) {
        std::int32_t date = 0;
        bool due = false;
        switch (e.type) {
            case stOnce:
                date = DueDate(e, previous, now, [&](const TickTime& t) {
                    return t.year == e.year && t.month == e.month && t.day == e.day;
                });
                break;
            case stHourly: due = HourlyDue(e, previous, now); break;
            case stWeekdays:
                date = DueDate(e, previous, now, [&](const TickTime& t) {
                    // Day flags run Monday .. Sunday; weekdays count from Sunday = 1.
                    return t.weekday >= 1 && t.weekday <= 7 && e.days[(t.weekday + 5) % 7] != 0;
                });
                break;
            case stWeekly:
                date = DueDate(e, previous, now, [&](const TickTime& t) { return t.weekday == e.weekday; });
                break;
            case stMonthly:
                date = DueDate(e, previous, now, [&](const TickTime& t) { return t.day == e.day; });
                break;
            case stEveryMinutes: due = EveryMinutesDue(e, now); break;
            case stIdle:
                if (!e.idleFired && e.interval > 0 && std::uint64_t(e.interval) * 60 < idleSeconds) {
                    e.idleFired = true;
                    out.idleFired = true;
                    due = true;
                }
                break;
            default: break;  // a damaged type never fires
        }
        if (date != 0 && date > e.firedDate) {
            e.firedDate = date;
            due = true;
        }
        if (due) out.due.push_back(e);
    }
    return out;
}

}  // namespace tessaro
