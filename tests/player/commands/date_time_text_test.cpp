// The date and time layouts on fixed moments, both pads, and day offsets across month,
// leap-day, century and year ends.
#include <gtest/gtest.h>

#include "macro/macro_language.h"
#include "player/commands/date_time_text.h"

namespace tessaro {
namespace {

struct DateRow {
    int layout;
    const char* padded;
    const char* plain;
};

// Monday, 5 March 2001: one-digit month and day show both pads apart.
constexpr DateRow kMarch5th2001[] = {
    {1, "03/05/01", "3/5/01"},
    {2, "03-05-01", "3-5-01"},
    {3, "03.05.01", "3.5.01"},
    {4, "03/05/2001", "3/5/2001"},
    {5, "03-05-2001", "3-5-2001"},
    {6, "03.05.2001", "3.5.2001"},
    {7, "05/03/01", "5/3/01"},
    {8, "05-03-01", "5-3-01"},
    {9, "05.03.01", "5.3.01"},
    {10, "05/03/2001", "5/3/2001"},
    {11, "05-03-2001", "5-3-2001"},
    {12, "05.03.2001", "5.3.2001"},
    {13, "01/03/05", "01/3/5"},
    {14, "01-03-05", "01-3-5"},
    {15, "01.03.05", "01.3.5"},
    {16, "2001/03/05", "2001/3/5"},
    {17, "2001-03-05", "2001-3-5"},
    {18, "2001.03.05", "2001.3.5"},
    {19, "MAR 2001", "MAR 2001"},
    {20, "Mar 2001", "Mar 2001"},
    {21, "05 MAR 01", "5 MAR 01"},
    {22, "05 Mar 01", "5 Mar 01"},
    {23, "05 MAR 2001", "5 MAR 2001"},
    {24, "05 Mar 2001", "5 Mar 2001"},
    {25, "05 March 01", "5 March 01"},
    {26, "05 March 2001", "5 March 2001"},
    {27, "Mar 05 01", "Mar 5 01"},
    {28, "Mar 05, 01", "Mar 5, 01"},
    {29, "Mar 05 2001", "Mar 5 2001"},
    {30, "Mar 05, 2001", "Mar 5, 2001"},
    {31, "March 05 01", "March 5 01"},
    {32, "March 05, 01", "March 5, 01"},
    {33, "March 05 2001", "March 5 2001"},
    {34, "March 05, 2001", "March 5, 2001"},
    {35, "030501", "3501"},
    {36, "03052001", "352001"},
    {37, "050301", "5301"},
    {38, "05032001", "532001"},
    {39, "010305", "0135"},
    {40, "20010305", "200135"},
    {41, "05", "5"},
    {42, "03", "3"},
    {43, "Mar", "Mar"},
    {44, "MAR", "MAR"},
    {45, "March", "March"},
    {46, "01", "01"},
    {47, "2001", "2001"},
    {48, "Mon", "Mon"},
    {49, "MON", "MON"},
    {50, "Monday", "Monday"},
    {51, "MONDAY", "MONDAY"},
};

TEST(DateText, EveryLayoutWithAndWithoutPadding) {
    ASSERT_EQ(std::size(kMarch5th2001), DateFormats().size());
    const CivilDate day{2001, 3, 5};
    for (const DateRow& row : kMarch5th2001) {
        EXPECT_EQ(DateText(row.layout, true, 0, day), row.padded) << DateFormats()[row.layout - 1];
        EXPECT_EQ(DateText(row.layout, false, 0, day), row.plain) << DateFormats()[row.layout - 1];
    }
}

TEST(DateText, TwoDigitNumbersAndShortYearsKeepTheirDigits) {
    EXPECT_EQ(DateText(4, false, 0, {2024, 12, 25}), "12/25/2024");
    EXPECT_EQ(DateText(47, false, 0, {987, 6, 1}), "0987");  // YYYY always four digits
    EXPECT_EQ(DateText(46, false, 0, {2007, 6, 1}), "07");   // YY always two
    EXPECT_EQ(DateText(14, false, 0, {2000, 1, 9}), "00-1-9");
}

TEST(DateText, OffsetsCountCalendarDays) {
    const int ddMmmmmYyyy = 26;
    const int isoDate = 17;
    EXPECT_EQ(DateText(ddMmmmmYyyy, true, 10, {2001, 12, 25}), "04 January 2002");
    EXPECT_EQ(DateText(isoDate, true, 1, {2100, 2, 28}), "2100-03-01");  // not a leap year
    EXPECT_EQ(DateText(isoDate, true, 1, {2000, 2, 28}), "2000-02-29");  // a leap century
    EXPECT_EQ(DateText(isoDate, true, 1, {2024, 2, 28}), "2024-02-29");
    EXPECT_EQ(DateText(isoDate, true, -1, {2024, 3, 1}), "2024-02-29");
    EXPECT_EQ(DateText(isoDate, true, 366, {2024, 1, 1}), "2025-01-01");
    EXPECT_EQ(DateText(isoDate, true, -1, {2000, 1, 1}), "1999-12-31");
    EXPECT_EQ(DateText(isoDate, true, 999, {2026, 12, 8}), "2029-09-02");
    EXPECT_EQ(DateText(isoDate, true, -999, {2026, 12, 8}), "2024-03-14");
    EXPECT_EQ(DateText(50, true, 1, {2001, 3, 5}), "Tuesday");  // the weekday of the shifted day
    EXPECT_EQ(DateText(49, true, -1, {2001, 3, 5}), "SUN");
}

TEST(DateText, LayoutOutsideTheTableGivesNothing) {
    EXPECT_EQ(DateText(0, true, 0, {2001, 3, 5}), "");
    EXPECT_EQ(DateText(52, true, 0, {2001, 3, 5}), "");
    EXPECT_EQ(TimeText(27, true, {1, 2, 3}), "");
}

struct TimeRow {
    int layout;
    const char* midnightPadded;  // 00:05:03
    const char* midnightPlain;
    const char* noon;             // 12:00:00, both pads
    const char* afternoonPadded;  // 13:07:09
    const char* afternoonPlain;
};

constexpr TimeRow kTimes[] = {
    {1, "00:05", "0:05", "12:00", "13:07", "13:07"},
    {2, "00.05", "0.05", "12.00", "13.07", "13.07"},
    {3, "00,05", "0,05", "12,00", "13,07", "13,07"},
    {4, "0005", "005", "1200", "1307", "1307"},
    {5, "00:05:03", "0:05:03", "12:00:00", "13:07:09", "13:07:09"},
    {6, "00.05.03", "0.05.03", "12.00.00", "13.07.09", "13.07.09"},
    {7, "00,05,03", "0,05,03", "12,00,00", "13,07,09", "13,07,09"},
    {8, "000503", "00503", "120000", "130709", "130709"},
    {9, "00", "0", "12", "13", "13"},
    {10, "05", "05", "00", "07", "07"},
    {11, "03", "03", "00", "09", "09"},
    {12, "12:05 am", "12:05 am", "12:00 pm", "01:07 pm", "1:07 pm"},
    {13, "12.05 am", "12.05 am", "12.00 pm", "01.07 pm", "1.07 pm"},
    {14, "12,05 am", "12,05 am", "12,00 pm", "01,07 pm", "1,07 pm"},
    {15, "12:05:03 am", "12:05:03 am", "12:00:00 pm", "01:07:09 pm", "1:07:09 pm"},
    {16, "12.05.03 am", "12.05.03 am", "12.00.00 pm", "01.07.09 pm", "1.07.09 pm"},
    {17, "12,05,03 am", "12,05,03 am", "12,00,00 pm", "01,07,09 pm", "1,07,09 pm"},
    {18, "12:05 AM", "12:05 AM", "12:00 PM", "01:07 PM", "1:07 PM"},
    {19, "12.05 AM", "12.05 AM", "12.00 PM", "01.07 PM", "1.07 PM"},
    {20, "12,05 AM", "12,05 AM", "12,00 PM", "01,07 PM", "1,07 PM"},
    {21, "12:05:03 AM", "12:05:03 AM", "12:00:00 PM", "01:07:09 PM", "1:07:09 PM"},
    {22, "12.05.03 AM", "12.05.03 AM", "12.00.00 PM", "01.07.09 PM", "1.07.09 PM"},
    {23, "12,05,03 AM", "12,05,03 AM", "12,00,00 PM", "01,07,09 PM", "1,07,09 PM"},
    {24, "12:05a", "12:05a", "12:00p", "01:07p", "1:07p"},
    {25, "12.05a", "12.05a", "12.00p", "01.07p", "1.07p"},
    {26, "12,05a", "12,05a", "12,00p", "01,07p", "1,07p"},
};

TEST(TimeText, EveryLayoutAfterMidnightAtNoonAndAfterNoon) {
    ASSERT_EQ(std::size(kTimes), TimeFormats().size());
    for (const TimeRow& row : kTimes) {
        const auto name = TimeFormats()[row.layout - 1];
        EXPECT_EQ(TimeText(row.layout, true, {0, 5, 3}), row.midnightPadded) << name;
        EXPECT_EQ(TimeText(row.layout, false, {0, 5, 3}), row.midnightPlain) << name;
        EXPECT_EQ(TimeText(row.layout, true, {12, 0, 0}), row.noon) << name;
        EXPECT_EQ(TimeText(row.layout, false, {12, 0, 0}), row.noon) << name;
        EXPECT_EQ(TimeText(row.layout, true, {13, 7, 9}), row.afternoonPadded) << name;
        EXPECT_EQ(TimeText(row.layout, false, {13, 7, 9}), row.afternoonPlain) << name;
    }
}

TEST(TimeText, MorningHoursAndTheLastSecondOfTheDay) {
    EXPECT_EQ(TimeText(24, true, {9, 30, 0}), "09:30a");
    EXPECT_EQ(TimeText(8, false, {7, 8, 9}), "70809");
    EXPECT_EQ(TimeText(15, true, {11, 59, 59}), "11:59:59 am");
    EXPECT_EQ(TimeText(21, false, {23, 59, 59}), "11:59:59 PM");
}

}  // namespace
}  // namespace tessaro
