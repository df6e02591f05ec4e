#include "editor/model/tools/option_rules.h"

#include <algorithm>
#include <cctype>

#include "foundation/strings.h"

namespace tessaro {

std::string PrefixKeysError(std::string_view text, bool leavingField) {
    const std::string_view allowed = leavingField ? "!#$%&*+,-./;<=>?@^_" : "!#$%&*+,-./;<=>?@\\^_";
    for (char c : TrimBlanks(text)) {
        if (std::isalnum(static_cast<unsigned char>(c)) || allowed.find(c) != std::string_view::npos)
            continue;
        return leavingField
                   ? "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, "
                     "0 - 9 and ' ! @ # $ % ^ & _ = < > ? . ; , * - / +"
                   : "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, "
                     "0 - 9 and ' ! @ # $ % ^ & _ = < > ? . ; , * - / + \\";
    }
    return {};
}

template <std::size_t N>
std::vector<std::string> SortNames(std::string_view sort, const std::array<const char*, N>& table) {
    std::string digits(sort);
    std::string sorted = digits;
    std::sort(sorted.begin(), sorted.end());
    std::string expected;
    for (std::size_t i = 1; i <= N; ++i) expected += static_cast<char>('0' + i);
    if (sorted != expected) digits = expected;
    std::vector<std::string> names;
    for (char d : digits) names.emplace_back(table[static_cast<std::size_t>(d - '1')]);
    return names;
}

template <std::size_t N>
std::string SortString(const std::vector<std::string>& names, const std::array<const char*, N>& table) {
    std::string out;
    for (const std::string& name : names) {
        const auto at = std::find_if(table.begin(), table.end(), [&](const char* t) { return name == t; });
        if (at != table.end()) out += static_cast<char>('1' + (at - table.begin()));
    }
    return out;
}

template std::vector<std::string> SortNames(std::string_view, const std::array<const char*, 3>&);
template std::vector<std::string> SortNames(std::string_view, const std::array<const char*, 5>&);
template std::string SortString(const std::vector<std::string>&, const std::array<const char*, 3>&);
template std::string SortString(const std::vector<std::string>&, const std::array<const char*, 5>&);

MoveButtons SortButtons(int selected, int count) {
    if (selected < 0 || selected >= count) return {};
    return {selected > 0, selected < count - 1};
}

std::optional<int> SwapPickerTop(int y, int pickerHeight, int screenHeight) {
    if (screenHeight - y >= y - 50 && y + pickerHeight <= screenHeight + 40) return y;
    if (y - pickerHeight - 50 >= 0) return y - pickerHeight - 50;
    return std::nullopt;
}

long LenientNumber(std::string_view text) {
    const std::string t = TrimBlanks(text);
    long value = 0;
    for (char c : t) {
        if (c < '0' || c > '9' || value > 100000000) break;
        value = value * 10 + (c - '0');
    }
    return value;
}

WidthCheck CheckAppearanceWidths(const std::array<std::string, 3>& columns, const std::string& category,
                                 bool showCategories) {
    for (int i = 0; i < 3; ++i)
        if (LenientNumber(columns[static_cast<std::size_t>(i)]) < 1) return {i, "Invalid width specified."};
    if (showCategories && LenientNumber(category) < 120) return {3, "Category width must be at least 120."};
    return {};
}

}  // namespace tessaro
