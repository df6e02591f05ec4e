#include "editor/model/wizard/combined_pages.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "editor/model/macro_forms/build_menu.h"
#include "foundation/settings.h"
#include "foundation/strings.h"
#include "macro/macro_record.h"
#include "protocol/window_messages.h"

namespace tessaro::wizard {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::vector<CombinedItem> CombinableMacros(const TGlobData& glob, const TConfigRecord& config) {
    std::vector<CombinedItem> items;
    const int count = std::clamp(glob.MacroCount, 0, static_cast<int>(kMaxMacros));
    for (int n = 1; n <= count; ++n) {
        const std::string nickname = config.MacroNicknames[n].str();
        if (glob.Scope[n] == scSystem || TrimBlanks(nickname).empty()) continue;
        items.push_back({nickname, n});
    }
    std::stable_sort(items.begin(), items.end(), [](const CombinedItem& a, const CombinedItem& b) {
        return LessIgnoringCase(a.nickname, b.nickname);
    });
    return items;
}

std::string CombinedList::AddALine(AddStyle style, const CombinedItem* chosen) {
    if (chosen == nullptr) return kNoMacroSelected;
    const int count = static_cast<int>(items.size());
    const int sel = HasSelection() ? selected : 0;
    int at = count;
    if (style == AddStyle::Before) at = sel;
    if (style == AddStyle::After) at = count > 0 ? sel + 1 : 0;
    items.insert(items.begin() + at, *chosen);
    selected = at;
    return {};
}

void CombinedList::Up() {
    if (!HasSelection() || selected == 0) return;
    std::swap(items[selected], items[selected - 1]);
    --selected;
}

void CombinedList::Down() {
    if (!HasSelection() || selected + 1 == static_cast<int>(items.size())) return;
    std::swap(items[selected], items[selected + 1]);
    ++selected;
}

std::string CombinedList::Delete() {
    if (!HasSelection()) return kNoLineChosen;
    items.erase(items.begin() + selected);
    selected = items.empty() ? -1 : std::min(selected, static_cast<int>(items.size()) - 1);
    return {};
}

CombinedButtons CombinedList::EnableDisable() const {
    if (!HasSelection()) return {};
    const bool last = selected + 1 == static_cast<int>(items.size());
    return {.up = selected > 0, .down = !last, .remove = true};
}

void P65ShowClick(WizardContext& ctx, bool checked) {
    ctx.Config.FirstUse = !checked;
    // A section that could not be written has been reported; the player keeps what it has.
    if (SaveMiscSettings(ctx.Config)) ctx.notify(puSettingsMisc, 0);
}

}  // namespace tessaro::wizard
