#pragma once
// "Set Schedule": when a timed macro runs. Edits the schedule fields of the record it is
// given, only once every check of Update passed.
#include <QDialog>
#include <array>

#include "editor/model/macro_forms/schedule_panels.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QPushButton;

namespace tessaro {

class TDoSchedule : public QDialog {
    Q_OBJECT
public:
    TDoSchedule(TMacroRecord& rec, QWidget* parent = nullptr);

    // The kind buttons in kind order 0..7 and their panels (none for "At Startup").
    std::array<QRadioButton*, 8> Kinds{};
    QWidget *OncePanel, *HourlyPanel, *DailyPanel, *WeeklyPanel, *MonthlyPanel, *OtherPanel, *IdlePanel;
    // Hour, minute and AM/PM of the Once, Daily, Weekly and Monthly panels.
    std::array<QLineEdit*, 4> Hours{}, Minutes{};
    std::array<QComboBox*, 4> AmPm{};
    QComboBox *MonthList, *WeekdayList;
    QLineEdit *OnceDay, *OnceYear, *MonthlyDay, *HourlyMinutes, *OtherMinutes, *IdleMinutes;
    std::array<QCheckBox*, 7> Days{};  // Monday .. Sunday
    QPushButton *UpdateButton, *CancelButton;

    // The date Update compares a Once date with; today unless a test sets it.
    CalendarDate Today;

    void UpdateButtonClick();
    void ShowKind(int kind);

private:
    QWidget* Spin(QLineEdit* box, SpinBox which);
    void Focus(ScheduleFocus focus);
    SchedulePanels ReadPanels() const;

    TMacroRecord& rec_;
    std::array<QWidget*, 8> panels_{};
};

}  // namespace tessaro
