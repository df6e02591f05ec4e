#include "editor/model/macro_forms/build_menu.h"

#include <algorithm>

#include "protocol/hotkey_names.h"

namespace tessaro {

MenuLists::MenuLists(const TGlobData& glob, const std::vector<std::uint16_t>& stored) {
    const int count = std::clamp(glob.MacroCount, 0, kMaxMacros);
    for (std::uint16_t n : stored)
        if (n >= 1 && n <= count) members_.push_back(n);
    for (int n = 1; n <= count; ++n)
        if (glob.Scope[n] != scSystem && std::find(members_.begin(), members_.end(), n) == members_.end())
            available_.push_back(std::uint16_t(n));
}

MenuButtons MenuLists::Buttons() const {
    MenuButtons b;
    const int rows = int(members_.size());
    if (memberRow >= 0 && memberRow < rows) {
        b.remove = true;
        b.up = memberRow > 0;
        b.down = memberRow < rows - 1;
    }
    b.add = !available_.empty() && rows < kMaxMenuItems && availableRow >= 0 &&
            availableRow < int(available_.size());
    return b;
}

bool MenuLists::Add(InsertMode mode) {
    if (availableRow < 0 || availableRow >= int(available_.size())) return false;
    if (int(members_.size()) >= kMaxMenuItems) return false;
    const bool selected = memberRow >= 0 && memberRow < int(members_.size());
    int at = int(members_.size());
    if (mode == InsertMode::Before) at = selected ? memberRow : 0;
    if (mode == InsertMode::After) at = members_.empty() ? 0 : (selected ? memberRow : 0) + 1;
    const std::uint16_t n = available_[std::size_t(availableRow)];
    available_.erase(available_.begin() + availableRow);
    members_.insert(members_.begin() + at, n);
    memberRow = at;
    if (available_.empty())
        availableRow = -1;
    else
        availableRow = std::min(availableRow, int(available_.size()) - 1);
    return true;
}

bool MenuLists::Remove() {
    if (memberRow < 0 || memberRow >= int(members_.size())) return false;
    const std::uint16_t n = members_[std::size_t(memberRow)];
    members_.erase(members_.begin() + memberRow);
    const auto place = std::upper_bound(available_.begin(), available_.end(), n);
    availableRow = int(place - available_.begin());
    available_.insert(place, n);
    if (members_.empty())
        memberRow = -1;
    else
        memberRow = std::min(memberRow, int(members_.size()) - 1);
    return true;
}

void MenuLists::Up() {
    if (memberRow <= 0 || memberRow >= int(members_.size())) return;
    std::swap(members_[std::size_t(memberRow)], members_[std::size_t(memberRow - 1)]);
    --memberRow;
}

void MenuLists::Down() {
    if (memberRow < 0 || memberRow + 1 >= int(members_.size())) return;
    std::swap(members_[std::size_t(memberRow)], members_[std::size_t(memberRow + 1)]);
    ++memberRow;
}

BuildMenuOptions ShowBuildMenu(const TMacroRecord& rec, bool modifyExisting, int macroCount) {
    BuildMenuOptions o;
    o.iconFile = "MENU";
    if (!modifyExisting) return o;
    const PopupMenu menu = ReadPopupMenu(rec, macroCount);
    o.inTray = menu.inTray;
    o.show = menu.show;
    o.iconSizeIndex = menu.iconSizeIndex;
    o.nickname = std::string(rec.Nickname.view());
    if (!rec.IconName.view().empty()) o.iconFile = std::string(rec.IconName.view());
    return o;
}

BuildMenuResult StoreBuildMenu(const TMacroRecord& current, bool modifyExisting,
                               const BuildMenuOptions& initial, const BuildMenuOptions& chosen,
                               const std::vector<std::uint16_t>& members, bool iconChanged) {
    BuildMenuResult out;
    out.record = current;
    TMacroRecord& r = out.record;
    out.trayChanged = iconChanged;
    if (!modifyExisting) {
        r.Enabled = 1;
        if (chosen.inTray) out.trayChanged = true;
    }
    r.Nickname = chosen.nickname;
    r.IconName = chosen.iconFile;
    r.Scope = scPopupMenu;
    PopupMenu menu;
    menu.inTray = chosen.inTray;
    menu.show = chosen.show;
    menu.iconSizeIndex = chosen.iconSizeIndex;
    menu.items = members;
    WritePopupMenu(r, menu);
    if (chosen.nickname != initial.nickname || chosen.inTray != initial.inTray) out.trayChanged = true;
    return out;
}

std::string ActivationColumn(std::uint16_t code, const std::string& abbreviation) {
    switch (code) {
        case acNone: return "None";
        case acWindowTitle: return "Window Title";
        case acScheduled: return "Timed Macro";
        case acAbbreviation: return abbreviation;
        default: return HotKeyNames(code);
    }
}

std::string ScopeColumn(std::uint16_t scope, const std::string& scopeText) {
    if (scope == scGlobal) return "GLOBAL";
    if (scope == scPopupMenu) return "Popup Menu";
    return scopeText;
}

std::string QuickInfoText(const TMacroRecord& rec, const std::string& scheduleText) {
    const std::string gap = "\r\n\r\n";
    std::string activation;
    switch (rec.ActivationCode) {
        case acNone: activation = "None"; break;
        case acWindowTitle: activation = "Window Title"; break;
        case acScheduled: activation = "Timed Macro"; break;
        case acAbbreviation: activation = "Snipra: " + std::string(rec.Abbreviation.view()); break;
        default: activation = "Hot Key: " + HotKeyNames(rec.ActivationCode); break;
    }
    std::string scope;
    if (rec.Scope == scGlobal)
        scope = "Scope: GLOBAL";
    else if (rec.Scope == scPopupMenu)
        scope = "Scope: Popup Menu";
    else
        scope = "Scope: " + std::string(rec.ScopeText.view()) + " \"Window\"" +
                (rec.TopmostOnly ? " (Topmost Only)" : " (If Active)");
    std::string text = activation + gap + "Name: " + std::string(rec.Nickname.view()) + gap + scope + gap +
                       (rec.Enabled ? "Active: Yes" : "Active: No");
    if (rec.ActivationCode == acScheduled) text += gap + "Schdedule: " + scheduleText;
    return text + gap + "Macro: " + GetMacroText(rec).substr(0, 100);
}

}  // namespace tessaro
