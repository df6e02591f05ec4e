#pragma once
// The explorer's state that its dialogs, the script editor and the wizard share: the one
// macro being edited, the player's window and the editor's copy of the trigger table.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/messages.h"
#include "protocol/glob_data.h"
#include "macro/macro_file.h"
#include "macro/macro_record.h"

namespace tessaro {

// Sends one WM_PEER_UPDATE notice (code, argument) to the player.
using PlayerNotice = std::function<void(std::uint32_t code, std::int32_t arg)>;

// Notices posted to the player's window; none when the window is 0.
PlayerNotice NoticesTo(win::HWND playerWnd);

// Pushes MacroCount of the copy to the hook library and tells the player to pull it.
void UpNumKeys(const TGlobData& glob, const PlayerNotice& notify);

// The schedule of a new timed macro: chosen weekdays, all seven on, 12:00 PM, today's
// date, 15 minutes past the hour, every 15 minutes.
void DefaultTimer(TMacroRecord& rec, double now);

struct AppendResult {
    bool ok = false;
    int number = 0;     // the new macro's number when ok
    std::string error;  // for the user when not ok
};

// Appends a new macro to the macro file. Only once the record is really in the file is
// MacroCount raised and pushed; a full or unwritable file leaves the count alone.
AppendResult AppendNewMacro(const std::string& macroFile, const TMacroRecord& rec, TGlobData& glob,
                            const PlayerNotice& notify);

class TMainWinCore {
public:
    explicit TMainWinCore(TGlobData& glob) : GlobData(glob) {}

    TMacroRecord CurrentMacro{};
    win::HWND PlayerWnd = 0;
    TGlobData& GlobData;

    void UpNumKeys() { tessaro::UpNumKeys(GlobData, NoticesTo(PlayerWnd)); }
    void DefaultTimer(double now) { tessaro::DefaultTimer(CurrentMacro, now); }
    AppendResult AppendCurrentMacro(const std::string& macroFile) {
        return AppendNewMacro(macroFile, CurrentMacro, GlobData, NoticesTo(PlayerWnd));
    }
};

}  // namespace tessaro
