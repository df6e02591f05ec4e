#pragma once
// One user's side of the network lock on a shared macro file, for both programs: it asks
// for the file before a change and gives it back after, keeps a held lock alive with a
// heartbeat, takes over a lock whose heartbeat stopped a minute ago, and notices when
// another user released the file after changing it. What to do then is the program's.
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/sync_record.h"

namespace tessaro {

// What the lock needs of its program.
class SyncLockHost {
public:
    virtual ~SyncLockHost() = default;
    virtual void HeartbeatTimer(bool running) = 0;  // start/stop the 30 s heartbeat
    virtual void LockMessage(const std::string& caption, const std::string& text) = 0;
    virtual double Now() = 0;            // days since 1899-12-30
    virtual std::int64_t LocalMs() = 0;  // monotonic milliseconds
};

enum class LockAttempt {
    Taken,           // held now (or network mode off): go on
    HeldByOther,     // somebody else holds it and is alive (or was first seen just now)
    ChangedByOther,  // released after another user's change: reload; the count is adopted
    Failed,          // the lock file is damaged or cannot be written (already reported)
};

class SyncLock {
public:
    explicit SyncLock(SyncLockHost& host) : host_(host) {}

    // Network mode on or off, and the macro file whose ".MAS" file holds the lock: its
    // record is read and its count taken as seen. Off, nothing is ever read or written.
    void Configure(bool networkMode, const std::string& macroFile);
    // After the macro file was (re)loaded: re-reads the record and takes its count as seen.
    void NoteLoaded();

    // Reads the record and, when it is free and unchanged, takes it in the same step
    // (under the lock file's flock).
    LockAttempt Acquire();
    // Gives the lock back, counting `changes` changes (on the record held in memory). The
    // record is read first: a lock another user took over is left to them, untouched.
    void Release(int changes);
    // Heartbeat tick while holding; a failing write is reported once until one succeeds.
    // A lock found taken over (another user's record in the file) is told once and never
    // written again; the next Acquire then asks for a reload.
    void Heartbeat();
    // The lock this program held was taken over by another user since it was taken: the
    // program's copy of the macro file may be stale, and nothing is to be written to it.
    bool lost() const { return lost_; }
    // True (the new count adopted) when another user changed the file since it was loaded.
    // A lock file that cannot be read changes nothing.
    bool ChangedSinceLoad();

    bool networkMode() const { return networkMode_; }
    const std::string& lockFileName() const { return lockFile_; }
    const TSyncRecord& record() const { return record_; }
    std::int32_t seenCount() const { return seenCount_; }

private:
    // Reads the record; when it is still this program's, lets `change` change it and writes
    // it back. False, the loss told, when another user has taken the lock over.
    bool UpdateHeld(const std::function<void(TSyncRecord&)>& change);
    // Reads the record, telling a fault unless the same one was told last.
    void ReadTelling();

    SyncLockHost& host_;
    bool networkMode_ = false;
    std::string lockFile_;
    TSyncRecord record_;
    std::int32_t seenCount_ = 0;
    double lastLockTime_ = 0;
    std::int64_t lastLockSeenAt_ = 0;
    bool heartbeatFailing_ = false;
    bool holding_ = false;
    bool lost_ = false;
    std::string told_;  // the read fault told last, until a read succeeds
};

}  // namespace tessaro
