#pragma once
// The few rules of the option, appearance and sort-order dialogs that are more than
// copying a control to a setting.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// The first character of the prefix keys that may not stand there, as the message for the
// user; empty when all may. While typing a backslash is allowed, on leaving the field not.
std::string PrefixKeysError(std::string_view text, bool leavingField);

// The name tables of the sort dialog: a sort string's digits pick their names.
inline constexpr std::array<const char*, 3> kPrimarySortNames = {"Activation", "Nickname", "Scope"};
inline constexpr std::array<const char*, 5> kActivationSortNames = {"Hot Key", "Snipra", "Timed Macro",
                                                                    "None", "Window Title"};
inline constexpr std::array<const char*, 5> kScopeSortNames = {"Global", "Specific Window",
                                                               "Specific Program", "PopUp Menu", "System"};

// The names in the order of the sort string; a string that is not a permutation of the
// digits 1..n gives the default order.
template <std::size_t N>
std::vector<std::string> SortNames(std::string_view sort, const std::array<const char*, N>& table);

// The sort string of names in list order.
template <std::size_t N>
std::string SortString(const std::vector<std::string>& names, const std::array<const char*, N>& table);

// Which of a list's up and down buttons apply to the selection (-1: none).
struct MoveButtons {
    bool Up = false;
    bool Down = false;
};
MoveButtons SortButtons(int selected, int count);

// The appearance dialog's width checks, in their order: the index of the first field to
// fix (0..2 the columns, 3 the category width) with its message, or -1.
struct WidthCheck {
    int Field = -1;
    std::string Message;
};
WidthCheck CheckAppearanceWidths(const std::array<std::string, 3>& columns, const std::string& category,
                                 bool showCategories);

// The top of the character picker opened below a remapper cell whose bottom is at screen
// position `y`; nullopt: centre it vertically.
std::optional<int> SwapPickerTop(int y, int pickerHeight, int screenHeight);

// A number typed into a dialog field read the lenient way: leading digits count, anything
// else gives 0 (so "abc" is 0, "12x" is 12).
long LenientNumber(std::string_view text);

}  // namespace tessaro
