// Date and time tokens: tried after every other token, dates first, then times without
// and with the zero flag.
#include <string>

#include "editor/script/command_table.h"
#include "editor/script/display_text.h"
#include "editor/script/parse_token.h"
#include "macro/macro_language.h"

namespace tessaro::parse {

namespace {

std::optional<Made> DateToken(const Cursor& c) {
    const auto formats = DateFormats();
    for (int f = 1; f <= static_cast<int>(formats.size()); ++f) {
        const std::string_view format = formats[f - 1];
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
        return Made{length, tessaro::MakeLine(cmd::Date, rec), cmd::Date};
    }
    return std::nullopt;
}

std::optional<Made> TimeToken(const Cursor& c, bool zeros) {
    const std::string_view flag = zeros ? "{Y}>" : "{N}>";
    const auto formats = TimeFormats();
    for (int f = 1; f <= static_cast<int>(formats.size()); ++f) {
        const std::string_view format = formats[f - 1];
        if (c.Field(1, format.size()) != format || c.Field(1 + format.size(), flag.size()) != flag) continue;
        TDateTimeRec rec{.IsDate = false, .FormatIndex = f, .YesNo = zeros, .Forward = true, .DayOffset = 0};
        return Made{1 + format.size() + flag.size(), tessaro::MakeLine(cmd::Time, rec), cmd::Time};
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
