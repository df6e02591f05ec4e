#pragma once
// The checks of the schedule dialog's Update: the controls as the user left them in, the
// complete schedule fields (or the first failure, with its text and the control to mend)
// out. Nothing is written until every check passed.
#include <cstdint>
#include <string>

#include "macro/macro_record.h"

namespace tessaro {

// The controls of the schedule dialog that the checks read. Texts are taken as typed.
struct ScheduleForm {
    int kind = -1;      // the checked kind button 0..7; -1 when none is checked
    bool days[7] = {};  // Monday .. Sunday
    // The hour, minute and AM/PM of the chosen kind's panel (Once, Daily, Weekly, Monthly).
    std::string hour, minute;
    bool pm = false;
    // Once.
    int monthIndex = 0;  // 0 January .. 11 December
    std::string onceDay, year;
    std::string hourlyMinutes;
    int weekdayIndex = 0;  // 0 Sunday .. 6 Saturday
    std::string monthlyDay;
    std::string otherMinutes, idleMinutes;
};

enum class ScheduleFocus {
    None,
    Hour,
    Minute,
    OnceDay,
    Year,
    Month,
    HourlyMinutes,
    MonthlyDay,
    OtherMinutes,
    IdleMinutes,
};

struct ScheduleCheck {
    bool ok = false;
    std::string message;  // shown in a box titled "Error"
    ScheduleFocus focus = ScheduleFocus::None;
    TMacroRecord fields;  // when ok: the record with every schedule field to store
};

struct CalendarDate {
    int year = 0, month = 0, day = 0;
};

// Gregorian: 2000 is a leap year, 2100 is not.
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Checks `form` in the dialog's order against `today`; `current` gives the fields that
// the chosen kind does not write.
ScheduleCheck CheckSchedule(const TMacroRecord& current, const ScheduleForm& form, CalendarDate today);

}  // namespace tessaro
