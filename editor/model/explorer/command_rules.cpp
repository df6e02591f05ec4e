#include "editor/model/explorer/command_rules.h"

#include <algorithm>

#include "protocol/glob_data.h"
#include "protocol/hotkey_names.h"

namespace tessaro {

std::optional<std::string> SelectionCheck(int rowCount, int selectedRow) {
    if (rowCount <= 1) return kNoMacrosText;
    if (selectedRow < 1) return kNoSelectionText;
    return std::nullopt;
}

CommandStates CheckTimeItem(std::uint16_t scope, std::uint16_t activationCode) {
    CommandStates s;
    const bool popup = scope == scPopupMenu;
    s.modifyCaption = popup ? "Mo&dify Popup Menu" : "Modify &Directly";
    s.modifyHint = popup ? "Modify Macro Popup Menu" : "Modify Macro Directly";
    if (scope == scSystem) return s;
    s.copyModifyRemoveActivate = true;
    if (popup) return s;
    s.scripting = true;
    s.recapture = activationCode <= kMaxHotKeyCode || activationCode == acAbbreviation;
    return s;
}

std::string ActivateCaption(bool enabled) { return enabled ? "Deacti&vate Macro" : "Acti&vate Macro"; }
std::string ActivateHint(bool enabled) { return enabled ? "Deactivate Macro" : "Activate Macro"; }

std::string CopyMoveTitle(bool copy, std::uint16_t activationCode, std::string_view abbreviation) {
    const std::string verb = copy ? "COPY " : "MOVE ";
    switch (activationCode) {
        case acNone:
        case acWindowTitle: return verb + "Macro TO";
        case acScheduled: return verb + "Timed Macro TO";
        case acAbbreviation: return verb + std::string(abbreviation) + " TO";
        default: return verb + HotKeyNames(activationCode) + " TO";
    }
}

std::string CaptureLabel(std::uint16_t activationCode, std::string_view abbreviation) {
    if (activationCode == acAbbreviation) return "Snipra: " + std::string(abbreviation);
    return HotKeyNames(activationCode);
}

std::string CaptureCompleteText(std::uint16_t activationCode, std::string_view abbreviation) {
    if (activationCode == acAbbreviation)
        return "Tessaro 99 capture is complete for Snipra: " + std::string(abbreviation) + ".";
    if (activationCode <= kMaxHotKeyCode)
        return "Tessaro 99 capture is complete for " + HotKeyNames(activationCode) + ".";
    return {};
}

std::string DeleteQuestion(std::uint16_t activationCode, std::string_view abbreviation) {
    switch (activationCode) {
        case acNone:
        case acWindowTitle: return "Are you sure you want to remove this macro?";
        case acScheduled: return "Are you sure you want to remove \"Timed Macro\"?";
        case acAbbreviation:
            return "Are you sure you want to remove the Snipra \"" + std::string(abbreviation) + "\"?";
        default: return "Are you sure you want to remove \"" + HotKeyNames(activationCode) + "\"?";
    }
}

std::string PopupDeleteQuestion(std::uint16_t activationCode, std::string_view abbreviation) {
    std::string what;
    switch (activationCode) {
        case acNone:
        case acWindowTitle: what = "this macro"; break;
        case acScheduled: what = "Timed Macro"; break;
        case acAbbreviation: what = std::string(abbreviation); break;
        default: what = HotKeyNames(activationCode); break;
    }
    return "This macro is contained in a \"Popup Menu\".  It will be removed from the \"Popup Menu\".  "
           "Are you sure you want to remove \"" +
           what + "\"?";
}

bool PopupListsMacro(const TMacroRecord& menu, int n, int macroCount) {
    const PopupMenu m = ReadPopupMenu(menu, macroCount);
    return std::find(m.items.begin(), m.items.end(), n) != m.items.end();
}

bool RemoveFromPopupMenu(TMacroRecord& menu, int n, int macroCount) {
    PopupMenu m = ReadPopupMenu(menu, macroCount);
    // Every entry of n goes: one left behind would name the macro that moves into n's place.
    const std::size_t before = m.items.size();
    std::erase(m.items, static_cast<std::uint16_t>(n));
    bool changed = m.items.size() != before;
    for (std::uint16_t& item : m.items) {
        if (item > n) {
            --item;
            changed = true;
        }
    }
    if (changed) WritePopupMenu(menu, m);
    return changed;
}

}  // namespace tessaro
