#pragma once
// One macro as stored in a macro file (and in export files): a fixed 5,165-byte record.
// A macro file is nothing but a sequence of these, so the layout is fixed to the byte.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/short_string.h"
#include "protocol/glob_data.h"

namespace tessaro {

static_assert(std::endian::native == std::endian::little, "records are stored little endian");

inline constexpr std::size_t kMacroTextCapacity = 5000;
inline constexpr int kMaxHotKeyCode = kHotKeyCodeCount - 1;

// Scope values.
inline constexpr std::uint16_t scGlobal = 1;
inline constexpr std::uint16_t scWindow = 2;
inline constexpr std::uint16_t scProgram = 3;
inline constexpr std::uint16_t scPopupMenu = 4;
inline constexpr std::uint16_t scSystem = 5;

#pragma pack(push, 1)
struct TMacroRecord {
    ShortString<50> Nickname;
    ShortString<30> ScopeText;
    ShortString<10> Abbreviation;  // scope 4: three option characters instead
    std::uint16_t ActivationCode = 0;
    std::uint16_t Scope = 0;
    std::uint8_t Enabled = 0;
    std::uint16_t Reserved98 = 0;
    char MacroText[kMacroTextCapacity + 1] = {};  // NUL-terminated; scope 4: the item list
    ShortString<12> IconName;
    std::uint16_t ScheduleType = 0;
    std::uint8_t ScheduleDays[7] = {};  // Monday .. Sunday
    std::uint8_t ScheduleHour = 0;      // 1..12, see SchedulePM
    std::uint8_t ScheduleMinute = 0;
    std::uint8_t ScheduleMonth = 0;
    std::uint8_t ScheduleDay = 0;
    std::uint8_t MinutePastHour = 0;
    std::uint16_t IntervalMinutes = 0;
    std::uint8_t ScheduleWeekDay = 0;  // 1 Sunday .. 7 Saturday
    std::uint16_t ScheduleYear = 0;
    std::uint8_t SchedulePM = 0;
    std::uint8_t TopmostOnly = 0;
    double LastModified = 0;  // days since 1899-12-30
    std::int32_t CategoryId = 0;
    std::uint16_t AbbrevCase = 0;   // 1 first letter follows, 2 exact, 3 ignored
    std::uint16_t AbbrevErase = 0;  // 1 erase the typed abbreviation, 2 leave it
    std::uint8_t Reserved5151[14] = {};
};
#pragma pack(pop)

inline constexpr std::size_t kMacroRecordSize = 5165;

static_assert(sizeof(TMacroRecord) == kMacroRecordSize);
static_assert(offsetof(TMacroRecord, Nickname) == 0);
static_assert(offsetof(TMacroRecord, ScopeText) == 51);
static_assert(offsetof(TMacroRecord, Abbreviation) == 82);
static_assert(offsetof(TMacroRecord, ActivationCode) == 93);
static_assert(offsetof(TMacroRecord, Scope) == 95);
static_assert(offsetof(TMacroRecord, Enabled) == 97);
static_assert(offsetof(TMacroRecord, Reserved98) == 98);
static_assert(offsetof(TMacroRecord, MacroText) == 100);
static_assert(offsetof(TMacroRecord, IconName) == 5101);
static_assert(offsetof(TMacroRecord, ScheduleType) == 5114);
static_assert(offsetof(TMacroRecord, ScheduleDays) == 5116);
static_assert(offsetof(TMacroRecord, ScheduleHour) == 5123);
static_assert(offsetof(TMacroRecord, ScheduleMinute) == 5124);
static_assert(offsetof(TMacroRecord, ScheduleMonth) == 5125);
static_assert(offsetof(TMacroRecord, ScheduleDay) == 5126);
static_assert(offsetof(TMacroRecord, MinutePastHour) == 5127);
static_assert(offsetof(TMacroRecord, IntervalMinutes) == 5128);
static_assert(offsetof(TMacroRecord, ScheduleWeekDay) == 5130);
static_assert(offsetof(TMacroRecord, ScheduleYear) == 5131);
static_assert(offsetof(TMacroRecord, SchedulePM) == 5133);
static_assert(offsetof(TMacroRecord, TopmostOnly) == 5134);
static_assert(offsetof(TMacroRecord, LastModified) == 5135);
static_assert(offsetof(TMacroRecord, CategoryId) == 5143);
static_assert(offsetof(TMacroRecord, AbbrevCase) == 5147);
static_assert(offsetof(TMacroRecord, AbbrevErase) == 5149);
static_assert(offsetof(TMacroRecord, Reserved5151) == 5151);

// The macro text up to its NUL (at most 5,000 characters).
std::string GetMacroText(const TMacroRecord& rec);
// Stores the text cut to 5,000 characters, NUL-terminated, the rest of the field zeroed.
void SetMacroText(TMacroRecord& rec, std::string_view text);

// The schedule of a new timed macro: chosen weekdays, all seven on, 12:00 PM, today's
// date, 15 minutes past the hour, every 15 minutes.
void DefaultTimer(TMacroRecord& rec, double now);

// The 24-hour value of the stored 12-hour schedule hour.
int ScheduleHour24(const TMacroRecord& rec);

// What a popup-menu macro (scope 4) keeps in Abbreviation and MacroText.
enum class PopupShow : std::uint8_t { FirstPartOfMacro = 1, Icons = 2, NicknameAndScope = 3 };

struct PopupMenu {
    bool inTray = false;
    PopupShow show = PopupShow::NicknameAndScope;
    int iconSizeIndex = 0;             // 0..4: 16, 24, 32, 48, 64 pixels
    std::vector<std::uint16_t> items;  // macro numbers in menu order

    int IconPixels() const;
};

// Reads leniently: unknown option characters take their defaults; a damaged item count
// gives no items; item numbers outside 1..macroCount are skipped.
PopupMenu ReadPopupMenu(const TMacroRecord& rec, int macroCount);
// Writes the three option characters and the item list (rest of the text field zeroed).
// Items beyond what the field holds are dropped.
void WritePopupMenu(TMacroRecord& rec, const PopupMenu& menu);

}  // namespace tessaro
