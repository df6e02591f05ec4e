#include "player/commands/date_time_text.h"

#include <array>
#include <cctype>
#include <chrono>
#include <string_view>

#include "macro/macro_language.h"

namespace tessaro {

namespace {

constexpr std::array<std::string_view, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                       "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonthNames = {"January",   "February", "March",    "April",
                                                          "May",       "June",     "July",     "August",
                                                          "September", "October",  "November", "December"};

// Layouts from this index on name the weekday: short, short upper, long, long upper.
constexpr int kFirstWeekdayLayout = 48;

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string Number(int value, bool pad) {
    std::string digits = std::to_string(value);
    if (pad && digits.size() < 2) digits.insert(0, 1, '0');
    return digits;
}

std::string Year4(int year) {
    std::string digits = std::to_string(year % 10000);
    if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
    return digits;
}

}  // namespace

std::string DateText(int layout, bool pad, int dayOffset, CivilDate today) {
    using namespace std::chrono;
    const year_month_day base{year{today.year}, month{unsigned(today.month)}, day{unsigned(today.day)}};
    const sys_days shifted = sys_days{base} + days{dayOffset};
    const year_month_day date{shifted};
    const int y = int(date.year());
    const int m = int(unsigned(date.month()));
    const int d = int(unsigned(date.day()));

    const auto formats = DateFormats();
    if (layout < 1 || layout > int(formats.size())) return {};
    if (layout >= kFirstWeekdayLayout) {
        const std::string_view name = kDayNames[weekday{shifted}.c_encoding()];
        switch (layout - kFirstWeekdayLayout) {
            case 0: return std::string(name.substr(0, 3));
            case 1: return Upper(name.substr(0, 3));
            case 2: return std::string(name);
            default: return Upper(name);
        }
    }

    const std::string_view monthName = kMonthNames[m - 1];
    const std::string_view f = formats[layout - 1];
    std::string out;
    for (std::size_t i = 0; i < f.size();) {
        const std::string_view rest = f.substr(i);
        auto take = [&](std::string_view placeholder, const std::string& value) {
            if (!rest.starts_with(placeholder)) return false;
            out += value;
            i += placeholder.size();
            return true;
        };
        const std::string yyyy = Year4(y);
        if (take("YYYY", yyyy) || take("YY", yyyy.substr(2)) || take("Mmmmm", std::string(monthName)) ||
            take("Mmm", std::string(monthName.substr(0, 3))) || take("MMM", Upper(monthName.substr(0, 3))) ||
            take("MM", Number(m, pad)) || take("DD", Number(d, pad)))
            continue;
        out += f[i++];  // a separator
    }
    return out;
}

std::string TimeText(int layout, bool pad, ClockTime now) {
    const auto formats = TimeFormats();
    if (layout < 1 || layout > int(formats.size())) return {};
    const std::string_view f = formats[layout - 1];
    const bool twelveHour = layout >= 12;
    int hour = now.hour;
    if (twelveHour) hour = hour == 0 ? 12 : hour > 12 ? hour - 12 : hour;
    const bool pm = now.hour >= 12;

    std::string out;
    for (std::size_t i = 0; i < f.size();) {
        const std::string_view rest = f.substr(i);
        if (rest.starts_with("hh")) {
            out += Number(hour, pad);
            i += 2;
        } else if (rest.starts_with("mm")) {
            out += Number(now.minute, true);
            i += 2;
        } else if (rest.starts_with("ss")) {
            out += Number(now.second, true);
            i += 2;
        } else if (rest.starts_with("am") || rest.starts_with("AM")) {
            const bool upper = rest[0] == 'A';
            out += pm ? (upper ? "PM" : "pm") : (upper ? "AM" : "am");
            i += 2;
        } else if (rest == "a") {  // the one-letter day half right after the minutes
            out += pm ? 'p' : 'a';
            i += 1;
        } else {
            out += f[i++];
        }
    }
    return out;
}

}  // namespace tessaro
