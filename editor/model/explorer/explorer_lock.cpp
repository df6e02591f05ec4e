// The editor's side of the network lock on a shared macro file.
#include <algorithm>

#include "editor/model/explorer/explorer.h"
#include "platform/message_box.h"
#include "protocol/window_messages.h"

namespace tessaro {
namespace {

constexpr const char* kInUseText = "Macro File in use by another user.  Please try again later.";
constexpr const char* kChangedText =
    "Macro File has changed by another user.  Changed macro file will be reloaded after clicking \"ok\".";

}  // namespace

// The lock tells failures as errors and a lock taken over by another user as a notice.
void Explorer::LockMessage(const std::string& caption, const std::string& text) {
    const bool notice = caption == "Notice";
    win::MessageBox(text, caption, win::MbButtons::Ok,
                    notice ? win::MbIcon::Information : win::MbIcon::Error);
}

bool Explorer::FileInUse() {
    switch (lock_.Acquire()) {
        case LockAttempt::Taken: writesAtLock_ = file_.writes(); return false;
        case LockAttempt::HeldByOther:
            win::MessageBox(kInUseText, "Error", win::MbButtons::Ok, win::MbIcon::Error);
            return true;
        case LockAttempt::ChangedByOther:
            win::MessageBox(kChangedText, "Notice", win::MbButtons::Ok, win::MbIcon::Information);
            ReloadKeepingRow();
            Post(puMacroFile);
            Post(puSchedule);
            return true;
        case LockAttempt::Failed: break;
    }
    return true;
}

// The file written while the lock was held is a change whatever the caller's path says: a
// capture that could not be stored after its macro was added still added the macro, and
// other users must reload.
void Explorer::ReleaseSyncFile(int changes) {
    lock_.Release(changes != 0 || file_.writes() != writesAtLock_ ? std::max(changes, 1) : 0);
}

void Explorer::NetTimerTimer() { lock_.Heartbeat(); }

void Explorer::SyncTimerTimer() {
    if (++syncTicks_ < ctx_.config.SyncMinutes) return;
    ReloadKeepingRow();
    syncTicks_ = 0;
}

void Explorer::ReloadKeepingRow() {
    const int row = selectedRow_;
    file_.ReloadMacroFile(false, false);  // the player reloads it too, and warns
    ctx_.window.GetSwapFile();
    ctx_.window.GetCatFile();
    FillList();
    SetHotKeys();
    if (!listEmpty()) Select(std::min(row, static_cast<int>(rowMacro_.size())));
    SetButtons(ctx_.glob.MacroCount != 0);
}

}  // namespace tessaro
