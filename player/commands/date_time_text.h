#pragma once
// The text of the date and time commands: 51 date and 26 time layouts with fixed English
// day and month names, whatever the system's locale.
#include <string>

namespace tessaro {

struct CivilDate {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
};

struct ClockTime {
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;
};

// `layout` is the 1-based index into DateFormats(); `dayOffset` moves the date by calendar
// days (negative into the past). `pad` zero-pads the month and day numbers.
std::string DateText(int layout, bool pad, int dayOffset, CivilDate today);

// `layout` is the 1-based index into TimeFormats(); `pad` zero-pads the hour.
std::string TimeText(int layout, bool pad, ClockTime now);

}  // namespace tessaro
