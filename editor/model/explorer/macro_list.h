#pragma once
// The explorer's macro list without widgets: which macros a category shows and in what
// order (three sort settings with rank prefixes), finding a macro's row again, the texts
// of the grid cells and the printed list, and the grid's spacing arithmetic.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/config_record.h"
#include "protocol/glob_data.h"

namespace tessaro {

// The sort settings of the settings record: digits as stored ("123", "12345", "12345").
struct SortSettings {
    std::string primary;     // 1 activation, 2 nickname, 3 scope; characters 1 and 2 read
    std::string activation;  // rank of: 1 hot key, 2 abbreviation, 3 timed, 4 none, 5 window title
    std::string scope;       // rank of scopes 1..5; characters 1 to 4 read
};
SortSettings SortSettingsOf(const TConfigRecord& config);

// The parts of a macro the list sorts and shows.
struct ListedMacro {
    int number = 0;
    std::uint16_t activationCode = 0;
    std::uint16_t scope = 0;
    std::string scopeText;     // as stored (20 characters)
    std::string nickname;      // as stored (50)
    std::string abbreviation;  // as stored (10)
    bool enabled = false;
    bool topmostOnly = false;
};
ListedMacro ListedMacroOf(const TGlobData& glob, const TConfigRecord& config, int n);

// Sort keys, compared as byte strings.
std::string ActivationPart(const ListedMacro& m, std::string_view activationSort);
std::string ScopePart(const ListedMacro& m, std::string_view scopeSort);
std::string SortKey(const ListedMacro& m, const SortSettings& sort);

// The macros listed for a category (0: all), in list order: RowMacro[1..] as a vector
// (row r is element r - 1). Keys are built once per macro; equal keys keep file order.
std::vector<int> FillListRows(const TGlobData& glob, const TConfigRecord& config, int category);

// The row (1-based) that shows macro n, or -1.
int ReverseSort(const std::vector<int>& rowMacro, int n);

// Grid cell texts: column 2 (activation) and column 4 (scope).
std::string ActivationCellText(std::uint16_t code, std::string_view abbreviation);
std::string ScopeCellText(std::uint16_t scope, std::string_view scopeText);
inline constexpr const char* kGridTitles[5] = {"", "Icon", "Activation", "Nickname", "Scope"};
// The text of a macro row's cell (column 0 the row number, column 1 none: the icon).
std::string CellText(int column, int row, const ListedMacro& m);
// A disabled macro's cells are grey italic, all but the row number.
inline bool GreyItalic(int column, bool enabled) { return !enabled && column != 0; }

// The printed list's activation and scope texts.
std::string PrintActivationText(std::uint16_t code, std::string_view abbreviation);
std::string PrintScopeText(std::uint16_t scope, std::string_view scopeText, bool topmostOnly);

// Cuts characters from the end until `width(text)` is at most maxWidth (no ellipsis).
std::string CutToWidth(std::string text, int maxWidth, const std::function<int(std::string_view)>& width);

// Row height round(h * 1.1) from the grid font's "ZZYyjkla" height h, title row height ht,
// column 0 as wide as "9999" (w).
struct GridSpacing {
    int rowHeight = 0;
    int titleHeight = 0;
    int column0Width = 0;
};
GridSpacing AdjustGridSpacing(int textHeight, int digitsWidth, int titleTextHeight);

// Printed page layout (integer divisions).
struct PrintMargins {
    int left = 0;
    int top = 0;
    int lastLine = 0;
};
PrintMargins PrintMarginsFor(int pageWidth, int pageHeight);

}  // namespace tessaro
