#include "player/engine/network_lock.h"

#include "macro/macro_file.h"

namespace tessaro {
namespace {

constexpr std::int64_t kStaleLockMs = 60'000;

}  // namespace

void PlayerNetworkLock::Configure(bool networkMode, const std::string& macroFile) {
    networkMode_ = networkMode;
    lockFile_ = CompanionFileName(macroFile, "MAS");
    if (!networkMode_) return;
    try {
        ReadSyncRecord(lockFile_, record_);
    } catch (const SyncFileError& e) {
        host_.LockMessage("Error", e.what());
    }
}

void PlayerNetworkLock::NoteLoaded() {
    if (networkMode_) {
        try {
            ReadSyncRecord(lockFile_, record_);
        } catch (const SyncFileError& e) {
            host_.LockMessage("Error", e.what());
        }
    }
    seenCount_ = record_.ChangeCount;
}

bool PlayerNetworkLock::FileInUse() {
    if (!networkMode_) return false;
    try {
        ReadSyncRecord(lockFile_, record_);
    } catch (const SyncFileError& e) {
        host_.LockMessage("Error", e.what());
        return true;  // a damaged lock file never lets two users change the macro file
    }
    if (record_.State == kSyncInUse) {
        const std::int64_t local = host_.LocalMs();
        if (record_.LockTime != lastLockTime_) {
            lastLockTime_ = record_.LockTime;
            lastLockSeenAt_ = local;
            return true;
        }
        if (local - lastLockSeenAt_ < kStaleLockMs) return true;
        // The holder's heartbeat stopped a minute ago: take the lock over.
    } else if (record_.ChangeCount != seenCount_) {
        seenCount_ = record_.ChangeCount;
        host_.ReloadEverything();
        return true;
    }
    record_.State = kSyncInUse;
    record_.LockTime = host_.Now();
    if (!Write()) return true;
    host_.HeartbeatTimer(true);
    return false;
}

bool PlayerNetworkLock::ReloadIfChanged() {
    if (!networkMode_) return false;
    TSyncRecord now;
    try {
        ReadSyncRecord(lockFile_, now);
    } catch (const SyncFileError&) {
        return false;
    }
    if (now.ChangeCount == seenCount_) return false;
    record_ = now;
    seenCount_ = now.ChangeCount;
    host_.ReloadEverything();
    return true;
}

void PlayerNetworkLock::ReleaseSyncFile(int changes) {
    if (!networkMode_) return;
    host_.HeartbeatTimer(false);
    record_.ChangeCount += changes;
    seenCount_ = record_.ChangeCount;
    record_.State = kSyncReleased;
    Write();
}

void PlayerNetworkLock::Heartbeat() {
    if (!networkMode_) return;
    record_.LockTime = host_.Now();
    try {
        WriteSyncRecord(lockFile_, record_);
        heartbeatFailing_ = false;
    } catch (const SyncFileError& e) {
        // Every 30 s: told once until a write succeeds again.
        if (!heartbeatFailing_) host_.LockMessage("Error", e.what());
        heartbeatFailing_ = true;
    }
}

bool PlayerNetworkLock::Write() {
    try {
        WriteSyncRecord(lockFile_, record_);
        return true;
    } catch (const SyncFileError& e) {
        host_.LockMessage("Error", e.what());
        return false;
    }
}

}  // namespace tessaro
