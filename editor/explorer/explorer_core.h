#pragma once
// The explorer's state that its dialogs, the script editor and the wizard share: the one
// macro being edited, the player's window, the desktop's messages that reach it and the
// editor's copy of the trigger table.
#include <cstdint>
#include <functional>
#include <string>

#include "hook/client/glob_data_sync.h"
#include "platform/messages.h"
#include "protocol/glob_data.h"
#include "macro/loaded_macro_file.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"

namespace tessaro {

// Notices posted to the player's window as `messages` carries them; none when the window
// is 0.
PeerNotify NoticesTo(win::Messages& messages, win::HWND playerWnd);

// Pushes MacroCount of the copy to the hook library and tells the player to pull it.
void UpNumKeys(const TGlobData& glob, const PeerNotify& notify);

struct AppendResult {
    bool ok = false;
    int number = 0;     // the new macro's number when ok
    std::string error;  // for the user when not ok
};

// Appends a new macro to the macro file. Only once the record is really in the file is
// MacroCount raised and pushed; a full or unwritable file leaves the count alone.
AppendResult AppendNewMacro(const std::string& macroFile, const TMacroRecord& rec, TGlobData& glob,
                            const PeerNotify& notify);

class TMainWinCore {
public:
    TMainWinCore(TGlobData& glob, win::Messages& messages) : GlobData(glob), Messages(messages) {}
    // The main window's core: new macros go through the loaded file, which also fills their
    // mirrors, pushes their slot and tells the player (20, n) once they are written.
    TMainWinCore(TGlobData& glob, win::Messages& messages, LoadedMacroFile& file)
        : GlobData(glob), Messages(messages), file_(&file) {}
    // The same, for a window whose loaded file is built after its core.
    void UseLoadedFile(LoadedMacroFile& file) { file_ = &file; }

    TMacroRecord CurrentMacro{};
    win::HWND PlayerWnd = 0;
    TGlobData& GlobData;
    win::Messages& Messages;

    // Notices to the player's window.
    PeerNotify Notices() { return NoticesTo(Messages, PlayerWnd); }
    void UpNumKeys() { tessaro::UpNumKeys(GlobData, Notices()); }
    void DefaultTimer(double now) { tessaro::DefaultTimer(CurrentMacro, now); }
    AppendResult AppendCurrentMacro(const std::string& macroFile);

private:
    LoadedMacroFile* file_ = nullptr;  // the main window's loaded file (forms' tests: none)
};

}  // namespace tessaro
