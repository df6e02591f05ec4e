// The schedule dialog's Update checks as a table: what each entry stores, which message a
// bad entry gets and where the focus goes; a failed check writes nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "macro/schedule_checks.h"
#include "tests/support/unpacked.h"

namespace tessaro {
namespace {

constexpr CalendarDate kToday{2024, 5, 14};

struct Case {
    const char* name;
    std::function<void(ScheduleForm&)> fill;
    const char* message;  // nullptr: accepted
    ScheduleFocus focus;
    std::function<void(const TMacroRecord&)> stored;
};

ScheduleForm TimeForm(int kind, const char* hour = "9", const char* minute = "05") {
    ScheduleForm f;
    f.kind = kind;
    f.hour = hour;
    f.minute = minute;
    f.year = "2024";
    f.monthIndex = 4;
    f.onceDay = "20";
    f.monthlyDay = "15";
    f.hourlyMinutes = "30";
    f.otherMinutes = "15";
    f.idleMinutes = "5";
    return f;
}

TEST(ScheduleChecks, EachEntryIsStoredOrRefusedWithItsMessageAndFocus) {
    const Case cases[] = {
        {"empty minute is minute 0", [](ScheduleForm& f) { f = TimeForm(3, "12", ""), f.pm = true; }, nullptr,
         ScheduleFocus::None,
         [](const TMacroRecord& r) {
             EXPECT_EQ(r.ScheduleHour, 12);
             EXPECT_EQ(r.ScheduleMinute, 0);
             EXPECT_EQ(r.SchedulePM, 1);
         }},
        {"hour 0",
         [](ScheduleForm& f) { f = TimeForm(4, "0"); },
         "Invalid hour specified.",
         ScheduleFocus::Hour,
         {}},
        {"hour 13",
         [](ScheduleForm& f) { f = TimeForm(5, "13"); },
         "Invalid hour specified.",
         ScheduleFocus::Hour,
         {}},
        {"minute 60",
         [](ScheduleForm& f) { f = TimeForm(1, "9", "60"); },
         "Invalid minute specified.",
         ScheduleFocus::Minute,
         {}},
        {"today with a past time", [](ScheduleForm& f) { f = TimeForm(1, "1"), f.onceDay = "14"; }, nullptr,
         ScheduleFocus::None,
         [](const TMacroRecord& r) {
             EXPECT_EQ(Unpacked(r.ScheduleYear), 2024);
             EXPECT_EQ(r.ScheduleMonth, 5);
             EXPECT_EQ(r.ScheduleDay, 14);
         }},
        {"yesterday",
         [](ScheduleForm& f) { f = TimeForm(1), f.onceDay = "13"; },
         "Specified date has already elapsed.",
         ScheduleFocus::OnceDay,
         {}},
        {"last month",
         [](ScheduleForm& f) { f = TimeForm(1), f.monthIndex = 3; },
         "Specified date has already elapsed.",
         ScheduleFocus::Month,
         {}},
        {"last year",
         [](ScheduleForm& f) { f = TimeForm(1), f.year = "2023", f.monthIndex = 11; },
         "Specified date has already elapsed.",
         ScheduleFocus::Year,
         {}},
        {"31 June",
         [](ScheduleForm& f) { f = TimeForm(1), f.monthIndex = 5, f.onceDay = "31"; },
         "Invalid day of month specified.",
         ScheduleFocus::OnceDay,
         {}},
        {"day not a number",
         [](ScheduleForm& f) { f = TimeForm(1), f.onceDay = "2x"; },
         "Invalid day of month specified.",
         ScheduleFocus::OnceDay,
         {}},
        {"29 Feb 2028",
         [](ScheduleForm& f) { f = TimeForm(1), f.year = "2028", f.monthIndex = 1, f.onceDay = "29"; },
         nullptr,
         ScheduleFocus::None,
         {}},
        {"29 Feb 2027",
         [](ScheduleForm& f) { f = TimeForm(1), f.year = "2027", f.monthIndex = 1, f.onceDay = "29"; },
         "Invalid day of month specified.",
         ScheduleFocus::OnceDay,
         {}},
        {"29 Feb 2100",
         [](ScheduleForm& f) { f = TimeForm(1), f.year = "2100", f.monthIndex = 1, f.onceDay = "29"; },
         "Invalid day of month specified.",
         ScheduleFocus::OnceDay,
         {}},
        {"29 Feb 2400",
         [](ScheduleForm& f) { f = TimeForm(1), f.year = "2400", f.monthIndex = 1, f.onceDay = "29"; },
         nullptr,
         ScheduleFocus::None,
         {}},
        {"hourly 0", [](ScheduleForm& f) { f = TimeForm(2), f.hourlyMinutes = "0"; }, nullptr,
         ScheduleFocus::None, [](const TMacroRecord& r) { EXPECT_EQ(r.MinutePastHour, 0); }},
        {"hourly 59", [](ScheduleForm& f) { f = TimeForm(2), f.hourlyMinutes = " 59 "; }, nullptr,
         ScheduleFocus::None, [](const TMacroRecord& r) { EXPECT_EQ(r.MinutePastHour, 59); }},
        {"hourly 60",
         [](ScheduleForm& f) { f = TimeForm(2), f.hourlyMinutes = "60"; },
         "Invalid minutes specified.",
         ScheduleFocus::HourlyMinutes,
         {}},
        {"hourly -1",
         [](ScheduleForm& f) { f = TimeForm(2), f.hourlyMinutes = "-1"; },
         "Invalid minutes specified.",
         ScheduleFocus::HourlyMinutes,
         {}},
        {"daily without a day", [](ScheduleForm& f) { f = TimeForm(3); }, nullptr, ScheduleFocus::None, {}},
        {"weekly Saturday", [](ScheduleForm& f) { f = TimeForm(4), f.weekdayIndex = 6; }, nullptr,
         ScheduleFocus::None, [](const TMacroRecord& r) { EXPECT_EQ(r.ScheduleWeekDay, 7); }},
        {"monthly 31", [](ScheduleForm& f) { f = TimeForm(5), f.monthlyDay = "31"; }, nullptr,
         ScheduleFocus::None, [](const TMacroRecord& r) { EXPECT_EQ(r.ScheduleDay, 31); }},
        {"monthly 0",
         [](ScheduleForm& f) { f = TimeForm(5), f.monthlyDay = "0"; },
         "Invalid day of month specified.",
         ScheduleFocus::MonthlyDay,
         {}},
        {"monthly 32",
         [](ScheduleForm& f) { f = TimeForm(5), f.monthlyDay = "32"; },
         "Invalid day of month specified.",
         ScheduleFocus::MonthlyDay,
         {}},
        {"every 720", [](ScheduleForm& f) { f = TimeForm(6), f.otherMinutes = "720"; }, nullptr,
         ScheduleFocus::None, [](const TMacroRecord& r) { EXPECT_EQ(Unpacked(r.IntervalMinutes), 720); }},
        {"every 721",
         [](ScheduleForm& f) { f = TimeForm(6), f.otherMinutes = "721"; },
         "Invalid minutes specified.  Must be between 1 and 720.",
         ScheduleFocus::OtherMinutes,
         {}},
        {"idle 90", [](ScheduleForm& f) { f = TimeForm(7), f.idleMinutes = "90"; }, nullptr,
         ScheduleFocus::None, [](const TMacroRecord& r) { EXPECT_EQ(Unpacked(r.IntervalMinutes), 90); }},
        {"idle 91",
         [](ScheduleForm& f) { f = TimeForm(7), f.idleMinutes = "91"; },
         "Invalid minutes specified.  Must be between 1 and 90.",
         ScheduleFocus::IdleMinutes,
         {}},
        {"idle empty",
         [](ScheduleForm& f) { f = TimeForm(7), f.idleMinutes = ""; },
         "Invalid minutes specified.  Must be between 1 and 90.",
         ScheduleFocus::IdleMinutes,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TMacroRecord current{};
        current.ScheduleType = 6;
        current.IntervalMinutes = 33;
        current.ScheduleHour = 11;
        current.ScheduleDays[2] = 1;
        ScheduleForm form;
        c.fill(form);
        const ScheduleCheck check = CheckSchedule(current, form, kToday);
        if (!c.message) {
            ASSERT_TRUE(check.ok) << check.message;
            EXPECT_EQ(Unpacked(check.fields.ScheduleType), form.kind);
            if (c.stored) c.stored(check.fields);
        } else {
            EXPECT_FALSE(check.ok);
            EXPECT_EQ(check.message, c.message);
            EXPECT_EQ(check.focus, c.focus);
        }
    }
}

TEST(ScheduleChecks, AKindWritesOnlyItsOwnFields) {
    TMacroRecord current{};
    current.ScheduleType = 2;
    current.MinutePastHour = 20;
    current.IntervalMinutes = 40;
    current.ScheduleHour = 3;
    current.ScheduleDays[0] = 1;

    ScheduleForm every = TimeForm(6, "99", "99");  // other panels are not read
    every.days[6] = true;
    const ScheduleCheck ok = CheckSchedule(current, every, kToday);
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(Unpacked(ok.fields.IntervalMinutes), 15);
    EXPECT_EQ(ok.fields.ScheduleHour, 3);
    EXPECT_EQ(ok.fields.MinutePastHour, 20);
    EXPECT_EQ(ok.fields.ScheduleDays[0], 0);
    EXPECT_EQ(ok.fields.ScheduleDays[6], 1);

    // No kind checked: the kind stays and only the day flags are written.
    ScheduleForm none = TimeForm(-1);
    none.days[3] = true;
    const ScheduleCheck kept = CheckSchedule(current, none, kToday);
    ASSERT_TRUE(kept.ok);
    EXPECT_EQ(Unpacked(kept.fields.ScheduleType), 2);
    EXPECT_EQ(kept.fields.ScheduleDays[3], 1);
}

TEST(ScheduleChecks, GregorianMonthLengths) {
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2023, 2), 28);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
    EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

}  // namespace
}  // namespace tessaro
