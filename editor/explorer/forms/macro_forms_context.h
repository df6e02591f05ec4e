#pragma once
// What the macro forms need from the explorer besides the record they edit: the desktop and
// the printers and display modes it offers, the installed-program list kept for the run
// and the command dialogs.
#include <string>

#include "editor/explorer/explorer_core.h"
#include "editor/model/macro_forms/command_entries.h"
#include "editor/model/macro_forms/installed_programs.h"
#include "foundation/config_record.h"

class QWidget;

namespace win {
class Desktop;
class Printers;
class SystemSettings;
}  // namespace win

namespace tessaro {

// Opens the command dialog of one entry of the macro-text editor.
class CommandDialogs {
public:
    virtual ~CommandDialogs() = default;
    struct Result {
        std::string text;   // the command token(s); the text box's text; empty: cancelled
        std::string title;  // the text box's title (empty: cancelled)
    };
    virtual Result Run(const CommandEntry& entry, QWidget* owner) = 0;
};

struct MacroFormsContext {
    TMainWinCore& core;
    const TConfigRecord& config;
    win::Desktop& desktop;
    win::Printers& printers;
    win::SystemSettings& display;
    InstalledPrograms& installedPrograms;
    CommandDialogs& commands;
    std::string programDir;
    std::string macroFile;  // the open macro file (Quick Info reads it)
};

}  // namespace tessaro
