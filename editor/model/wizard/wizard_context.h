#pragma once
// What a quick-wizard run reads and writes of the editor: the macro it builds, the
// trigger table, the settings and the open macro file. The explorer fills it from its own
// state; tests fill it from temporary files.
#include <string>

#include "foundation/config_record.h"
#include "editor/model/macro_forms/installed_programs.h"
#include "hook/client/glob_data_sync.h"
#include "macro/macro_record.h"
#include "protocol/glob_data.h"

namespace win {
class Desktop;
}

namespace tessaro::wizard {

struct WizardContext {
    TMacroRecord& CurrentMacro;            // Finish leaves the new macro here for the caller to append
    TGlobData& GlobData;                   // hot-key table, MacroCount and the capture fields
    TConfigRecord& Config;                 // settings; sections the wizard saves are posted to the player
    PeerNotify notify;                     // WM_PEER_UPDATE (code, argument) to the player
    std::string programDir;                // Icons/, QT<n>.TXT, TempCap.Txt live here
    std::string macroFile;                 // the open macro file (popup menus, macros in use)
    win::Desktop& desktop;                 // windows, programs and the player window
    InstalledPrograms& installedPrograms;  // scanned once per editor run, shared with the scope picker
};

}  // namespace tessaro::wizard
