#pragma once
// The script editor window's rules that need no widget: its caption, the activation panel
// per mode, how a macro's fields are set up when the window opens, and the printed heading.
#include <string>

#include "foundation/config_record.h"
#include "macro/macro_record.h"

namespace tessaro {

// "Macro Scripting Editor  (Program: x)", "(Window Title: x)" or "(GLOBAL)".
std::string ScriptCaption(bool progExe, bool specific, std::string_view scopeText);

// What the activation panel shows for a mode.
struct ActivationPanel {
    bool HotKeyLabel = false;
    bool TimerLabel = false;
    bool SetSchedule = false;
    bool SnipraName = false;
    bool ShortProp = false;
    bool ScopeButtonsEnabled = true;  // Specific, ProgExe and ChooseWinProg
    std::string TimerText;            // the label's text
    int SnipraLimit = 10;             // characters the name edit takes
};
ActivationPanel PanelForMode(int scriptMode);

// The scope radio of a record: 1 global, 2 window, else program.
enum class ScriptScope { Global, Window, Program };

// The record's fields as the window opens it. An existing macro keeps its values, with the
// abbreviation options put right and a missing icon file giving "MAIN"; a new one gets the
// defaults. `GlobalTaken` turns a global scope into a window scope.
struct ScriptStart {
    ScriptScope Scope = ScriptScope::Global;
    bool GlobalEnabled = true;
    std::string IconName = "MAIN";
    std::string NickName;  // empty for a new macro
};
ScriptStart PrepareScriptMacro(TMacroRecord& rec, bool isExisting, int scriptMode, bool globalTaken,
                               const TConfigRecord& config, const std::string& programDir, double now);

// The window's place on the screen: the stored size times the display scale, kept inside
// the screen (and no narrower than 320), centred. A size never stored gives 606 x 440.
struct WindowBounds {
    int x = 0, y = 0, width = 0, height = 0;
};
WindowBounds ScriptWindowBounds(int storedWidth, int storedHeight, double displayScale,
                                const WindowBounds& screen);

// "Tessaro Script for " + nickname + the mode's suffix.
std::string ScriptHeading(int scriptMode, const TMacroRecord& rec, std::string_view hotKeyName);

}  // namespace tessaro
