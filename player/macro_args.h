#pragma once
// Reading the arguments of macro tokens: fixed-position numbers and free text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaro {

// The characters [from, from + width) of text, clipped to its end.
std::string_view FieldAt(std::string_view text, std::size_t from, std::size_t width);

// Decimal integer from the leading sign and digits of s (blanks before them skipped);
// 0 when there are none. Saturates instead of overflowing.
std::int64_t LeadingInteger(std::string_view s);

// Decimal number (sign, digits, one point) from the whole of s, blanks around allowed.
std::optional<double> ParseDecimal(std::string_view s);

// The value of the leading number of s ("1.5x" gives 1.5); 0 when there is none.
double LeadingDecimal(std::string_view s);

// Position just past the first '>' at or after from; the text's length when there is none.
std::size_t PastClose(std::string_view text, std::size_t from);

// The free text from `from` up to (not including) the first '>' or the end.
std::string_view FreeText(std::string_view text, std::size_t from);

}  // namespace tessaro
