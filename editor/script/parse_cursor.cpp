#include "editor/script/parse_cursor.h"

#include <algorithm>
#include <limits>

#include "macro/macro_language.h"

namespace tessaro::parse {

std::int32_t ToInt(std::string_view field) {
    constexpr long kMax = std::numeric_limits<std::int32_t>::max();
    constexpr long kMin = std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::clamp(ArgInt(field), kMin, kMax));
}

double ToReal(std::string_view field) { return ArgReal(field).value_or(0.0); }

std::optional<char> Cursor::At(std::size_t k) const {
    if (k >= Remaining()) return std::nullopt;
    return s_[p_ + k];
}

std::string_view Cursor::Field(std::size_t k, std::size_t w) const {
    if (k >= Remaining()) return {};
    return Rest().substr(k, w);
}

std::optional<FreeText> Cursor::Until(std::size_t k, char delimiter) const {
    if (k > Remaining()) return std::nullopt;
    const std::string_view rest = Rest();
    const std::size_t end = rest.find(delimiter, k);
    if (end == std::string_view::npos) return std::nullopt;
    return FreeText{rest.substr(k, end - k), end + 1};
}

}  // namespace tessaro::parse
