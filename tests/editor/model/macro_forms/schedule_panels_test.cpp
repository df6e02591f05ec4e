#include "editor/model/macro_forms/schedule_panels.h"
#include "tests/support/unpacked.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TMacroRecord Scheduled() {
    TMacroRecord r;
    r.ActivationCode = acScheduled;
    r.ScheduleType = 1;
    r.ScheduleHour = 9;
    r.ScheduleMinute = 5;
    r.SchedulePM = 1;
    r.ScheduleMonth = 2;
    r.ScheduleDay = 29;
    r.ScheduleYear = 2030;
    r.MinutePastHour = 15;
    r.ScheduleWeekDay = 7;
    r.IntervalMinutes = 45;
    r.ScheduleDays[6] = 1;
    return r;
}

const CalendarDate kToday{2026, 12, 9};

TEST(ScheduleLoad, EveryPanelGetsTheSharedFields) {
    const SchedulePanels p = LoadSchedulePanels(Scheduled());
    EXPECT_EQ(p.kind, 1);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(p.hour[std::size_t(i)], "9");
        EXPECT_EQ(p.minute[std::size_t(i)], "05");
    }
    EXPECT_TRUE(p.pm);
    EXPECT_EQ(p.monthIndex, 1);
    EXPECT_EQ(p.onceDay, "29");
    EXPECT_EQ(p.monthlyDay, "29");
    EXPECT_EQ(p.year, "2030");
    EXPECT_EQ(p.weekdayIndex, 6);
    EXPECT_EQ(p.otherMinutes, "45");
    EXPECT_EQ(p.idleMinutes, "45");
    EXPECT_TRUE(p.days[6]);

    TMacroRecord odd = Scheduled();
    odd.ScheduleType = 9;
    EXPECT_EQ(LoadSchedulePanels(odd).kind, -1);
}

TEST(ScheduleUpdate, OnlyTheChosenPanelIsRead) {
    SchedulePanels p = LoadSchedulePanels(Scheduled());
    p.kind = 4;                                   // weekly
    p.hour[std::size_t(TimePanel::Once)] = "99";  // typed in another panel: ignored
    p.hour[std::size_t(TimePanel::Weekly)] = "3";
    p.weekdayIndex = 2;
    const ScheduleCheck c = CheckSchedule(Scheduled(), FormOfPanels(p, {true, false, false, false}), kToday);
    ASSERT_TRUE(c.ok) << c.message;
    EXPECT_EQ(Unpacked(c.fields.ScheduleType), 4);
    EXPECT_EQ(c.fields.ScheduleHour, 3);
    EXPECT_EQ(c.fields.ScheduleWeekDay, 3);
    EXPECT_EQ(c.fields.SchedulePM, 0) << "the weekly panel's AM/PM box says AM";
}

TEST(ScheduleUpdate, TypedPmCountsAsPm) {
    EXPECT_TRUE(AmPmIsPm("PM"));
    EXPECT_TRUE(AmPmIsPm(" pm "));
    EXPECT_TRUE(AmPmIsPm("Pm"));
    EXPECT_FALSE(AmPmIsPm("AM"));
    EXPECT_FALSE(AmPmIsPm("P"));
    EXPECT_FALSE(AmPmIsPm("PMX"));
    SchedulePanels p = LoadSchedulePanels(Scheduled());
    p.kind = 3;
    p.hour[std::size_t(TimePanel::Daily)] = "12";
    p.minute[std::size_t(TimePanel::Daily)] = "";
    const ScheduleCheck c =
        CheckSchedule(Scheduled(), FormOfPanels(p, {false, AmPmIsPm("pm"), false, false}), kToday);
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(c.fields.ScheduleHour, 12);
    EXPECT_EQ(c.fields.ScheduleMinute, 0);
    EXPECT_EQ(c.fields.SchedulePM, 1);
}

struct OnceCase {
    const char* day;
    int monthIndex;
    const char* year;
    bool ok;
    ScheduleFocus focus;
};

