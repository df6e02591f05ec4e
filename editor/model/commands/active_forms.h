#pragma once
// TDoActive: activate a window, launch a program, or both.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Kinds: 1 activate only, 2 launch only, 3 launch and activate, 4 activate or launch.
inline constexpr std::array<RadioChoice, 4> kActiveChoices{{
    {"ActiveOnly", "&Activate Window Only", 1, cmd::WindowActivate, TokenKind::Activate},
    {"LaunchOnly", "&Launch Program Only", 2, cmd::ProgramLaunch, TokenKind::LaunchDel},
    {"ActiveLaunch", "Activate &Window if Running Otherwise Launch Program and Activate Window", 4,
     cmd::ActivateOrLaunch, TokenKind::LaunchYes2},
    {"LaunchAct", "La&unch Program and Activate Window", 3, cmd::LaunchAndActivate, TokenKind::LaunchNo2},
}};

struct ActiveForm {
    std::int32_t Kind = 4;
    std::string WinTitle, ProgPath, Params;
    std::string DelaySecs = "0", MaxSecs = "12";
    bool Bypass = false;
    std::int32_t RunStyle = 0;  // 0 normal, 1 minimised, 2 maximised
    // The wizard's form launches without parameters, delay, wait or run style ("<LAUNCH:",
    // "<LAUNCHNO:01", "<LAUNCHYES:01") and takes the program as given: its pages test no
    // program for existence.
    TextForm As = TextForm::Dialog;
};

struct ActiveFields {
    std::int32_t ActionKind = 0;
    std::string WindowTitle, ProgramPath, ProgramParams;
    std::int32_t DelaySeconds = 0, MaxSeconds = 0, RunStyleIndex = 0;
};

// Which panels a choice shows: the window title, the program, the wait for its window.
struct ActiveLayout {
    bool title, program, maxSeconds;
};
ActiveLayout ActiveLayoutOf(std::int32_t kind);

ActiveForm ActiveDefaults();
ActiveForm ActivePreset(const TLaunchRec& rec);
FormResult<ActiveFields> BuildActive(const ActiveForm& form);

}  // namespace tessaro
