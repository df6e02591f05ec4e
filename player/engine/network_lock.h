#pragma once
// The player's side of the network lock on a shared macro file: it takes the lock only
// around its own changes and reloads everything when another user released the file
// after changing it. The lock itself is the one both programs share.
#include <cstdint>
#include <string>

#include "foundation/network_lock.h"

namespace tessaro {

// What the lock needs of the player; the main window implements it.
class NetworkLockHost : public SyncLockHost {
public:
    virtual void ReloadEverything() = 0;  // another user changed the file
};

class PlayerNetworkLock {
public:
    explicit PlayerNetworkLock(NetworkLockHost& host) : host_(host), lock_(host) {}

    void Configure(bool networkMode, const std::string& macroFile) {
        lock_.Configure(networkMode, macroFile);
    }
    void NoteLoaded() { lock_.NoteLoaded(); }

    // True when the player must not change the macro file now; false when it may, in
    // network mode then holding the lock.
    bool FileInUse();
    void ReleaseSyncFile(int changes) { lock_.Release(changes); }
    // Before a hot key runs: when another user changed the file since it was loaded,
    // reload everything and return true.
    bool ReloadIfChanged();
    void Heartbeat() { lock_.Heartbeat(); }

    bool networkMode() const { return lock_.networkMode(); }
    const std::string& lockFileName() const { return lock_.lockFileName(); }
    const TSyncRecord& record() const { return lock_.record(); }

private:
    NetworkLockHost& host_;
    SyncLock lock_;
};

}  // namespace tessaro
