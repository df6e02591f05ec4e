// Date and time tokens: tried after every other token, dates first, then times without
// and with the zero flag.
#include <span>
#include <string>

#include "editor/script/command_table.h"
#include "editor/script/macro_tokens.h"
#include "editor/script/parse_token.h"

namespace tessaro::parse {

namespace {

// The example shown beside a format: the format applied to Monday 30 March 1998, 15:04:23.
std::string Example(std::string_view format, bool isDate) {
    struct Part {
        std::string_view pattern, text;
    };
    static constexpr Part kDateParts[] = {{"YYYY", "1998"}, {"YY", "98"},   {"Mmmmm", "March"},
                                          {"MMM", "MAR"},   {"Mmm", "Mar"}, {"MM", "03"},
                                          {"DD", "30"}};
    static constexpr std::string_view kWeekdays[] = {"Mon", "MON", "Monday", "MONDAY"};
    static constexpr std::string_view kWeekday = "Day of Week ";
    if (isDate && format.starts_with(kWeekday) && format.size() == kWeekday.size() + 1) {
        const int n = format.back() - '1';
        return n >= 0 && n < 4 ? std::string(kWeekdays[n]) : std::string();
    }
    // Twelve-hour formats end in " am", " AM" or "a" and show the hour without its zero.
    std::string suffix;
    if (!isDate) {
        if (format.ends_with(" am")) suffix = " pm";
        else if (format.ends_with(" AM")) suffix = " PM";
        else if (format.ends_with("a")) suffix = "p";
        if (!suffix.empty()) format.remove_suffix(suffix.size());
    }
    const std::string hour = suffix.empty() ? "15" : "3";
    const Part timeParts[] = {{"hh", hour}, {"mm", "04"}, {"ss", "23"}};
    std::string out;
    while (!format.empty()) {
        bool replaced = false;
        for (const Part& part : isDate ? std::span<const Part>(kDateParts) : std::span<const Part>(timeParts)) {
            if (format.starts_with(part.pattern)) {
                out += part.text;
                format.remove_prefix(part.pattern.size());
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            out += format.front();
            format.remove_prefix(1);
        }
    }
    return out + suffix;
}

std::optional<Made> DateToken(const Cursor& c) {
    for (int f = 1; f <= kDateFormatCount; ++f) {
        const std::string_view format = DateFormat(f);
        const std::size_t n = format.size() + 2;  // "<", the format, "{"
        if (!c.CharIs(n - 1, '{') || c.Field(1, format.size()) != format) continue;
        TDateTimeRec rec{.IsDate = true, .FormatIndex = f, .YesNo = c.CharIs(n, 'Y')};
        std::size_t length = 0;
        if (c.CharIs(n + 2, '>')) {  // "{Y}>": no offset
            rec.Forward = true;
            rec.DayOffset = 0;
            length = n + 3;
        } else {
            // The offset form's "}>" is written back, so it must stand in its place.
            if (!c.CharIs(n + 5, '}') || !c.CharIs(n + 6, '>')) return std::nullopt;
            rec.Forward = !c.CharIs(n + 1, 'P');
            rec.DayOffset = c.Int(n + 2, 3);
            length = n + 7;
        }
        std::string offset;
        if (rec.DayOffset > 0) {
            offset = " (" + Num(rec.DayOffset) + (rec.DayOffset == 1 ? " day" : " days") +
                     (rec.Forward ? " in future)" : " in past)");
        }
        std::string display = std::string(CommandName(cmd::Date)) + offset + ": " + std::string(format) + "  (" +
                               Example(format, true) + ")";
        return Made{length, MakeLine(cmd::Date, std::move(display), rec)};
    }
    return std::nullopt;
}

std::optional<Made> TimeToken(const Cursor& c, bool zeros) {
    const std::string_view flag = zeros ? "{Y}>" : "{N}>";
    for (int f = 1; f <= kTimeFormatCount; ++f) {
        const std::string_view format = TimeFormat(f);
        if (c.Field(1, format.size()) != format || c.Field(1 + format.size(), flag.size()) != flag) continue;
        TDateTimeRec rec{.IsDate = false, .FormatIndex = f, .YesNo = zeros, .Forward = true, .DayOffset = 0};
        std::string display = std::string(CommandName(cmd::Time)) + ": " + std::string(format) + "  (" +
                              Example(format, false) + ")";
        return Made{1 + format.size() + flag.size(), MakeLine(cmd::Time, std::move(display), rec)};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Made> DateTimeToken(const Cursor& c) {
    if (auto date = DateToken(c)) return date;
    if (auto time = TimeToken(c, false)) return time;
    return TimeToken(c, true);
}

}  // namespace tessaro::parse
