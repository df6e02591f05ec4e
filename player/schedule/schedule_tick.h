#pragma once
// One scheduler tick: which entries of the table are due between the previous tick and
// this one. Time-of-day kinds compare local wall-clock time.
#include <cstdint>
#include <vector>

#include "player/schedule/schedule_table.h"

namespace tessaro {

struct TickTime {
    std::int64_t ms = 0;  // local wall-clock milliseconds since 1899-12-30
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    int weekday = 7;  // 1 Sunday .. 7 Saturday

    std::int64_t timeOfDayMs() const {
        return ((std::int64_t(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
    }
    std::int32_t date() const { return year * 10000 + month * 100 + day; }
};

// A stored date-time (days since 1899-12-30, local) as the tick sees it.
TickTime MakeTickTime(double dateTime);

struct TickOutcome {
    std::vector<ScheduleEntry> due;  // in table order
    bool idleFired = false;          // an idle-time entry fired: IdleFired is to be set
};

// Marks what fires in `table` (last run, idle and date marks) and returns it.
TickOutcome CheckOutTimerMacros(ScheduleTable& table, const TickTime& previous, const TickTime& now,
                                std::uint32_t idleSeconds);

}  // namespace tessaro
