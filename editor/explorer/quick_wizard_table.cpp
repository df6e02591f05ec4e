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

// Each group gives each of its items a letter of its own.
constexpr QuickWizardItem kTyping[] = {
    {"&Type Text and Keystrokes", 1},
    {"&Paste Text or Graphics", 2},
    {"Type A &Symbol", 3},
    {"Type A &Date or Time", 6},
};
constexpr QuickWizardItem kProgramsAndWeb[] = {
    {"&Launch or Activate Programs", 4},
    {"&Go To A Web Site", 5},
    {"&Send E-Mail", 29},
    {"&Web Sweepstakes", 18},
};
constexpr QuickWizardItem kCaptureAndReminders[] = {
    {"&Capture A Macro", 7},
    {"Create A &Reminder", 10},
};
constexpr QuickWizardItem kFilesAndSystem[] = {
    {"&Copy, Delete, Rename", 11}, {"Connect &Network", 8},     {"&Dial-Up Networking", 12},
    {"Choose A &Printer", 14},     {"&Reboot or Shut Down", 9},
};
constexpr QuickWizardItem kMultimedia[] = {
    {"&Play Audio CD-Rom", 15},
    {"Play A &Video Clip", 16},
    {"&Sounds and Volume", 17},
};
constexpr QuickWizardItem kWindowsAndDesktop[] = {
    {"&Set Display Resolution", 13},     {"Change Desktop &Wallpaper", 19}, {"&Move or Size a Window", 20},
    {"Ma&ximize, Minimize Windows", 21}, {"&Open an Explorer Folder", 22},  {"&Desktop Goodies", 23},
    {"Screen Sa&ver Options", 24},
};
constexpr QuickWizardItem kMacrosOfMacros[] = {
    {"Create &Menu of Macros", 25},
    {"&Build Macros From Other Macros", 26},
    {"Single Macro &Command", 27},
};

constexpr QuickWizardGroup kMenu[] = {
    {"&Typing", kTyping},
    {"&Programs and the Web", kProgramsAndWeb},
    {"&Capture and Reminders", kCaptureAndReminders},
    {"&Files and System", kFilesAndSystem},
    {"&Multimedia", kMultimedia},
    {"&Windows and Desktop", kWindowsAndDesktop},
    {"M&acros From Macros", kMacrosOfMacros},
};

}  // namespace

std::span<const QuickWizardButton> QuickWizardButtons() { return kButtons; }
std::span<const QuickWizardGroup> QuickWizardMenu() { return kMenu; }

}  // namespace tessaro
