#include "editor/script/macro_tokens.h"

#include <array>

namespace tessaro {
namespace {

constexpr std::array<std::string_view, kDateFormatCount> kDateFormats = {
    "MM/DD/YY", "MM-DD-YY", "MM.DD.YY", "MM/DD/YYYY", "MM-DD-YYYY", "MM.DD.YYYY",
    "DD/MM/YY", "DD-MM-YY", "DD.MM.YY", "DD/MM/YYYY", "DD-MM-YYYY", "DD.MM.YYYY",
    "YY/MM/DD", "YY-MM-DD", "YY.MM.DD", "YYYY/MM/DD", "YYYY-MM-DD", "YYYY.MM.DD",
    "MMM YYYY", "Mmm YYYY", "DD MMM YY", "DD Mmm YY", "DD MMM YYYY", "DD Mmm YYYY",
    "DD Mmmmm YY", "DD Mmmmm YYYY", "Mmm DD YY", "Mmm DD, YY", "Mmm DD YYYY", "Mmm DD, YYYY",
    "Mmmmm DD YY", "Mmmmm DD, YY", "Mmmmm DD YYYY", "Mmmmm DD, YYYY", "MMDDYY", "MMDDYYYY",
    "DDMMYY", "DDMMYYYY", "YYMMDD", "YYYYMMDD", "DD", "MM", "Mmm", "MMM", "Mmmmm", "YY",
    "YYYY", "Day of Week 1", "Day of Week 2", "Day of Week 3", "Day of Week 4",
};

constexpr std::array<std::string_view, kTimeFormatCount> kTimeFormats = {
    "hh:mm", "hh.mm", "hh,mm", "hhmm", "hh:mm:ss", "hh.mm.ss", "hh,mm,ss", "hhmmss", "hh",
    "mm", "ss", "hh:mm am", "hh.mm am", "hh,mm am", "hh:mm:ss am", "hh.mm.ss am",
    "hh,mm,ss am", "hh:mm AM", "hh.mm AM", "hh,mm AM", "hh:mm:ss AM", "hh.mm.ss AM",
    "hh,mm,ss AM", "hh:mma", "hh.mma", "hh,mma",
};

template <std::size_t N>
std::string_view At(const std::array<std::string_view, N>& table, int index) {
    if (index < 1 || index > static_cast<int>(N)) return {};
    return table[static_cast<std::size_t>(index - 1)];
}

}  // namespace

std::string_view DateFormat(int index) { return At(kDateFormats, index); }
std::string_view TimeFormat(int index) { return At(kTimeFormats, index); }

}  // namespace tessaro
