#pragma once
// TDoSizeIt (resize or move a window) and TDoSystemCommand (maximise .. shut down), both
// aimed at a window by title or at the current one.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

struct WindowTarget {
    bool CurrentWin = false;  // else SpecificWin with WinTitle
    std::string WinTitle;
};

inline constexpr std::array<RadioChoice, 2> kSizeChoices{{
    {"ResizeWin", "&Resize Window", 1, cmd::WindowResize, TokenKind::WSize},
    {"PositionWin", "&Position Window", 2, cmd::WindowReposition, TokenKind::WPos2},
}};

struct SizeItForm {
    std::int32_t Kind = 1;
    WindowTarget Target;
    std::string TheWidth, TheHeight;
    // The wizard's form takes any size or position of four digits (its page has checked
    // them) and moves with "<WPOS:" and four digits each.
    TextForm As = TextForm::Dialog;
};

struct SizeItFields {
    std::int32_t WindowCommandKind = 0;
    bool IsCurrentWindow = false;
    std::string WindowTitle;
    std::int32_t FirstValue = 0, SecondValue = 0;
};

struct SizeLabels {
    const char* first;
    const char* second;
    int maxLength;
};
SizeLabels SizeLabelsOf(std::int32_t kind);  // Width/Height 4, Left/Top 5

SizeItForm SizeItDefaults();
SizeItForm SizeItPreset(const TSizeRec& rec);
FormResult<SizeItFields> BuildSizeIt(const SizeItForm& form);

inline constexpr std::array<RadioChoice, 7> kSystemCommandChoices{{
    {"DoMaximize", "&Maximize Window", 1, cmd::WindowMaximize, TokenKind::WMax},
    {"DoMinimize", "M&inimize Window", 2, cmd::WindowMinimize, TokenKind::WMin},
    {"DoRestore", "&Restore Window", 3, cmd::WindowRestore, TokenKind::WRes},
    {"DoClose", "C&lose Window", 4, cmd::WindowClose, TokenKind::WCls},
    {"DoHide", "&Hide Window", 5, cmd::WindowHide, TokenKind::WHide},
    {"DoShow", "&Show Window (unhide)", 6, cmd::WindowShow, TokenKind::WShow},
    {"DoShutDown", "Shut Down &Program", 7, cmd::ProgramShutDown, TokenKind::WShut},
}};

struct SystemCommandForm {
    std::int32_t Kind = 1;
    WindowTarget Target;
};

struct SystemCommandFields {
    std::int32_t WindowCommandKind = 0;
    bool IsCurrentWindow = false;
    std::string WindowTitle;
};

SystemCommandForm SystemCommandDefaults();
SystemCommandForm SystemCommandPreset(const TWindowRec& rec);
FormResult<SystemCommandFields> BuildSystemCommand(const SystemCommandForm& form);

}  // namespace tessaro
