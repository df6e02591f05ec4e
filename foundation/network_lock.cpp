#include "foundation/network_lock.h"

#include "foundation/strings.h"

namespace tessaro {
namespace {

// A heartbeat comes every 30 s; one unchanged for a minute means its holder is gone. The
// minute is measured on a monotonic clock, so a changed wall clock or a day boundary
// never makes a live lock look stale or a dead one live.
constexpr std::int64_t kStaleLockMs = 60'000;

}  // namespace

void SyncLock::Configure(bool networkMode, const std::string& macroFile) {
    networkMode_ = networkMode;
    lockFile_ = CompanionFileName(macroFile, "MAS");
    if (!networkMode_) return;
    try {
        ReadSyncRecord(lockFile_, record_);
    } catch (const SyncFileError& e) {
        host_.LockMessage("Error", e.what());
    }
    // The file as opened now is the one in use: only later changes are another user's.
    seenCount_ = record_.ChangeCount;
}

void SyncLock::NoteLoaded() {
    if (networkMode_) {
        try {
            ReadSyncRecord(lockFile_, record_);
        } catch (const SyncFileError& e) {
            host_.LockMessage("Error", e.what());
        }
    }
    seenCount_ = record_.ChangeCount;
}

LockAttempt SyncLock::Acquire() {
    if (!networkMode_) return LockAttempt::Taken;
    LockAttempt attempt = LockAttempt::Taken;
    const auto decide = [&](TSyncRecord& rec) {
        if (rec.State == kSyncInUse) {
            const std::int64_t local = host_.LocalMs();
            if (rec.LockTime != lastLockTime_) {
                lastLockTime_ = rec.LockTime;
                lastLockSeenAt_ = local;
                attempt = LockAttempt::HeldByOther;
                return false;
            }
            if (local - lastLockSeenAt_ < kStaleLockMs) {
                attempt = LockAttempt::HeldByOther;
                return false;
            }
            // The holder's heartbeat stopped a minute ago: take the lock over.
        } else if (rec.ChangeCount != seenCount_) {
            seenCount_ = rec.ChangeCount;
            attempt = LockAttempt::ChangedByOther;
            return false;
        }
        rec.State = kSyncInUse;
        rec.LockTime = host_.Now();
        return true;
    };
    try {
        UpdateSyncRecord(lockFile_, record_, decide);
    } catch (const SyncFileError& e) {
        host_.LockMessage("Error", e.what());
        // Not held: a damaged lock file never lets two users change the macro file.
        if (record_.State == kSyncInUse && attempt == LockAttempt::Taken) record_.State = kSyncReleased;
        return LockAttempt::Failed;
    }
    if (attempt == LockAttempt::Taken) host_.HeartbeatTimer(true);
    return attempt;
}

bool SyncLock::ChangedSinceLoad() {
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
    return true;
}

void SyncLock::Release(int changes) {
    if (!networkMode_) return;
    host_.HeartbeatTimer(false);
    record_.ChangeCount += changes;
    seenCount_ = record_.ChangeCount;
    record_.State = kSyncReleased;
    Write();
}

void SyncLock::Heartbeat() {
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

bool SyncLock::Write() {
    try {
        WriteSyncRecord(lockFile_, record_);
        return true;
    } catch (const SyncFileError& e) {
        host_.LockMessage("Error", e.what());
        return false;
    }
}

}  // namespace tessaro
