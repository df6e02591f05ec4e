#pragma once
// TDoMouse: clicks, presses and releases of the three buttons, moves and wheel turns.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Kinds 1..15 as TMouseRec's Action; the move's token depends on the movement choice.
inline constexpr std::array<RadioChoice, 15> kMouseChoices{{
    {"MouseMove", "Mouse Mo&ve", 1, cmd::MouseMove, TokenKind::None},
    {"LeftClick", "&Left Button Click", 2, cmd::MouseLeftButton, TokenKind::LClk},
    {"LeftDblClick", "L&eft Button Double Click", 3, cmd::MouseLeftButton, TokenKind::LDClk},
    {"LeftDown", "Le&ft Button Down", 4, cmd::MouseLeftButton, TokenKind::LDn},
    {"LeftUp", "Lef&t Button Up", 5, cmd::MouseLeftButton, TokenKind::LUp},
    {"RightClick", "&Right Button Click", 6, cmd::MouseRightButton, TokenKind::RClk},
    {"RightDblClick", "R&ight Button Double Click", 7, cmd::MouseRightButton, TokenKind::RDClk},
    {"RightDown", "Ri&ght Button Down", 8, cmd::MouseRightButton, TokenKind::RDn},
    {"RightUp", "Rig&ht Button Up", 9, cmd::MouseRightButton, TokenKind::RUp},
    {"MiddleClick", "&Middle Button Click", 10, cmd::MouseMiddleButton, TokenKind::MClk},
    {"MiddleDblClick", "Mi&ddle Button Double Click", 11, cmd::MouseMiddleButton, TokenKind::MDClk},
    {"MiddleDown", "Middle B&utton Down", 12, cmd::MouseMiddleButton, TokenKind::MDn},
    {"MiddleUp", "Middle Button U&p", 13, cmd::MouseMiddleButton, TokenKind::MUp},
    {"WheelForward", "Mouse &Wheel Forward", 14, cmd::MouseWheel, TokenKind::Wfw},
    {"WheelBackward", "Mouse Wheel &Backward", 15, cmd::MouseWheel, TokenKind::Wbw},
}};

inline constexpr std::array<RadioChoice, 4> kMoveChoices{{
    {"ToScreen", "Relative To &Screen", 1, cmd::MouseMove, TokenKind::Mms},
    {"ToWindows", "Relative To Wi&ndow", 2, cmd::MouseMove, TokenKind::Mmw},
    {"ToPosition", "Relative To L&ast Position", 3, cmd::MouseMove, TokenKind::Mmp},
    {"ToCaret", "To Caret Position", 4, cmd::MouseMove, TokenKind::Mmc},
}};

struct MouseForm {
    std::int32_t Kind = 1;
    std::int32_t MoveKind = 1;
    std::string XPos = "0", YPos = "0", NumClicks = "1";
};

struct MouseFields {
    std::int32_t MouseX = 0, MouseY = 0, WheelClicks = 0, MouseKind = 0, MoveKind = 0;
};

// What a choice shows: the movement panel (with the locator button), the wheel panel,
// and whether the coordinates can be typed.
struct MouseLayout {
    bool movement, wheel, coordinates;
};
MouseLayout MouseLayoutOf(std::int32_t kind, std::int32_t moveKind);

MouseForm MouseDefaults();
MouseForm MousePreset(const TMouseRec& rec);
FormResult<MouseFields> BuildMouse(const MouseForm& form);

}  // namespace tessaro
