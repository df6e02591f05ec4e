#include "editor/model/macro_forms/add_new_hot_key.h"

#include "foundation/strings.h"

namespace tessaro {

AddLayout LayoutOfType(MacroType type) {
    switch (type) {
        case MacroType::HotKey: return {false, "", 10, true, true, true, false, 419};
        case MacroType::Snipra: return {true, "Snipra Name", 10, false, true, true, false, 180};
        case MacroType::Timed:
        case MacroType::None: return {false, "", 10, false, false, true, false, 149};
        case MacroType::Popup: return {false, "", 10, true, false, false, true, 419};
        case MacroType::Title: return {true, "Window Title", 20, false, true, true, false, 180};
    }
    return {};
}

AddCaptions CaptionsFor(MacroType type, bool withAccelerators) {
    AddCaptions c;
    if (withAccelerators) {
        c.types = {"&Hot Keys",         "&Popup Menu", "&Timed Macro",
                   "&None (use later)", "Sn&ipras",    "&Window Title"};
        c.script = "&Scripting Editor";
        c.enter = type == MacroType::Popup ? "&Build Menu" : "&Enter Directly";
        c.capture = "&Capture Macro";
        c.abort = "&Abort";
    } else {
        c.types = {"Hot Keys", "Popup Menu", "Timed Macro", "None (use later)", "Snipras", "Window Title"};
        c.script = "Scripting Editor";
        c.enter = type == MacroType::Popup ? "Build Menu" : "Enter Directly";
        c.capture = "Capture Macro";
        c.abort = "Abort";
    }
    return c;
}

AddCheck CheckAddEntry(const AddEntry& entry, TMacroRecord& rec) {
    AddCheck check;
    const std::string name = TrimBlanks(entry.snipraName);
    switch (entry.type) {
        case MacroType::HotKey:
            if (!IsHotKeyCode(entry.selectedCode)) {
                check.error = kNoHotKeySelected;
                return check;
            }
            check.reservedQuestion = ReservedKeyQuestion(entry.selectedCode);
            break;
        case MacroType::Snipra:
            if (name.empty()) {
                check.error = kNoSnipraEntered;
                check.focusSnipra = true;
                return check;
            }
            rec.Abbreviation = name;
            break;
        case MacroType::Title:
            if (name.empty()) {
                check.error = kNoTitleEntered;
                check.focusSnipra = true;
                return check;
            }
            rec.ScopeText = name;
            break;
        default: break;
    }
    check.ok = true;
    return check;
}

AddCheck CheckPopupEntry(const AddEntry& entry, bool hasUserMacros, const HotKeyFlags& globalUsed) {
    AddCheck check;
    if (!hasUserMacros) {
        check.error = kNoUserMacros;
    } else if (!IsHotKeyCode(entry.selectedCode)) {
        check.error = kNoHotKeySelected;
    } else if (globalUsed[std::size_t(entry.selectedCode)]) {
        check.error = kPopupKeyTaken;
    } else {
        check.ok = true;
        check.reservedQuestion = ReservedKeyQuestion(entry.selectedCode);
    }
    return check;
}

EditorSetup SetupOfType(MacroType type, int code, const HotKeyFlags& globalUsed) {
    switch (type) {
        case MacroType::None: return {acNone, false, 0, false};
        case MacroType::Title: return {acWindowTitle, false, 7, false};
        case MacroType::Timed: return {acScheduled, false, 2, false};
        case MacroType::Snipra: return {acAbbreviation, false, 3, false};
        case MacroType::HotKey:
        case MacroType::Popup:
            return {std::uint16_t(code), IsHotKeyCode(code) && globalUsed[std::size_t(code)], 1, true};
    }
    return {};
}

}  // namespace tessaro
