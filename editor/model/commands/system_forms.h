#pragma once
// The system controls dialog (TDoSysControls): screen saver, keyboard repeat, sizing border
// and the desktop wallpaper in four placements.
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

// Kinds: 1 screen saver on, 2 off, 3 time-out, 4 keyboard delay, 5 keyboard speed,
// 6 wallpaper, 7 sizing border. Table order is the dialog's.
inline constexpr std::array<RadioChoice, 7> kSysChoices{{
    {"ScreenOff", "Set Screen Sav&er Off", 2, cmd::ScreenSaver, TokenKind::SsOff},
    {"DeskWall", "Set Desktop &Wallpaper", 6, cmd::Wallpaper, TokenKind::None},
    {"ScreenTimer", "Set Screen Save&r Time Out", 3, cmd::ScreenSaver, TokenKind::SsTime},
    {"ScreenOn", "Turn Screen Sa&ver On", 1, cmd::ScreenSaver, TokenKind::SsOn},
    {"KeySpeed", "Set Keyboard Repeat &Speed", 5, cmd::KeyboardRepeatSpeed, TokenKind::KeySpd},
    {"KeyDelay", "Set Keyboard Repeat &Delay", 4, cmd::KeyboardDelay, TokenKind::KeyDel},
    {"WinSize", "Set Window Si&zing Border", 7, cmd::WindowsSizingBorder, TokenKind::WbSize},
}};

// Wallpaper styles: 0 tile (the Tile check box), 1 centre, 2 stretch, 3 at X, Y.
inline constexpr std::array<RadioChoice, 4> kWallStyles{{
    {"Tile", "&Tile Bitmap", 0, cmd::Wallpaper, TokenKind::WallT},
    {"Center", "&Center", 1, cmd::Wallpaper, TokenKind::WallC},
    {"Stretch", "&Stretch", 2, cmd::Wallpaper, TokenKind::WallS},
    {"Position", "&Position", 3, cmd::Wallpaper, TokenKind::WallP},
}};

// The number panel's label for a kind; nullptr where the panel is hidden.
const char* SysNumberLabel(std::int32_t kind);

struct SysForm {
    std::int32_t Kind = 0;
    std::string Number;
    std::string Track;  // the bitmap
    bool Tile = false;
    std::int32_t Placement = 1;  // 1 Center, 2 Stretch, 3 Position
    std::string XPos, YPos;
    bool operator==(const SysForm&) const = default;
};

// What CheckWallStuff enables: the three placements, and the X/Y controls.
struct WallEnables {
    bool placements;
    bool position;
};
WallEnables CheckWallStuff(const SysForm& form);

struct SysFields {
    std::int32_t SysKind = 0;
    std::int32_t SysValue = 0;
    std::string SysBitmapPath;
    std::int32_t SysWallX = 0, SysWallY = 0;
    std::int32_t SysWallStyle = 0;
};

SysForm SysDefaults();  // screen saver on, Number "1", Center and Tile
SysForm SysPreset(const TSysRec& rec);
FormResult<SysFields> BuildSys(const SysForm& form);

}  // namespace tessaro
