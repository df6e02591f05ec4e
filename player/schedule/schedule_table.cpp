#include "player/schedule/schedule_table.h"

#include <algorithm>
#include <iterator>

#include "macro/macro_record.h"
#include "protocol/glob_data.h"

namespace tessaro {

ScheduleTable BuildScheduleTable(const TGlobData& glob, ScheduleRecords& records, std::int64_t nowMs) {
    ScheduleTable table;
    const int count = std::min<int>(glob.MacroCount, kMaxMacros);
    for (int n = 1; n <= count; ++n) {
        if (!glob.Enabled[n] || glob.ActivationCode[n] != acScheduled) continue;
        TMacroRecord rec{};
        if (!records.ReadMacro(n, rec)) continue;
        if (rec.ScheduleType == stIdle) table.hasIdle = true;
        if (rec.ScheduleType == stStartUp) continue;
        ScheduleEntry e;
        e.macro = static_cast<std::uint16_t>(n);
        e.type = rec.ScheduleType;
        std::copy(std::begin(rec.ScheduleDays), std::end(rec.ScheduleDays), e.days);
        e.month = rec.ScheduleMonth;
        e.day = rec.ScheduleDay;
        e.minutePastHour = rec.MinutePastHour;
        e.interval = rec.IntervalMinutes;
        e.weekday = rec.ScheduleWeekDay;
        e.year = rec.ScheduleYear;
        e.timeOfDayMs = (std::int64_t(ScheduleHour24(rec)) * 60 + rec.ScheduleMinute) * 60'000;
        e.lastRunMs = nowMs;
        table.entries.push_back(e);
    }
    return table;
}

}  // namespace tessaro