TEST(ScheduleUpdate, OnceDatesLeapYearsAndElapsedDays) {
    const OnceCase cases[] = {
        {"29", 1, "2028", true, ScheduleFocus::None},
        {"29", 1, "2100", false, ScheduleFocus::OnceDay},  // Gregorian: 2100 is no leap year
        {"29", 1, "2400", true, ScheduleFocus::None},
        {"29", 1, "2027", false, ScheduleFocus::OnceDay},
        {"9", 11, "2026", true, ScheduleFocus::None},  // today: only the date is compared
        {"8", 11, "2026", false, ScheduleFocus::OnceDay},
        {"30", 10, "2026", false, ScheduleFocus::Month},
        {"1", 0, "2025", false, ScheduleFocus::Year},
        {"31", 3, "2030", false, ScheduleFocus::OnceDay},  // 31 April
        {"0", 0, "2030", false, ScheduleFocus::OnceDay},
        {"x", 0, "2030", false, ScheduleFocus::OnceDay},
    };
    for (const OnceCase& k : cases) {
        SchedulePanels p = LoadSchedulePanels(Scheduled());
        p.onceDay = k.day;
        p.monthIndex = k.monthIndex;
        p.year = k.year;
        const ScheduleCheck c = CheckSchedule(Scheduled(), FormOfPanels(p, {}), kToday);
        EXPECT_EQ(c.ok, k.ok) << k.day << "/" << k.monthIndex + 1 << "/" << k.year;
        if (!k.ok) {
            EXPECT_EQ(c.focus, k.focus) << k.day << "/" << k.year;
        }
    }
}

struct BoundCase {
    int kind;
    const char* value;
    bool ok;
};

TEST(ScheduleUpdate, IntervalBoundsAndMessages) {
    const BoundCase cases[] = {{2, "0", true},   {2, "59", true},   {2, "60", false}, {2, "-1", false},
                               {6, "720", true}, {6, "721", false}, {6, "0", false},  {7, "90", true},
                               {7, "91", false}, {5, "31", true},   {5, "32", false}, {5, "0", false}};
    for (const BoundCase& k : cases) {
        SchedulePanels p = LoadSchedulePanels(Scheduled());
        p.kind = k.kind;
        p.hourlyMinutes = p.otherMinutes = p.idleMinutes = p.monthlyDay = k.value;
        const ScheduleCheck c = CheckSchedule(Scheduled(), FormOfPanels(p, {}), kToday);
        EXPECT_EQ(c.ok, k.ok) << "kind " << k.kind << " value " << k.value;
    }
    SchedulePanels p = LoadSchedulePanels(Scheduled());
    p.kind = 6;
    p.otherMinutes = "721";
    EXPECT_EQ(CheckSchedule(Scheduled(), FormOfPanels(p, {}), kToday).message,
              "Invalid minutes specified.  Must be between 1 and 720.");
    p.kind = 7;
    p.idleMinutes = "91";
    EXPECT_EQ(CheckSchedule(Scheduled(), FormOfPanels(p, {}), kToday).message,
              "Invalid minutes specified.  Must be between 1 and 90.");
}

TEST(ScheduleUpdate, FailedUpdateLeavesTheRecordAsItWas) {
    const TMacroRecord before = Scheduled();
    SchedulePanels p = LoadSchedulePanels(before);
    p.kind = 5;
    p.days[0] = true;
    p.hour[std::size_t(TimePanel::Monthly)] = "7";
    p.minute[std::size_t(TimePanel::Monthly)] = "75";
    const ScheduleCheck c = CheckSchedule(before, FormOfPanels(p, {}), kToday);
    ASSERT_FALSE(c.ok);
    EXPECT_EQ(c.message, "Invalid minute specified.");
    EXPECT_EQ(c.focus, ScheduleFocus::Minute);
    // The record the dialog edits is only replaced by c.fields after success.
    EXPECT_EQ(Unpacked(before.ScheduleType), 1);
}

TEST(ScheduleSpins, StopAtTheirBounds) {
    EXPECT_EQ(SpinStep(SpinBox::OnceDay, "31", +1), "31");
    EXPECT_EQ(SpinStep(SpinBox::OnceDay, "1", -1), "1");
    EXPECT_EQ(SpinStep(SpinBox::OnceDay, "", +1), "1");
    EXPECT_EQ(SpinStep(SpinBox::MonthlyDay, "30", +1), "31");
    EXPECT_EQ(SpinStep(SpinBox::OnceYear, "1", -1), "1");
    EXPECT_EQ(SpinStep(SpinBox::OnceYear, "2026", +1), "2027");
    EXPECT_EQ(SpinStep(SpinBox::HourlyMinutes, "0", -1), "0");
    EXPECT_EQ(SpinStep(SpinBox::HourlyMinutes, "59", +1), "59");
    EXPECT_EQ(SpinStep(SpinBox::OtherMinutes, "720", +1), "720");
    EXPECT_EQ(SpinStep(SpinBox::OtherMinutes, "1", -1), "1");
    EXPECT_EQ(SpinStep(SpinBox::IdleMinutes, "90", +1), "90");
    EXPECT_EQ(SpinStep(SpinBox::IdleMinutes, " 44 ", +1), "45");
}

}  // namespace
}  // namespace tessaro
