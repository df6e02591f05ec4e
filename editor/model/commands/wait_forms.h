#pragma once
// The wait dialog (TDoWaitWin): ten kinds of wait, the entry of the kind, and the time-out.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Kinds: 1 title appears, 2 title loses focus, 3 program ends, 4 key, 5 text, 6/7/8 left/
// right/middle click, 9 text playback, 10 time elapses. Table order is the dialog's.
inline constexpr std::array<RadioChoice, 10> kWaitChoices{{
    {"WaitTitle", "Wait For &Window Title To Appear", 1, cmd::WaitForWindowTitle, TokenKind::WaitWin},
    {"WaitLose", "Wait For W&indow Title To Lose Focus", 2, cmd::WaitWindowLoseFocus, TokenKind::WaitWlf},
    {"WaitProg", "Wait For &Program To Terminate", 3, cmd::WaitProgramTerminate, TokenKind::WaitProg},
    {"WaitKey", "Wait For &Key Press", 4, cmd::WaitForKeyPress, TokenKind::WaitKey},
    {"WaitText", "Wait For &Text", 5, cmd::WaitForText, TokenKind::None},
    {"WaitPlayBack", "Wait For Text To Play &Back", 9, cmd::WaitTextPlayback, TokenKind::WaitPb},
    {"WaitLeft", "Wait For &Left Mouse Click", 6, cmd::WaitLeftMouseClick, TokenKind::WaitLM},
    {"WaitRight", "Wait For &Right Mouse Click", 7, cmd::WaitRightMouseClick, TokenKind::WaitRM},
    {"WaitMiddle", "Wait For &Middle Mouse Click", 8, cmd::WaitMiddleMouseClick, TokenKind::WaitMM},
    {"WaitTime", "Wait For Time To &Elapse", 10, cmd::WaitTimeElapse, TokenKind::WaitTime},
}};

// The 54 keys of TheKey; a wait stores the index, so the order is part of the macro format.
inline constexpr int kWaitKeyCount = 54;
std::string_view WaitKeyName(int index);  // "A".."Z", "0".."9", "F1".."F12", "ESC", ...
inline constexpr int kWaitKeyEnter = 50;

// Which panel a kind shows and where the time-out panel goes.
enum class WaitPanel { None, Title, Program, Text, Key, Elapse };
WaitPanel WaitPanelOf(std::int32_t kind);
bool WaitTimePanelShown(std::int32_t kind);

struct WaitForm {
    std::int32_t Kind = 0;  // 0: no radio button checked
    std::string WinTitle, ProgName, TheText;
    bool CaseSense = false;
    int TheKey = -1;  // selected index; -1 none
    std::string Minutes = "10", Seconds = "0";
    bool WaitMax = false;  // else WaitIndef
    std::string WaitMin;
    bool operator==(const WaitForm&) const = default;
};

struct WaitFields {
    std::int32_t WaitValue = 0;
    std::string WaitArgument;
    std::int32_t WaitKind = 0;
    std::uint8_t CaseSensitive = 0;
};

WaitForm WaitDefaults(std::int32_t kind);  // NewCommand 1 with the creator's kind checked
WaitForm WaitPreset(const TWaitRec& rec);
FormResult<WaitFields> BuildWait(const WaitForm& form);

}  // namespace tessaro
