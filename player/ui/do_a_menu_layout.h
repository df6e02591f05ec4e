#pragma once
// The popup chooser's logic without a screen: its options, the items it lists, its size in
// each style, the text of each line, the keys that choose and where the window goes.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/config_record.h"

namespace tessaro {

enum class ChooserStyle { Text, Icons, Names };

struct ChooserOptions {
    ChooserStyle style = ChooserStyle::Names;
    int iconSize = 16;
};
// From the three option characters of a popup-menu record: the second gives the style
// ("1" text, "2" icons, else names), the third the icon size ("0".."4": 16..64, else 16).
ChooserOptions ChooserOptionsOf(std::string_view options);

// One macro the chooser lists (texts Windows-1252).
struct ChooserItem {
    int macro = 0;
    std::string nickname;
    std::string text;
    std::uint16_t activationCode = 0;
    std::uint16_t scope = 0;
    std::string scopeText;
    std::string abbreviation;
    TMacroIcon icon;
};

inline constexpr int kChooserLineHeight = 17;
inline constexpr int kLinesPerList = 18;

struct ChooserGeometry {
    int width = 0;              // client width
    int height = 0;             // client height
    int listHeight = 0;         // the first list (list styles)
    bool twoLists = false;      // list styles: items 19.. in a second list
    int rows = 0, columns = 0;  // icon style: the button grid
    int button = 0;             // icon style: side of one square button
};
// Icon style: buttons of size + 4, nine to a row; `bottom` is the height of the Cancel row.
ChooserGeometry IconGeometry(int items, int iconSize, int bottom = 22);
// List styles: lines of 17 pixels, 18 to a list, one list 300 wide or two in 604;
// `bottom` is the height of the Cancel row with its hint.
ChooserGeometry ListGeometry(int items, int bottom = 42);

// "0".."9" for items 0..9, "A".."Z" for items 10..35.
char KeyOfItem(int index);
// The item a typed key chooses: digits and letters of either case, when the item exists.
std::optional<int> ItemOfKey(char key, int items);

// What the name column says: the nickname, or for a nameless macro its activation.
std::string ActivationDescription(const ChooserItem& item);
// What the scope column says.
std::string ScopeDescription(const ChooserItem& item);
// The text cut from its end until `measure` says it fits `width`.
std::string CutToWidth(std::string text, int width, const std::function<int(const std::string&)>& measure);
// The macro text on one line: line breaks and other control characters as blanks.
std::string OneLine(std::string_view text);

// Where the window goes: opened from a popup-menu tray icon at x, it sits on the bottom of
// the screen with its left edge at x, or its right edge at x when it would not fit, never
// left of 0; otherwise it is centred.
struct ChooserPlace {
    int x = 0, y = 0;
};
ChooserPlace ChooserPosition(std::optional<int> iconX, int width, int height, int screenWidth,
                             int screenHeight);

}  // namespace tessaro
