#pragma once
// The 36 command entries of the macro-text editor: which command dialog each opens, what it
// is set to before showing, and how its result is inserted.
#include <span>
#include <string>

namespace tessaro {

// What the dialog is set to besides its new-command flag.
enum class CommandPreset {
    NewOnly,       // new-command flag 1
    DateMode,      // TDateOrTime: date (0)
    TimeMode,      // TDateOrTime: time (1)
    DelaySeconds,  // TDoDelay2: its seconds option checked
    DialUp,        // TDoDialup: second flag 0; only when the dial-up service is there
    Ftp,           // TDoWebStuff: FTP mode 1
    WebSite,       // TDoWebStuff: FTP mode 0
    LoadText,      // TDoTextInsert: second flag 0
    Nothing,       // TDoRemark: nothing set
    Sound,         // TDoSound: first flag 0, second flag 1
    SymbolsFlag,   // TDoSpecial: its flag 0
    WaitTitle,     // TDoWaitWin: its window-title option checked
    TextBox,       // TDoTBox: the token is built here from its title and text
    EMail,         // TDoTheEmail: a result of any length
};

struct CommandEntry {
    const char* button;
    const char* menu;
    const char* dialog;
    CommandPreset preset;
    bool firstMenu;  // "&Actions (A - M)", else "Actions (N - Z)"
};

std::span<const CommandEntry> CommandEntries();

// The characters an insertion of a command result takes for the size check.
int TextBoxInsertSize(const std::string& title, const std::string& text);
int EMailInsertSize(const std::string& command);
// "<TBOX:<HEAD:" + title + ">" + text + ">".
std::string TextBoxToken(const std::string& title, const std::string& text);
// A ">" in the title or the text would end the token early: the refusal, empty when fine.
std::string TextBoxProblem(const std::string& title, const std::string& text);

}  // namespace tessaro
