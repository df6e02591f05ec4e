#include "editor/model/macro_forms/command_entries.h"

#include <array>

#include "editor/model/commands/command_form.h"

namespace tessaro {

namespace {

using P = CommandPreset;

constexpr std::array<CommandEntry, 36> kEntries = {{
    {"ACTIVATE", "&Activate", "TDoActive", P::NewOnly, true},
    {"AVI", "A&VI", "TDoAVI", P::NewOnly, true},
    {"AUDIO CD", "A&udio CD", "TDoCDRom", P::NewOnly, true},
    {"CLIPBOARD", "&Clipboard", "TDoClipboard", P::NewOnly, true},
    {"DATE", "&Date", "TDateOrTime", P::DateMode, true},
    {"TIME", "&Time", "TDateOrTime", P::TimeMode, false},
    {"DELAY", "Dela&y", "TDoDelay2", P::DelaySeconds, true},
    {"DESKTOP", "Desk&Top", "TDoRecycle", P::NewOnly, true},
    {"DIAL-UP", "Dial-Up Net&working", "TDoDialup", P::DialUp, true},
    {"ENCRYPT", "Enc&rypt", "TDoEncrypt", P::NewOnly, true},
    {"EXPLORER", "&Explorer", "TDoExplore", P::NewOnly, true},
    {"FILES", "&Files", "TDoDOSFiles", P::NewOnly, true},
    {"FTP", "FT&P", "TDoWebStuff", P::Ftp, true},
    {"WEB SITE", "&Web Site", "TDoWebStuff", P::WebSite, false},
    {"KEY UP/ DN", "&Key Up / Down", "TDoKeyUpDown", P::NewOnly, true},
    {"LOAD TEXT", "&Load Text", "TDoTextInsert", P::LoadText, true},
    {"MACROS", "&Macros", "TDoNick", P::NewOnly, true},
    {"MOUSE", "M&ouse", "TDoMouse", P::NewOnly, true},
    {"NETWORK", "&Network", "TDoNetConn", P::NewOnly, false},
    {"PAUSE", "Pa&use", "TDoPausePos", P::NewOnly, false},
    {"PRINTER", "&Printer", "TDoDefPrint", P::NewOnly, false},
    {"REBOOT", "Re&boot", "TDoReboot", P::NewOnly, false},
    {"REMARK", "Remar&k", "TDoRemark", P::Nothing, false},
    {"REPEAT", "&Repeat", "TDoRepeat", P::NewOnly, false},
    {"SCREEN", "S&creen", "TDoScreen", P::NewOnly, false},
    {"SIZE / POS", "Si&ze and Position", "TDoSizeIt", P::NewOnly, false},
    {"SOUND", "S&ound", "TDoSound", P::Sound, false},
    {"SPEED", "Sp&eed", "TDoSpeed", P::NewOnly, false},  // P is "&Printer"'s
    {"SWAP FILE", "Swap &File", "TDoSwap", P::NewOnly, false},
    {"SYMBOLS", "&Symbols", "TDoSpecial", P::SymbolsFlag, false},
    {"SYS CTRLS", "S&ystem Controls", "TDoSysControls", P::NewOnly, false},
    {"VOLUME", "&Volume", "TDoVolume", P::NewOnly, false},
    {"WAIT", "Wa&it", "TDoWaitWin", P::WaitTitle, false},
    {"WIN CTRLS", "Win&dow Controls", "TDoSystemCommand", P::NewOnly, false},
    {"TEXT BOX", "Text Bo&x", "TDoTBox", P::TextBox, false},
    {"E-MAIL", "E-Ma&il", "TDoTheEmail", P::EMail, true},
}};

}  // namespace

std::span<const CommandEntry> CommandEntries() { return kEntries; }

int TextBoxInsertSize(const std::string& title, const std::string& text) {
    return int(title.size()) + 15 + int(text.size()) + 1;
}

int EMailInsertSize(const std::string& command) { return int(command.size()) + 1; }

std::string TextBoxToken(const std::string& title, const std::string& text) {
    return "<TBOX:<HEAD:" + title + ">" + text + ">";
}

}  // namespace tessaro

namespace tessaro {

std::string TextBoxProblem(const std::string& title, const std::string& text) {
    for (const std::string* part : {&title, &text})
        if (const auto bad = CheckFreeText(*part, "")) return bad->message;
    return {};
}

}  // namespace tessaro
