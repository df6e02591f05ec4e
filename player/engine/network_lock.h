#pragma once
// The player's side of the network lock on a shared macro file: it takes the lock only
// around its own changes, keeps it alive with a heartbeat while holding it, and reloads
// when another user released the file after changing it.
#include <cstdint>
#include <string>

#include "foundation/sync_record.h"

namespace tessaro {

// What the lock needs of the player; the main window implements it.
class NetworkLockHost {
public:
    virtual ~NetworkLockHost() = default;
    virtual void ReloadEverything() = 0;            // another user changed the file
    virtual void HeartbeatTimer(bool running) = 0;  // start/stop the 30 s heartbeat
    virtual void LockMessage(const std::string& caption, const std::string& text) = 0;
    virtual double Now() = 0;            // days since 1899-12-30
    virtual std::int64_t LocalMs() = 0;  // monotonic milliseconds
};

class PlayerNetworkLock {
public:
    explicit PlayerNetworkLock(NetworkLockHost& host) : host_(host) {}

    // Network mode on or off, and the macro file whose ".MAS" file holds the lock.
    void Configure(bool networkMode, const std::string& macroFile);
    // After the macro file was (re)loaded: the change counter it was loaded at.
    void NoteLoaded();

    // True when the player must not change the macro file now; false when it may, in
    // network mode then holding the lock.
    bool FileInUse();
    // Gives the lock back, counting `changes` changes.
    void ReleaseSyncFile(int changes);
    // Before a hot key runs: when another user changed the file since it was loaded,
    // reload everything and return true. A lock file that cannot be read changes nothing.
    bool ReloadIfChanged();
    // The heartbeat tick while the lock is held; a failing write is reported once.
    void Heartbeat();

    bool networkMode() const { return networkMode_; }
    const std::string& lockFileName() const { return lockFile_; }
    const TSyncRecord& record() const { return record_; }

private:
    bool Write();

    NetworkLockHost& host_;
    bool networkMode_ = false;
    std::string lockFile_;
    TSyncRecord record_;
    std::int32_t seenCount_ = 0;
    double lastLockTime_ = 0;
    std::int64_t lastLockSeenAt_ = 0;
    bool heartbeatFailing_ = false;
};

}  // namespace tessaro
