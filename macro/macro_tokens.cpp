#include "macro/macro_tokens.h"

#include <span>

#include "macro/macro_language.h"

namespace tessaro {
namespace {

std::string_view At(std::span<const std::string_view> table, int index) {
    if (index < 1 || index > static_cast<int>(table.size())) return {};
    return table[static_cast<std::size_t>(index - 1)];
}

}  // namespace

std::string_view DateFormat(int index) { return At(DateFormats(), index); }
std::string_view TimeFormat(int index) { return At(TimeFormats(), index); }

}  // namespace tessaro
