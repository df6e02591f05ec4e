#pragma once
// The desktop dialog (TDoRecycle, 25 commands without arguments) and the folder window
// dialog (TDoExplore).
#include <array>
#include <cstdint>
#include <string>

#include "editor/model/commands/command_form.h"

namespace tessaro {

inline constexpr std::array<RadioChoice, 25> kDeskChoices{{
    {"Cascade", "C&ascade", 1, cmd::DesktopCascade, TokenKind::CascDesk},
    {"Vertical", "&Tile Vertically", 2, cmd::DesktopTile, TokenKind::TilVDesk},
    {"Horizontal", "Tile Hori&zontally", 3, cmd::DesktopTile, TokenKind::TilHDesk},
    {"Minimize", "&Minimize All Windows", 4, cmd::DesktopMinimizeAll, TokenKind::MiniDesk},
    {"Restore", "&Restore All Windows", 5, cmd::DesktopRestoreAll, TokenKind::RestDesk},
    {"Suspend", "&Suspend Computer", 6, cmd::SuspendComputer, TokenKind::Suspend},
    {"Undock", "Undoc&k Computer", 7, cmd::UndockComputer, TokenKind::Undock},
    {"Date", "&Date and Time", 8, cmd::RunDialogWindow, TokenKind::RunDt},
    {"FindComp", "&Find Computers", 9, cmd::RunDialogWindow, TokenKind::RunFc},
    {"FindFiles", "F&ind Files", 10, cmd::RunDialogWindow, TokenKind::RunFf},
    {"RunProg", "Run &Programs", 11, cmd::RunDialogWindow, TokenKind::RunRp},
    {"ControlPanel", "C&ontrol Panel", 12, cmd::OpenExplorerTo, TokenKind::ExpCp},
    {"Desktop", "D&esktop Folder", 13, cmd::OpenExplorerTo, TokenKind::ExpDt},
    {"DeskProgs", "D&esktop Programs", 14, cmd::OpenExplorerTo, TokenKind::ExpDp},
    {"Favorites", "Fa&vorites", 15, cmd::OpenExplorerTo, TokenKind::ExpFv},
    {"Fonts", "Fo&nts", 16, cmd::OpenExplorerTo, TokenKind::ExpFt},
    {"MyComp", "M&y Computer", 17, cmd::OpenExplorerTo, TokenKind::ExpMc},
    {"Network", "Net&work Neighborhood", 18, cmd::OpenExplorerTo, TokenKind::ExpNw},
    {"Printers", "Printers", 19, cmd::OpenExplorerTo, TokenKind::ExpPr},
    {"Progs", "Programs Folder", 20, cmd::OpenExplorerTo, TokenKind::ExpPf},
    {"Recent", "Recent Documents", 21, cmd::OpenExplorerTo, TokenKind::ExpRd},
    {"Recycle", "Recycle &Bin", 22, cmd::OpenExplorerTo, TokenKind::ExpRb},
    {"StartMenu", "Start Menu", 23, cmd::OpenExplorerTo, TokenKind::ExpSm},
    {"Startup", "Startup Folder", 24, cmd::OpenExplorerTo, TokenKind::ExpSu},
    {"UserDocs", "&User Documents", 25, cmd::OpenExplorerTo, TokenKind::ExpUd},
}};

// Without the newer shell only Cascade, Vertical and Horizontal stay enabled.
bool DeskChoiceEnabled(std::int32_t kind, bool ie4Installed);

struct DeskFields {
    std::int32_t DeskKind = 0;
};
FormResult<DeskFields> BuildDesk(std::int32_t kind);

struct ExploreFields {
    std::string FolderPath;
};
// The folder must exist; it is stored as typed (trimmed).
FormResult<ExploreFields> BuildExplore(const std::string& progPath);

}  // namespace tessaro
