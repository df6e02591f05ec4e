// The schedule and abbreviation-option dialogs, on screen.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "editor/explorer/forms/t_do_schedule.h"
#include "editor/explorer/forms/t_short_options.h"
#include "forms_fixture.h"
#include "tests/support/unpacked.h"
#include "widgets/kept_text.h"

namespace tessaro {
namespace {

class ScheduleForm : public testing::FormsTest {
protected:
    TMacroRecord Timed() {
        TMacroRecord r;
        r.ActivationCode = acScheduled;
        r.ScheduleType = 3;
        r.ScheduleHour = 12;
        r.ScheduleMinute = 0;
        r.SchedulePM = 1;
        r.ScheduleMonth = 6;
        r.ScheduleDay = 15;
        r.ScheduleYear = 2030;
        r.MinutePastHour = 15;
        r.IntervalMinutes = 15;
        r.ScheduleWeekDay = 2;
        return r;
    }
};

TEST_F(ScheduleForm, EachKindShowsOnlyItsPanel) {
    TMacroRecord rec = Timed();
    TDoSchedule form(rec);
    const char* names[] = {"startup", "once", "hourly", "daily", "weekly", "monthly", "other", "idle"};
    QWidget* panels[] = {nullptr,          form.OncePanel,    form.HourlyPanel, form.DailyPanel,
                         form.WeeklyPanel, form.MonthlyPanel, form.OtherPanel,  form.IdlePanel};
    for (int k = 0; k < 8; ++k) {
        form.Kinds[std::size_t(k)]->click();
        for (int p = 1; p < 8; ++p) EXPECT_EQ(panels[p]->isVisibleTo(&form), p == k) << k << " " << p;
        Screenshot(form, std::string("TDoSchedule-") + names[k]);
    }
}

TEST_F(ScheduleForm, UpdateWritesOnlyAfterEveryCheckAndFocusesTheFault) {
    TMacroRecord rec = Timed();
    const TMacroRecord before = rec;
    TDoSchedule form(rec);
    form.Today = {2026, 12, 9};
    form.show();
    form.Kinds[1]->click();  // once
    form.Days[0]->setChecked(true);
    form.Hours[0]->setText("9");
    form.Minutes[0]->setText("30");
    form.OnceDay->setText("29");
    form.MonthList->setCurrentIndex(1);
    form.OnceYear->setText("2100");
    form.UpdateButton->click();
    EXPECT_EQ(LastText(), "Invalid day of month specified.");
    EXPECT_EQ(form.focusWidget(), form.OnceDay);
    EXPECT_EQ(std::memcmp(&rec, &before, sizeof rec), 0) << "a failed Update writes nothing";
    EXPECT_TRUE(form.isVisible());

    form.OnceYear->setText("2028");
    form.AmPm[0]->setEditText("pm");
    form.UpdateButton->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Unpacked(rec.ScheduleType), 1);
    EXPECT_EQ(Unpacked(rec.ScheduleYear), 2028);
    EXPECT_EQ(rec.ScheduleDay, 29);
    EXPECT_EQ(rec.ScheduleHour, 9);
    EXPECT_EQ(rec.SchedulePM, 1) << "typed pm counts as PM";
    EXPECT_EQ(rec.ScheduleDays[0], 1);
}

TEST_F(ScheduleForm, BoxesAndSpins) {
    TMacroRecord rec = Timed();
    TDoSchedule form(rec);
    EXPECT_EQ(TypingLimit(*form.OnceYear), 4);
    EXPECT_EQ(TypingLimit(*form.Hours[2]), 2);
    EXPECT_EQ(form.Minutes[1]->text(), "00");
    EXPECT_EQ(form.AmPm[3]->currentText(), "PM");
    form.Kinds[6]->click();  // only the chosen kind's panel is enabled
    form.OtherMinutes->setText("720");
    form.findChild<QToolButton*>("OtherMinutesUp")->click();
    EXPECT_EQ(form.OtherMinutes->text(), "720");
    form.findChild<QToolButton*>("OtherMinutesDown")->click();
    EXPECT_EQ(form.OtherMinutes->text(), "719");
    form.Kinds[1]->click();
    form.OnceYear->setText("1");
    form.findChild<QToolButton*>("OnceYearDown")->click();
    EXPECT_EQ(form.OnceYear->text(), "1");
}

TEST_F(ScheduleForm, UnknownKindShowsNoneAndKeepsIt) {
    TMacroRecord rec = Timed();
    rec.ScheduleType = 12;
    TDoSchedule form(rec);
    for (QRadioButton* k : form.Kinds) EXPECT_FALSE(k->isChecked());
    form.Days[6]->setChecked(true);
    form.UpdateButton->click();
    EXPECT_EQ(Unpacked(rec.ScheduleType), 12);
    EXPECT_EQ(rec.ScheduleDays[6], 1);
}

TEST_F(ScheduleForm, ShortOptionsRepairUnknownValues) {
    TMacroRecord rec;
    TShortOptions form(rec);
    EXPECT_TRUE(form.CaseNone->isChecked());
    EXPECT_FALSE(form.NoRemove->isChecked());
    Screenshot(form, "TShortOptions");
    form.OkButton->click();
    EXPECT_EQ(Unpacked(rec.AbbrevCase), 3);
    EXPECT_EQ(Unpacked(rec.AbbrevErase), 1);
    TShortOptions again(rec);
    again.CaseSense->setChecked(true);
    again.NoRemove->setChecked(true);
    again.CancelButton->click();
    EXPECT_EQ(Unpacked(rec.AbbrevCase), 3) << "Cancel writes nothing";
}

}  // namespace
}  // namespace tessaro
