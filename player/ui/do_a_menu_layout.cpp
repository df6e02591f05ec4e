#include "player/ui/do_a_menu_layout.h"

#include <algorithm>

#include "macro/macro_record.h"
#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

ChooserOptions ChooserOptionsOf(std::string_view options) {
    static constexpr int kSizes[] = {16, 24, 32, 48, 64};
    ChooserOptions o;
    if (options.size() >= 2 && options[1] == '1') o.style = ChooserStyle::Text;
    if (options.size() >= 2 && options[1] == '2') o.style = ChooserStyle::Icons;
    if (options.size() >= 3 && options[2] >= '0' && options[2] <= '4') o.iconSize = kSizes[options[2] - '0'];
    return o;
}

ChooserGeometry IconGeometry(int items, int iconSize, int bottom) {
    ChooserGeometry g;
    g.button = iconSize + 4;
    g.columns = std::clamp(items, 1, 9);
    g.rows = std::max(1, (items + 8) / 9);
    g.height = g.rows * g.button + bottom;
    if (items > 8)
        g.width = iconSize * 9 + 36;
    else if (items >= 4)
        g.width = items * g.button;
    else
        g.width = 4 * g.button;
    return g;
}

ChooserGeometry ListGeometry(int items, int bottom) {
    ChooserGeometry g;
    g.twoLists = items > kLinesPerList;
    g.listHeight = std::min(items, kLinesPerList) * kChooserLineHeight + 8;
    g.width = g.twoLists ? 604 : 300;
    g.height = g.listHeight + bottom;
    return g;
}

char KeyOfItem(int index) {
    return index < 10 ? static_cast<char>('0' + index) : static_cast<char>('A' + index - 10);
}

std::optional<int> ItemOfKey(char key, int items) {
    int index = -1;
    if (key >= '0' && key <= '9') index = key - '0';
    if (key >= 'A' && key <= 'Z') index = 10 + key - 'A';
    if (key >= 'a' && key <= 'z') index = 10 + key - 'a';
    if (index < 0 || index >= items) return std::nullopt;
    return index;
}

std::string ActivationDescription(const ChooserItem& item) {
    if (!item.nickname.empty()) return item.nickname;
    switch (item.activationCode) {
        case acNone: return "None";
        case acWindowTitle: return "Window Title";
        case acScheduled: return "Timed Macro";
        case acAbbreviation: return item.abbreviation;
        default:
            return item.activationCode <= kMaxHotKeyCode ? HotKeyNames(item.activationCode) : std::string();
    }
}

std::string ScopeDescription(const ChooserItem& item) {
    if (item.scope == scGlobal) return "GLOBAL";
    if (item.scope == scPopupMenu) return "Popup Menu";
    return item.scopeText;
}

std::string CutToWidth(std::string text, int width, const std::function<int(const std::string&)>& measure) {
    while (!text.empty() && measure(text) > width) text.pop_back();
    return text;
}

std::string OneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    return line;
}

ChooserPlace ChooserPosition(std::optional<int> iconX, int width, int height, int screenWidth,
                             int screenHeight) {
    if (!iconX) return {(screenWidth - width) / 2, (screenHeight - height) / 2};
    int x = *iconX;
    if (x + width > screenWidth) x = *iconX - width;
    return {std::max(0, x), std::max(0, screenHeight - height)};
}

}  // namespace tessaro
