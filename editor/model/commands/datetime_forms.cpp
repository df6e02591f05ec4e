#include "editor/model/commands/datetime_forms.h"

#include "editor/script/display_text.h"
#include "macro/macro_language.h"

namespace tessaro {

int DateTimeFormatCount(bool isTime) {
    return static_cast<int>(isTime ? TimeFormats().size() : DateFormats().size());
}

std::string_view DateTimeFormat(bool isTime, int index) {
    if (index < 0 || index >= DateTimeFormatCount(isTime)) return {};
    return isTime ? TimeFormats()[static_cast<std::size_t>(index)]
                  : DateFormats()[static_cast<std::size_t>(index)];
}

std::string_view DateTimeExample(bool isTime, int index) {
    return isTime ? TimeExample(index + 1) : DateExample(index + 1);
}

namespace {
std::int32_t ValidIndex(bool isTime, std::int32_t index) {
    return index >= 0 && index < DateTimeFormatCount(isTime) ? index : 0;
}
}  // namespace

DateTimeForm DateTimeDefaults(bool isTime, const TConfigRecord& s) {
    DateTimeForm f;
    f.IsTime = isTime;
    f.Selected = ValidIndex(isTime, isTime ? s.LastTimeFormat : s.LastDateFormat);
    f.Suppress = isTime ? s.SuppressZerosInTime : s.SuppressZerosInDate;
    return f;
}

DateTimeForm DateTimePreset(const TDateTimeRec& rec) {
    DateTimeForm f;
    f.IsTime = !rec.IsDate;
    f.Selected = ValidIndex(f.IsTime, rec.FormatIndex - 1);
    f.Suppress = !rec.YesNo;
    f.Days = std::to_string(rec.DayOffset);
    f.Future = rec.Forward;
    return f;
}

FormResult<DateTimeFields> BuildDateTime(const DateTimeForm& form) {
    if (form.Selected < 0 || form.Selected >= DateTimeFormatCount(form.IsTime)) return {};
    DateTimeFields out;
    out.IsDate = !form.IsTime;
    out.FormatIndex = form.Selected + 1;
    out.KeepZeros = !form.Suppress;
    TDateTimeRec rec{.IsDate = out.IsDate, .FormatIndex = out.FormatIndex, .YesNo = out.KeepZeros};
    if (form.IsTime) return Finish(out, cmd::Time, rec);
    // Three digits in the token: a larger or negative offset would be misread.
    const auto days = WholeInRange(FieldText(form.Days), 0, 999);
    if (!days) return Fail<DateTimeFields>("Days must be between 0 and 999.  Please correct.", "Days");
    out.IsFuture = rec.Forward = form.Future;
    out.DayOffset = rec.DayOffset = *days;
    return Finish(out, cmd::Date, rec);
}

void RememberDateTime(const DateTimeForm& form, TConfigRecord& s) {
    if (form.IsTime) {
        s.LastTimeFormat = form.Selected;
        s.SuppressZerosInTime = form.Suppress;
    } else {
        s.LastDateFormat = form.Selected;
        s.SuppressZerosInDate = form.Suppress;
    }
}

}  // namespace tessaro
