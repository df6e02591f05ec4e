#include "editor/script/script_form.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace tessaro {

std::string ScriptCaption(bool progExe, bool specific, std::string_view scopeText) {
    if (progExe) return "Macro Scripting Editor  (Program: " + std::string(scopeText) + ")";
    if (specific) return "Macro Scripting Editor  (Window Title: " + std::string(scopeText) + ")";
    return "Macro Scripting Editor  (GLOBAL)";
}

ActivationPanel PanelForMode(int scriptMode) {
    ActivationPanel p;
    switch (scriptMode) {
        case 2:
            p.SetSchedule = p.TimerLabel = true;
            p.TimerText = "Timed Macros";
            break;
        case 3:
            p.SnipraName = p.ShortProp = p.TimerLabel = true;
            p.TimerText = "Snipra";
            break;
        case 7:
            p.SnipraName = p.TimerLabel = true;
            p.TimerText = "Window Title";
            p.SnipraLimit = 20;
            p.ScopeButtonsEnabled = false;
            break;
        case 6:
            p.TimerLabel = true;
            p.TimerText = "None";
            break;
        default: p.HotKeyLabel = true;
    }
    return p;
}

ScriptStart PrepareScriptMacro(TMacroRecord& rec, bool isExisting, int scriptMode, bool globalTaken,
                               const TConfigRecord& config, const std::string& programDir, double now) {
    ScriptStart start;
    const int caseMode = config.SnipraCaseMode;
    const std::uint16_t erase = config.SnipraNoRemove ? 2 : 1;
    if (isExisting) {
        start.NickName = std::string(rec.Nickname.view());
        start.Scope = rec.Scope == scGlobal   ? ScriptScope::Global
                      : rec.Scope == scWindow ? ScriptScope::Window
                                              : ScriptScope::Program;
        const std::string icon(rec.IconName.view());
        if (icon != "MAIN" && std::filesystem::is_regular_file(programDir + "/Icons/" + icon))
            start.IconName = icon;
        if (rec.AbbrevCase < 1 || rec.AbbrevCase > 3) rec.AbbrevCase = static_cast<std::uint16_t>(caseMode);
        if (rec.AbbrevErase != 1 && rec.AbbrevErase != 2) rec.AbbrevErase = erase;
    } else {
        if (scriptMode != 7) rec.ScopeText.assign("");
        rec.TopmostOnly = 1;
        DefaultTimer(rec, now);
        rec.AbbrevCase = static_cast<std::uint16_t>(caseMode);
        rec.AbbrevErase = erase;
    }
    if (globalTaken) {
        if (start.Scope == ScriptScope::Global) start.Scope = ScriptScope::Window;
        start.GlobalEnabled = false;
    }
    return start;
}

std::string ScriptHeading(int scriptMode, const TMacroRecord& rec, std::string_view hotKeyName) {
    std::string heading = "Tessaro Script for " + std::string(rec.Nickname.view());
    switch (scriptMode) {
        case 1: heading += "  (" + std::string(hotKeyName) + ")"; break;
        case 2: heading += "  (Timed Macro)"; break;
        case 3: heading += "  (Snipra:" + std::string(rec.Abbreviation.view()) + ")"; break;
        case 7: heading += "  (Window Title: " + std::string(rec.ScopeText.view()) + ")"; break;
        default: break;
    }
    return heading;
}

WindowBounds ScriptWindowBounds(int storedWidth, int storedHeight, double displayScale,
                                const WindowBounds& screen) {
    constexpr int kMinWidth = 320;
    const double scale = displayScale > 0 ? displayScale : 1.0;
    const auto scaled = [scale](int stored, int fallback) {
        return static_cast<int>(std::lround((stored > 0 ? stored : fallback) * scale));
    };
    WindowBounds b;
    b.width =
        std::clamp(scaled(storedWidth, 606), std::min(kMinWidth, screen.width), std::max(screen.width, 1));
    b.height = std::clamp(scaled(storedHeight, 440), 1, std::max(screen.height, 1));
    b.x = screen.x + (screen.width - b.width) / 2;
    b.y = screen.y + (screen.height - b.height) / 2;
    return b;
}

}  // namespace tessaro
