#include "editor/model/explorer/file_menu.h"

#include <cctype>

namespace tessaro {
namespace {

constexpr const char* kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                     "July",    "August",   "September", "October", "November", "December"};
constexpr const char* kWeekDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
// ScheduleDays runs Monday .. Sunday; the text lists Sunday first.
constexpr int kDayOrder[7] = {6, 0, 1, 2, 3, 4, 5};
constexpr const char* kDayTexts[7] = {",Sun", ",Mon", ",Tue", ",Wed", ",Thu", ",Fri", ",Sat"};

std::string Time(const TMacroRecord& r) {
    const int minute = r.ScheduleMinute;
    return std::to_string(r.ScheduleHour) + ":" + (minute < 10 ? "0" : "") + std::to_string(minute) +
           (r.SchedulePM ? "PM" : "AM");
}

std::string NameOf(const char* const* names, int count, int oneBased) {
    return oneBased >= 1 && oneBased <= count ? names[oneBased - 1] : "";
}

}  // namespace

bool IsMacroFileName(std::string_view name) {
    if (name.size() < 4) return false;
    std::string tail(name.substr(name.size() - 4));
    for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return tail == ".QTM";
}

void DoLastFiles(TConfigRecord& config, const std::string& oldName, const std::string& newName) {
    auto& f = config.RecentFiles;
    for (int k = 1; k <= 5; ++k) {
        if (f[k] != newName) continue;
        for (int j = k; j < 5; ++j) f[j] = f[j + 1];
        f[5] = std::string_view{};
        break;
    }
    for (int j = 5; j >= 2; --j) f[j] = f[j - 1];
    f[1] = oldName;
}

std::array<std::string, 5> LastFileCaptions(const TConfigRecord& config) {
    std::array<std::string, 5> captions;
    for (int k = 1; k <= 5; ++k) {
        const std::string name = config.RecentFiles[k].str();
        if (!name.empty()) captions[k - 1] = "&" + std::to_string(k) + "   " + name;
    }
    return captions;
}

std::string GetSched(const TMacroRecord& r) {
    switch (r.ScheduleType) {
        case 0: return "At Startup";
        case 1:
            return "Once at " + Time(r) + " on " + std::to_string(r.ScheduleDay) + " " +
                   NameOf(kMonths, 12, r.ScheduleMonth) + " " + std::to_string(r.ScheduleYear);
        case 2: return "Hourly at " + std::to_string(r.MinutePastHour) + " minutes past the hour";
        case 3: {
            std::string text = "Daily at " + Time(r);
            for (int i = 0; i < 7; ++i)
                if (r.ScheduleDays[kDayOrder[i]]) text += kDayTexts[i];
            return text;
        }
        case 4: return "Weekly at " + Time(r) + " on " + NameOf(kWeekDays, 7, r.ScheduleWeekDay);
        case 5:
            return "Monthly at " + Time(r) + " on day " + std::to_string(r.ScheduleDay) + " of each month";
        case 6: return "every " + std::to_string(r.IntervalMinutes) + " minutes";
        case 7: return "after " + std::to_string(r.IntervalMinutes) + " minutes of idle time";
        default: return {};
    }
}

}  // namespace tessaro
