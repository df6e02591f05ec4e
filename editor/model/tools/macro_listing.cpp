#include "editor/model/tools/macro_listing.h"

#include "editor/model/tools/macro_exchange.h"
#include "protocol/glob_data.h"

namespace tessaro {

namespace {

std::string IconLine(const TMacroRecord& m) {
    if (m.Scope == scSystem) return "Icon: (None)";
    if (m.IconName.view() == "MAIN") return "Icon: (Default Icon)";
    if (m.IconName.view() == "MENU") return "Icon: (Default Menu Icon)";
    return "Icon: " + std::string(m.IconName.view());
}

std::string ActivationLine(const TMacroRecord& m) {
    switch (m.ActivationCode) {
        case acNone:
        case acWindowTitle:
        case acScheduled: return ActivationCaption(m.ActivationCode, {});
        case acAbbreviation: return "Snipra: " + std::string(m.Abbreviation.view());
        default: return "Hot Key: " + ActivationCaption(m.ActivationCode, {});
    }
}

// No line for a scope the listing has no words for.
std::string ScopeLine(const TMacroRecord& m) {
    const std::string ending = m.TopmostOnly ? ", Topmost Only" : ", If Active";
    switch (m.Scope) {
        case scGlobal: return "Scope: GLOBAL";
        case scSystem: return "Scope: SYSTEM";
        case scPopupMenu: return "Scope: Popup Menu";
        case scWindow: return "Window: " + std::string(m.ScopeText.view()) + ending;
        case scProgram: return "Program: " + std::string(m.ScopeText.view()) + ending;
        default: return {};
    }
}

}  // namespace

std::string MacroListing(const std::vector<TMacroRecord>& macros, const ListingChoice& choice,
                         const std::function<std::string(const TMacroRecord&)>& describeSchedule) {
    std::string out;
    const auto line = [&out](const std::string& s) { out += s + "\r\n"; };
    for (const TMacroRecord& m : macros) {
        if (choice.Icon) line(IconLine(m));
        if (choice.HotKey) line(ActivationLine(m));
        if (choice.Name) line("Name: " + std::string(m.Nickname.view()));
        if (choice.Window && !ScopeLine(m).empty()) line(ScopeLine(m));
        if (choice.Schedule && m.ActivationCode == acScheduled) line("Schedule: " + describeSchedule(m));
        if (choice.Text && m.Scope != scPopupMenu && m.Scope != scSystem) line("Text: " + GetMacroText(m));
        line("");
    }
    return out;
}

}  // namespace tessaro
