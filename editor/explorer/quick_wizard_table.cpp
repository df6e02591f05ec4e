#include "editor/explorer/quick_wizard_table.h"

namespace tessaro {

namespace {

constexpr QuickWizardButton kButtons[] = {
    {"WizText", "Type Text\nand\nKeystrokes", 1},
    {"WizClip", "Paste Text\nor\nGraphics", 2},
    {"WizSymbol", "Type\nA\nSymbol", 3},
    {"WizLaunch", "Launch or\nActivate\nPrograms", 4},
    {"WizEMail", "Send\nE-Mail", 29},
    {"WizWeb", "Go To\na\nWeb Site", 5},
    {"WizTime", "Type a\nDate\nor Time", 6},
    {"WizCapture", "Capture\nA\nMacro", 7},
    {"WizNetwork", "Connect\nNetwork", 8},
    {"WizReboot", "Reboot\nor\nShut Down", 9},
    {"WizRemind", "Create\na\nReminder", 10},
    {"WizFile", "Copy,\nDelete,\nRename", 11},
    {"WizPause", "Dial-Up\nNetwork", 12},
    {"WizScreen", "Set\nDisplay\nResolution", 13},
    {"WizPrinter", "Choose\nA\nPrinter", 14},
    {"WizCDRom", "Play\nAudio\nCD-Rom", 15},
    {"WizAVI", "Play a\nVideo\nClip", 16},
    {"WizSound", "Sounds\nand\nVolume", 17},
    {"WizSweeps", "Web\nSweep-\nstakes", 18},
    {"WizWall", "Change\nDesktop\nWallpaper", 19},
    {"WizSize", "Move or\nSize\na Window", 20},
    {"WizMax", "Maximize,\nMinimize\nWindows", 21},
    {"WizExplore", "Open an\nExplorer\nFolder", 22},
    {"WizDesktop", "Desktop\nGoodies", 23},
    {"WizSaver", "Screen\nSaver\nOptions", 24},
    {"WizMenu", "Create\nMenu\nof Macros", 25},
    {"WizBuild", "Build\nFrom Other\nMacros", 26},
    {"WizBlocks", "Single\nMacro\nCommand", 27},
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
