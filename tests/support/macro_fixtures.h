#pragma once
// Records for the macro-file tests.
#include <string>
#include <vector>

#include "macro/macro_record.h"

namespace tessaro::testing {

// An enabled macro with its own text, the program icon and the exact-case rule.
inline TMacroRecord TestMacro(const std::string& name, std::uint16_t code, std::uint16_t scope = scGlobal) {
    TMacroRecord rec;
    rec.Nickname = name;
    rec.ActivationCode = code;
    rec.Scope = scope;
    rec.Enabled = 1;
    rec.IconName = "MAIN";
    rec.AbbrevCase = 2;
    SetMacroText(rec, name + " text");
    return rec;
}

// TestMacro with `text` as its macro text.
inline TMacroRecord TypingMacro(const std::string& name, std::uint16_t code, const std::string& text,
                                std::uint16_t scope = scGlobal) {
    TMacroRecord rec = TestMacro(name, code, scope);
    SetMacroText(rec, text);
    return rec;
}

// An enabled popup-menu macro listing `items`, in the tray when `inTray`, with the
// popup-menu icon.
inline TMacroRecord PopupMenuMacro(const std::string& name, std::uint16_t code, bool inTray,
                                   std::vector<std::uint16_t> items) {
    TMacroRecord rec = TestMacro(name, code, scPopupMenu);
    PopupMenu menu;
    menu.inTray = inTray;
    menu.items = std::move(items);
    WritePopupMenu(rec, menu);
    rec.IconName = "MENU";
    return rec;
}

}  // namespace tessaro::testing
