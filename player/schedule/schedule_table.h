#pragma once
// The schedule table: one entry per enabled timed macro (other than the start-up ones),
// rebuilt from the macro records whenever the macros may have changed.
#include <cstdint>
#include <vector>

namespace tessaro {

struct TGlobData;
struct TMacroRecord;

// Schedule types of the macro record.
enum ScheduleType : std::uint16_t {
    stStartUp = 0,
    stOnce = 1,
    stHourly = 2,
    stWeekdays = 3,
    stWeekly = 4,
    stMonthly = 5,
    stEveryMinutes = 6,
    stIdle = 7,
};

struct ScheduleEntry {
    std::uint16_t macro = 0;
    std::uint16_t type = 0;
    std::uint8_t days[7] = {};  // Monday .. Sunday
    std::uint8_t month = 0;
    std::uint8_t day = 0;
    std::uint8_t minutePastHour = 0;
    std::uint16_t interval = 0;  // minutes
    std::uint8_t weekday = 0;    // 1 Sunday .. 7 Saturday
    std::uint16_t year = 0;
    std::int64_t timeOfDayMs = 0;  // from the 12-hour clock of the record
    std::int64_t lastRunMs = 0;    // every n minutes: local wall-clock milliseconds
    bool idleFired = false;
    // The last date (yyyymmdd) a time-of-day entry fired for: once per date, also when the
    // clock goes back.
    std::int32_t firedDate = 0;
};

struct ScheduleTable {
    std::vector<ScheduleEntry> entries;  // at most one per macro, in file order
    bool hasIdle = false;                // an enabled idle-time macro exists
};

// Reads a macro's record for the table; false when it cannot be read.
class ScheduleRecords {
public:
    virtual ~ScheduleRecords() = default;
    virtual bool ReadMacro(int n, TMacroRecord& rec) = 0;
};

// The table as of `nowMs` (local wall-clock milliseconds since 1899-12-30): every enabled
// macro with the scheduled activation and a type other than start-up.
ScheduleTable BuildScheduleTable(const TGlobData& glob, ScheduleRecords& records, std::int64_t nowMs);

}  // namespace tessaro
