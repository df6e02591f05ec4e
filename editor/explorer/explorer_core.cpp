#include "editor/explorer/explorer_core.h"

#include <algorithm>

#include "hook/qtmhook.h"
#include "platform/datetime.h"
#include "protocol/window_messages.h"

namespace tessaro {

PeerNotify NoticesTo(win::Messages& messages, win::HWND playerWnd) {
    return [&messages, playerWnd](std::uint32_t code, std::int32_t arg) {
        if (playerWnd != 0) messages.PostMessage(playerWnd, WM_PEER_UPDATE, code, arg);
    };
}

void UpNumKeys(const TGlobData& glob, const PeerNotify& notify) {
    QtmUpNumKeys(&glob);
    if (notify) notify(puPullGroup, ggNumKeys);
}

AppendResult AppendNewMacro(const std::string& macroFile, const TMacroRecord& rec, TGlobData& glob,
                            const PeerNotify& notify) {
    AppendResult result;
    if (glob.MacroCount >= kMaxMacros) {
        result.error = "Maximum number of hot keys has been reached.  A macro cannot be added.";
        return result;
    }
    const MacroFileStatus status = WriteMacroRecordAt(macroFile, -1, rec);
    if (!status.ok()) {
        result.error = status.Describe(macroFile);
        return result;
    }
    glob.MacroCount = std::max(glob.MacroCount, 0) + 1;
    result.ok = true;
    result.number = glob.MacroCount;
    UpNumKeys(glob, notify);
    return result;
}

AppendResult TMainWinCore::AppendCurrentMacro(const std::string& macroFile) {
    if (!file_) return AppendNewMacro(macroFile, CurrentMacro, GlobData, Notices());
    if (GlobData.MacroCount >= kMaxMacros)
        return {false, 0, "Maximum number of hot keys has been reached.  A macro cannot be added."};
    const int n = file_->AppendMacroRecord(CurrentMacro, true);
    // A failure was shown to the user with its cause by the file layer.
    return n == 0 ? AppendResult{false, 0, "Saving of keystrokes failed."} : AppendResult{true, n, {}};
}

}  // namespace tessaro
