#pragma once
// Object names of the controls of the activation pages (1-3, 7-10, 37), which the flow,
// the checks and the macro builder read.
namespace tessaro::wizard {

// Page 1
inline constexpr const char* kP1Functions = "P1Functions";
inline constexpr const char* kP1Examples = "P1Examples";
inline constexpr const char* kP1Bypass = "P1Bypass";
// Page 2: how the macro starts
inline constexpr const char* kP2HotKey = "P2HotKey";
inline constexpr const char* kP2Snipra = "P2Snipra";
inline constexpr const char* kP2Timed = "P2Timed";
inline constexpr const char* kP2None = "P2None";
inline constexpr const char* kP2Title = "P2Title";
// Page 3: the hot key, the Snipra name or the schedule
inline constexpr const char* kP3HotKeyEntry = "P3HotKeyEntry";
inline constexpr const char* kP3KeyList = "P3KeyList";
inline constexpr const char* kP3SnipraName = "P3SnipraName";
// The schedule kinds, in the order of the record's ScheduleType 0..7.
inline constexpr const char* kScheduleKinds[8] = {"Startup", "Once",    "Hourly", "Daily",
                                                  "Weekly",  "Monthly", "Other",  "Idle"};
inline constexpr const char* kWeekdays[7] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                             "Friday", "Saturday", "Sunday"};
inline constexpr const char* kOnceMonth = "OnceMonth";  // combo box, index = month - 1
inline constexpr const char* kOnceDay = "OnceDay";
inline constexpr const char* kOnceYear = "OnceYear";
inline constexpr const char* kHourlyMinutes = "HourlyMinutes";
inline constexpr const char* kWeeklyDayOfWeek = "WeeklyDayOfWeek";
inline constexpr const char* kMonthlyDay = "MonthlyDay";
inline constexpr const char* kOtherMinutes = "OtherMinutes";
inline constexpr const char* kIdleMinutes = "IdleMinutes";
// Hour, minute and AM/PM box of the Once, Daily, Weekly and Monthly panels.
inline constexpr const char* kHourBoxes[4] = {"OnceTimeHour", "DailyHour", "WeeklyHour", "MonthlyHour"};
inline constexpr const char* kMinuteBoxes[4] = {"OnceTimeMin", "DailyMin", "WeeklyMin", "MonthlyMin"};
inline constexpr const char* kPmBoxes[4] = {"OnceTimePM", "DailyPM", "WeeklyPM", "MonthlyPM"};
// Page 7: where the macro plays
inline constexpr const char* kP7Global = "P7Global";
inline constexpr const char* kP7SpecProg = "P7SpecProg";
inline constexpr const char* kP7SpecWin = "P7SpecWin";
// Page 8: the window title or the program
inline constexpr const char* kP8Title = "P8Title";
inline constexpr const char* kP8Installed = "P8Installed";
inline constexpr const char* kP8ProgPath = "P8ProgPath";
inline constexpr const char* kP8InstallBox = "P8InstallBox";
inline constexpr const char* kP8Path = "P8Path";
inline constexpr const char* kP8Browse = "P8Browse";
inline constexpr const char* kP8ProgBox = "P8ProgBox";
inline constexpr const char* kP8Examples = "P8Examples";
// Page 9: popup menu
inline constexpr const char* kP9AddYes = "P9AddYes";
inline constexpr const char* kP9AddNo = "P9AddNo";
inline constexpr const char* kP9PopupList = "P9PopupList";
// Page 10: nickname and icon
inline constexpr const char* kP10Nick = "P10Nick";
inline constexpr const char* kP10MySpeed = "P10MySpeed";  // text: the chosen icon's name, empty: "MAIN"
// Page 37: the window whose appearing starts the macro
inline constexpr const char* kP37Title = "P37Title";
inline constexpr const char* kP37Examples = "P37Examples";

}  // namespace tessaro::wizard
