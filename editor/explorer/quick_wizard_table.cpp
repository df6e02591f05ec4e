#include "editor/explorer/quick_wizard_table.h"

namespace tessaro {

namespace {

constexpr QuickWizardButton kButtons[] = {
    {"WizText", "Type Text\nand\nKeystrokes", 1, QStyle::SP_FileDialogDetailedView},
    {"WizClip", "Paste Text\nor\nGraphics", 2, QStyle::SP_FileDialogContentsView},
    {"WizSymbol", "Type\nA\nSymbol", 3, QStyle::SP_MessageBoxInformation},
    {"WizLaunch", "Launch or\nActivate\nPrograms", 4, QStyle::SP_ComputerIcon},
    {"WizEMail", "Send\nE-Mail", 29, QStyle::SP_ArrowForward},
    {"WizWeb", "Go To\na\nWeb Site", 5, QStyle::SP_BrowserReload},
    {"WizTime", "Type a\nDate\nor Time", 6, QStyle::SP_FileDialogInfoView},
    {"WizCapture", "Capture\nA\nMacro", 7, QStyle::SP_DialogApplyButton},
    {"WizNetwork", "Connect\nNetwork", 8, QStyle::SP_DriveNetIcon},
    {"WizReboot", "Reboot\nor\nShut Down", 9, QStyle::SP_BrowserStop},
    {"WizRemind", "Create\na\nReminder", 10, QStyle::SP_MessageBoxWarning},
    {"WizFile", "Copy,\nDelete,\nRename", 11, QStyle::SP_FileIcon},
    {"WizPause", "Dial-Up\nNetwork", 12, QStyle::SP_ArrowRight},
    {"WizScreen", "Set\nDisplay\nResolution", 13, QStyle::SP_DesktopIcon},
    {"WizPrinter", "Choose\nA\nPrinter", 14, QStyle::SP_DialogSaveButton},
    {"WizCDRom", "Play\nAudio\nCD-Rom", 15, QStyle::SP_DriveCDIcon},
    {"WizAVI", "Play a\nVideo\nClip", 16, QStyle::SP_MediaPlay},
    {"WizSound", "Sounds\nand\nVolume", 17, QStyle::SP_MediaVolume},
    {"WizSweeps", "Web\nSweep-\nstakes", 18, QStyle::SP_DialogHelpButton},
    {"WizWall", "Change\nDesktop\nWallpaper", 19, QStyle::SP_DirHomeIcon},
    {"WizSize", "Move or\nSize\na Window", 20, QStyle::SP_TitleBarNormalButton},
    {"WizMax", "Maximize,\nMinimize\nWindows", 21, QStyle::SP_TitleBarMaxButton},
    {"WizExplore", "Open an\nExplorer\nFolder", 22, QStyle::SP_DirOpenIcon},
    {"WizDesktop", "Desktop\nGoodies", 23, QStyle::SP_DriveHDIcon},
    {"WizSaver", "Screen\nSaver\nOptions", 24, QStyle::SP_MediaPause},
    {"WizMenu", "Create\nMenu\nof Macros", 25, QStyle::SP_FileDialogListView},
    {"WizBuild", "Build\nFrom Other\nMacros", 26, QStyle::SP_FileDialogNewFolder},
    {"WizBlocks", "Single\nMacro\nCommand", 27, QStyle::SP_CommandLink},
};

// Grouped: typing, programs and the web, files and the system, multimedia, windows and
// the desktop, macros of macros.
constexpr QuickWizardItem kMenu[] = {
    {"&Type Text and Keystrokes", 1, false},
    {"&Paste Text or Graphics", 2, false},
    {"Type A &Symbol", 3, false},
    {"Type A &Date or Time", 6, false},
    {"&Launch or Activate Programs", 4, true},
    {"&Go To A Web Site", 5, false},
    {"&Send E-Mail", 29, false},
    {"&Web Sweepstakes", 18, false},
    {"&Capture A Macro", 7, true},
    {"&Create A Reminder", 10, false},
    {"&Copy, Delete, Rename", 11, true},
    {"&Connect Network", 8, false},
    {"&Dial-Up Networking", 12, false},
    {"Choose A &Printer", 14, false},
    {"&Reboot or Shut Down", 9, false},
    {"&Play Audio CD-Rom", 15, true},
    {"Pla&y A Video Clip", 16, false},
    {"Sounds and &Volume", 17, false},
    {"&Set Display Resolution", 13, true},
    {"Change Desktop &Wallpaper", 19, false},
    {"&Move or Size a Window", 20, false},
    {"Ma&ximize, Minimize Windows", 21, false},
    {"&Open an Explorer Folder", 22, false},
    {"&Desktop Goodies", 23, false},
    {"Screen Saver &Options", 24, false},
    {"Create &Menu of Macros", 25, true},
    {"&Build Macros From Other Macros", 26, false},
};

}  // namespace

std::span<const QuickWizardButton> QuickWizardButtons() { return kButtons; }
std::span<const QuickWizardItem> QuickWizardMenu() { return kMenu; }

}  // namespace tessaro
