#include "editor/model/wizard/single_command.h"

#include <array>

#include "editor/script/command_table.h"

namespace tessaro::wizard {

namespace {

constexpr std::array<CommandType, 4> kTypes{{
    {"P53Text", "&Text and Mouse", 54},
    {"P53System", "&System and Windows", 55},
    {"P53Program", "&Program and Files", 56},
    {"P53Macro", "&Macro Control", 57},
}};

constexpr std::array<CommandChoice, 9> kTextAndMouse{{
    {"P54Text", "&Enter Text, Symbols, Keystrokes", cmd::Text},
    {"P54Mouse", "M&ouse Clicks, Movements, Wheel", cmd::MouseMove},
    {"P54Date", "Insert &Date (current, past, future)", cmd::Date},
    {"P54Time", "In&sert Time", cmd::Time},
    {"P54Clip", "Cli&pboard Functions (copy, paste)", cmd::ClipboardFileCopy},
    {"P54Alt", "&Alt, Ctrl, Shift, Win Down and Up", cmd::ControlKey},
    {"P54Rem", "Enter a Comment or &Remark", cmd::Remark},
    {"P54File", "&Insert a Text File", cmd::LoadTextFile},
    {"P54Encrypt", "Encr&ypted Text", cmd::EncryptedText},
}};

constexpr std::array<CommandChoice, 11> kSystemAndWindows{{
    {"P55Network", "N&etwork Connections", cmd::NetworkConnect},
    {"P55Dialup", "&Dial-Up Networking", cmd::DialUpNetworking},
    {"P55Audio", "&Audio CD Functions", cmd::CdPlay},
    {"P55Speaker", "Spea&ker Controls", cmd::AudioVolume},
    {"P55Printer", "Set De&fault Printer", cmd::DefaultPrinter},
    {"P55Screen", "&Set Screen Resolution", cmd::DefaultDisplaySize},
    {"P55Size", "Set Window Si&ze or Position", cmd::WindowResize},
    {"P55Max", "Maximize, Minimize, Restore &Windows", cmd::WindowMaximize},
    {"P55Desktop", "&Tile, Cascade, Minimize Desktop", cmd::DesktopCascade},
    {"P55Reboot", "&Reboot, Logoff, Shutdown", cmd::Reboot},
    {"P55Saver", "Screen Sa&ver Settings, Wallpaper", cmd::ScreenSaver},
}};

constexpr std::array<CommandChoice, 8> kProgramAndFiles{{
    {"P56Activate", "&Activate / Launch Programs", cmd::WindowActivate},
    {"P56Web", "&Launch a Web Site", cmd::WebSite},
    {"P56FTP", "&FTP Download", cmd::WebFtp},
    {"P56Files", "&Delete, Copy, Rename Files, etc.", cmd::ChangeFolder},
    {"P56Sound", "Pla&y a Sound", cmd::SoundBeep},
    {"P56Video", "Play a &Video Clip", cmd::VideoClipPlay},
    {"P56Folder", "&Open Folder in Explorer", cmd::OpenFolderInExplorer},
    {"P56EMail", "&Send E-Mail", cmd::EmailSend},
}};

constexpr std::array<CommandChoice, 8> kMacroControl{{
    {"P57Play", "Play, Delete, &Activate Macros", cmd::MacroRun},
    {"P57Pause", "&Pause A Macro", cmd::Pause},
    {"P57Repeat", "&Repeat Loop", cmd::RepeatStart},
    {"P57Load", "&Load New Macro File", cmd::LoadNewMacroFile},
    {"P57Wait", "&Wait For", cmd::WaitForWindowTitle},
    {"P57Speed", "Set &Keyboard, Mouse or Macro Speed", cmd::KeystrokeSpeed},
    {"P57Delay", "Insert A &Delay", cmd::Delay},
    {"P57Box", "Display A Text Bo&x", cmd::WindowOfText},
}};

}  // namespace

std::span<const CommandType> CommandTypes() { return kTypes; }

std::span<const CommandChoice> CommandChoicesOf(int page) {
    switch (page) {
        case 54: return kTextAndMouse;
        case 55: return kSystemAndWindows;
        case 56: return kProgramAndFiles;
        case 57: return kMacroControl;
        default: return {};
    }
}

int ChosenCommandCode(const Answers& a) {
    int page = kTypes.back().page;
    for (const CommandType& t : kTypes)
        if (a.Checked(t.control)) {
            page = t.page;
            break;
        }
    for (const CommandChoice& c : CommandChoicesOf(page))
        if (a.Checked(c.control)) return c.code;
    return 0;
}

}  // namespace tessaro::wizard
