#pragma once
// TDateOrTime: the tokens that type the date or the time in a chosen format.
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/model/commands/command_form.h"
#include "foundation/config_record.h"

namespace tessaro {

struct DateTimeForm {
    bool IsTime = false;
    std::int32_t Selected = 0;  // the list's index, from 0
    bool Suppress = false;
    std::string Days = "0";
    bool Future = true;
};

struct DateTimeFields {
    bool IsDate = true;
    std::int32_t FormatIndex = 1;
    bool KeepZeros = true;
    bool IsFuture = true;
    std::int32_t DayOffset = 0;
};

// The list's rows: format and example, from the shared tables.
int DateTimeFormatCount(bool isTime);
std::string_view DateTimeFormat(bool isTime, int index);  // index from 0
std::string_view DateTimeExample(bool isTime, int index);

// A new dialog opens on the last format and suppression kept in the settings.
DateTimeForm DateTimeDefaults(bool isTime, const TConfigRecord& settings);
DateTimeForm DateTimePreset(const TDateTimeRec& rec);
FormResult<DateTimeFields> BuildDateTime(const DateTimeForm& form);
// What OK keeps in the settings (in memory; saved with the other settings).
void RememberDateTime(const DateTimeForm& form, TConfigRecord& settings);

}  // namespace tessaro
