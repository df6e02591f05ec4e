#include "macro/macro_record.h"

#include <algorithm>
#include <cstring>

#include "platform/datetime.h"

namespace tessaro {

namespace {

// The item list: a u16 count at the start of MacroText, then the u16 macro numbers. A menu
// never lists more macros than a file can hold; a larger count is damage.
constexpr std::size_t kMaxPopupItems = kMaxMacros;
static_assert(2 + 2 * kMaxPopupItems <= sizeof(TMacroRecord::MacroText));

std::uint16_t ReadU16(const char* p) {
    std::uint16_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

void WriteU16(char* p, std::uint16_t v) { std::memcpy(p, &v, sizeof v); }

}  // namespace

std::string GetMacroText(const TMacroRecord& rec) {
    const char* text = rec.MacroText;
    const std::size_t len = strnlen(text, kMacroTextCapacity);
    return std::string(text, len);
}

void SetMacroText(TMacroRecord& rec, std::string_view text) {
    const std::size_t n = std::min(text.size(), kMacroTextCapacity);
    std::memset(rec.MacroText, 0, sizeof rec.MacroText);
    std::memcpy(rec.MacroText, text.data(), n);
}

int ScheduleHour24(const TMacroRecord& rec) {
    const int hour = rec.ScheduleHour;
    if (rec.SchedulePM == 1) return hour == 12 ? 12 : hour + 12;
    return hour == 12 ? 0 : hour;
}

int PopupMenu::IconPixels() const {
    static constexpr int kPixels[] = {16, 24, 32, 48, 64};
    return kPixels[std::clamp(iconSizeIndex, 0, 4)];
}

PopupMenu ReadPopupMenu(const TMacroRecord& rec, int macroCount) {
    PopupMenu menu;
    const std::string_view opts = rec.Abbreviation.view();
    menu.inTray = !opts.empty() && opts[0] == 'Y';
    if (opts.size() >= 2 && (opts[1] == '1' || opts[1] == '2'))
        menu.show = static_cast<PopupShow>(opts[1] - '0');
    if (opts.size() >= 3 && opts[2] >= '0' && opts[2] <= '4') menu.iconSizeIndex = opts[2] - '0';

    const std::size_t count = ReadU16(rec.MacroText);
    if (count > kMaxPopupItems) return menu;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t n = ReadU16(rec.MacroText + 2 + 2 * i);
        if (n >= 1 && n <= macroCount) menu.items.push_back(n);
    }
    return menu;
}

void WritePopupMenu(TMacroRecord& rec, const PopupMenu& menu) {
    const char opts[3] = {menu.inTray ? 'Y' : 'N', static_cast<char>('0' + static_cast<int>(menu.show)),
                          static_cast<char>('0' + std::clamp(menu.iconSizeIndex, 0, 4))};
    rec.Abbreviation.assign(std::string_view(opts, 3));

    std::memset(rec.MacroText, 0, sizeof rec.MacroText);
    const std::size_t count = std::min(menu.items.size(), kMaxPopupItems);
    WriteU16(rec.MacroText, static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) WriteU16(rec.MacroText + 2 + 2 * i, menu.items[i]);
}

void DefaultTimer(TMacroRecord& rec, double now) {
    const win::DateTimeParts today = win::DecodeDateTime(now);
    rec.ScheduleType = 3;
    std::fill(std::begin(rec.ScheduleDays), std::end(rec.ScheduleDays), std::uint8_t{1});
    rec.ScheduleHour = 12;
    rec.ScheduleMinute = 0;
    rec.SchedulePM = 1;
    rec.ScheduleMonth = static_cast<std::uint8_t>(today.month);
    rec.ScheduleDay = static_cast<std::uint8_t>(today.day);
    rec.ScheduleYear = static_cast<std::uint16_t>(today.year);
    rec.ScheduleWeekDay = static_cast<std::uint8_t>(win::DayOfWeek(now));
    rec.MinutePastHour = 15;
    rec.IntervalMinutes = 15;
}

}  // namespace tessaro
