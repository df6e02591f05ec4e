#include "editor/model/macro_forms/spec_wind.h"

#include "foundation/strings.h"

namespace tessaro {

SpecWindTexts SpecWindTextsFor(bool windowMode) {
    if (windowMode)
        return {"Set Title",
                "Window Title (may be partial title)",
                "List of Windows currently running",
                "&Run Macro If Window On Top",
                "R&un Macro If Window Running",
                "Set Window Title",
                97,
                false};
    return {"Set Program",
            "Program Name (may be partial name)",
            "List of Programs currently running",
            "&Run Macro If Program On Top",
            "R&un Macro If Program Running",
            "Set Program Name",
            77,
            true};
}

std::vector<std::string> RunningWindowTitles(win::Desktop& desktop) {
    std::vector<std::string> titles;
    for (win::HWND w : desktop.TopLevelWindows()) {
        std::string title = desktop.WindowText(w).substr(0, 255);
        if (!TrimBlanks(title).empty()) titles.push_back(std::move(title));
    }
    return titles;
}

std::vector<std::string> RunningProgramNames(win::Desktop& desktop) {
    std::vector<std::string> names;
    for (int pid : desktop.ProcessIds()) {
        std::string name = desktop.ProcessModuleName(pid);
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

SpecWindOk CheckSpecWind(bool windowMode, const std::string& typed, const std::string& highlightedRow) {
    SpecWindOk ok;
    const std::string text = TrimBlanks(typed);
    const std::string none =
        windowMode ? "No window title has been entered.  " : "No program name has been entered.  ";
    if (!text.empty()) {
        ok.status = SpecWindOk::Status::Done;
        ok.scopeText = text;
    } else if (highlightedRow.empty()) {
        ok.message = none + "Please correct.";
    } else {
        ok.status = SpecWindOk::Status::AskHighlighted;
        ok.message = none + "\"" + highlightedRow + "\" is currently highlighted.  Would you like to use it?";
        ok.scopeText = highlightedRow;
    }
    return ok;
}

}  // namespace tessaro
