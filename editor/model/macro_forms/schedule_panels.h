#pragma once
// The schedule dialog's controls as loaded from a macro record, the spin buttons and the
// reading of its AM/PM boxes. The checks of its Update are CheckSchedule (macro/).
#include <array>
#include <string>
#include <string_view>

#include "macro/macro_record.h"
#include "macro/schedule_checks.h"

namespace tessaro {

// The four panels with a time of day, in the order of their hour, minute and AM/PM boxes.
enum class TimePanel { Once = 0, Daily = 1, Weekly = 2, Monthly = 3 };

struct SchedulePanels {
    int kind = -1;  // -1: no kind button checked
    bool days[7] = {};
    std::array<std::string, 4> hour, minute;  // by TimePanel
    bool pm = false;                          // all four AM/PM boxes
    int monthIndex = 0;
    std::string onceDay, year, hourlyMinutes;
    int weekdayIndex = 0;
    std::string monthlyDay, otherMinutes, idleMinutes;
};

SchedulePanels LoadSchedulePanels(const TMacroRecord& rec);

// The time panel a kind reads (kinds 1, 3, 4, 5); -1 for the others.
int TimePanelOfKind(int kind);

// The form that Update checks: the shared parts plus the time boxes of the chosen kind's
// panel and whether its AM/PM box says PM.
ScheduleForm FormOfPanels(const SchedulePanels& panels, const std::array<bool, 4>& pmByPanel);

// An AM/PM box counts as PM when "PM" is chosen or typed (any case, blanks around).
bool AmPmIsPm(std::string_view comboText);

enum class SpinBox { OnceDay, OnceYear, MonthlyDay, HourlyMinutes, OtherMinutes, IdleMinutes };
struct SpinBounds {
    int low, high;
};
SpinBounds BoundsOf(SpinBox box);
// One step of a spin button (+1 up, -1 down) on the box's text, kept within the bounds.
std::string SpinStep(SpinBox box, std::string_view text, int direction);

inline constexpr int kYearDigits = 4;
inline constexpr int kTimeDigits = 2;

}  // namespace tessaro
