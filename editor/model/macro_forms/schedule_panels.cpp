#include "editor/model/macro_forms/schedule_panels.h"

#include <algorithm>

#include "foundation/strings.h"

namespace tessaro {

SchedulePanels LoadSchedulePanels(const TMacroRecord& rec) {
    SchedulePanels p;
    p.kind = rec.ScheduleType <= 7 ? int(rec.ScheduleType) : -1;
    for (int i = 0; i < 7; ++i) p.days[i] = rec.ScheduleDays[i] != 0;
    std::string minute = std::to_string(rec.ScheduleMinute);
    if (minute.size() == 1) minute = "0" + minute;
    p.hour.fill(std::to_string(rec.ScheduleHour));
    p.minute.fill(minute);
    p.pm = rec.SchedulePM != 0;
    p.monthIndex = int(rec.ScheduleMonth) - 1;
    p.onceDay = p.monthlyDay = std::to_string(rec.ScheduleDay);
    p.year = std::to_string(rec.ScheduleYear);
    p.hourlyMinutes = std::to_string(rec.MinutePastHour);
    p.weekdayIndex = int(rec.ScheduleWeekDay) - 1;
    p.otherMinutes = p.idleMinutes = std::to_string(rec.IntervalMinutes);
    return p;
}

int TimePanelOfKind(int kind) {
    switch (kind) {
        case 1: return int(TimePanel::Once);
        case 3: return int(TimePanel::Daily);
        case 4: return int(TimePanel::Weekly);
        case 5: return int(TimePanel::Monthly);
        default: return -1;
    }
}

ScheduleForm FormOfPanels(const SchedulePanels& panels, const std::array<bool, 4>& pmByPanel) {
    ScheduleForm f;
    f.kind = panels.kind;
    std::copy(std::begin(panels.days), std::end(panels.days), std::begin(f.days));
    const int panel = TimePanelOfKind(panels.kind);
    if (panel >= 0) {
        f.hour = panels.hour[std::size_t(panel)];
        f.minute = panels.minute[std::size_t(panel)];
        f.pm = pmByPanel[std::size_t(panel)];
    }
    f.monthIndex = panels.monthIndex;
    f.onceDay = panels.onceDay;
    f.year = panels.year;
    f.hourlyMinutes = panels.hourlyMinutes;
    f.weekdayIndex = panels.weekdayIndex;
    f.monthlyDay = panels.monthlyDay;
    f.otherMinutes = panels.otherMinutes;
    f.idleMinutes = panels.idleMinutes;
    return f;
}

bool AmPmIsPm(std::string_view comboText) {
    const std::string t = TrimBlanks(comboText);
    return t.size() == 2 && (t[0] == 'P' || t[0] == 'p') && (t[1] == 'M' || t[1] == 'm');
}

SpinBounds BoundsOf(SpinBox box) {
    switch (box) {
        case SpinBox::OnceDay:
        case SpinBox::MonthlyDay: return {1, 31};
        case SpinBox::OnceYear: return {1, 9999};  // the box holds four digits
        case SpinBox::HourlyMinutes: return {0, 59};
        case SpinBox::OtherMinutes: return {1, 720};
        case SpinBox::IdleMinutes: return {1, 90};
    }
    return {0, 0};
}

std::string SpinStep(SpinBox box, std::string_view text, int direction) {
    const SpinBounds b = BoundsOf(box);
    const long value = IntegerValue(TrimBlanks(text));
    return std::to_string(std::clamp<long>(value + (direction > 0 ? 1 : -1), b.low, b.high));
}

}  // namespace tessaro
