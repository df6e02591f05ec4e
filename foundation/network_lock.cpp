#include "foundation/network_lock.h"

#include <sys/stat.h>

#include <cerrno>

#include "foundation/strings.h"

namespace tessaro {
namespace {

// A heartbeat comes every 30 s; one unchanged for a minute means its holder is gone. The
// minute is measured on a monotonic clock, so a changed wall clock or a day boundary
// never makes a live lock look stale or a dead one live.
constexpr std::int64_t kStaleLockMs = 60'000;

constexpr const char* kTakenOverText =
    "Another user took over the lock on the macro file while this program held it. Nothing more is "
    "written to the file until it has been reloaded, which happens before your next change.";

}  // namespace

void SyncLock::Configure(bool networkMode, const std::string& macroFile) {
    networkMode_ = networkMode;
    lockFile_ = CompanionFileName(macroFile, "MAS");
    holding_ = false;
    lost_ = false;
    if (!networkMode_) return;
    ReadTelling();
    // The file as opened now is the one in use: only later changes are another user's.
    seenCount_ = record_.ChangeCount;
}

void SyncLock::NoteLoaded() {
    if (networkMode_) ReadTelling();
    seenCount_ = record_.ChangeCount;
}

void SyncLock::ReadTelling() {
    try {
        ReadSyncRecord(lockFile_, record_);
        told_.clear();
    } catch (const SyncFileError& e) {
        // Opening a file reads its record twice (set up, then loaded): the user hears of a
        // fault once, and again only after the file read well in between.
        if (told_ == e.what()) return;
        told_ = e.what();
        host_.LockMessage("Error", e.what());
    }
}

LockAttempt SyncLock::Acquire() {
    if (!networkMode_) return LockAttempt::Taken;
    if (lost_) {
        // What this program shows may be older than the file: reload before any change.
        lost_ = false;
        try {
            ReadSyncRecord(lockFile_, record_);
        } catch (const SyncFileError&) {
        }
        seenCount_ = record_.ChangeCount;
        return LockAttempt::ChangedByOther;
    }
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
    if (attempt == LockAttempt::Taken) {
        holding_ = true;
        host_.HeartbeatTimer(true);
    }
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
    if (!holding_) return;
    holding_ = false;
    UpdateHeld([&](TSyncRecord& rec) {
        rec.ChangeCount += changes;
        rec.State = kSyncReleased;
    });
    if (!lost_) seenCount_ = record_.ChangeCount;
}

void SyncLock::Heartbeat() {
    if (!networkMode_ || !holding_) return;
    const double now = host_.Now();
    if (!UpdateHeld([&](TSyncRecord& rec) { rec.LockTime = now; })) {
        holding_ = false;
        host_.HeartbeatTimer(false);
    }
}

bool SyncLock::UpdateHeld(const std::function<void(TSyncRecord&)>& change) {
    bool ours = true;
    TSyncRecord onFile = record_;
    // A lock file that is gone was taken over by nobody: the holder writes it anew.
    struct stat st {};
    const bool gone = ::stat(lockFile_.c_str(), &st) != 0 && errno == ENOENT;
    try {
        UpdateSyncRecord(lockFile_, onFile, [&](TSyncRecord& rec) {
            if (gone && rec.State == kSyncReleased && rec.ChangeCount == 1) rec = record_;
            // Another user's take-over writes a new LockTime; their release a new count.
            ours = rec.State == kSyncInUse && rec.LockTime == record_.LockTime &&
                   rec.ChangeCount == record_.ChangeCount;
            if (!ours) return false;
            change(rec);
            return true;
        });
        heartbeatFailing_ = false;
    } catch (const SyncFileError& e) {
        // Every 30 s: told once until a write succeeds again.
        if (!heartbeatFailing_) host_.LockMessage("Error", e.what());
        heartbeatFailing_ = true;
        return true;
    }
    if (!ours) {
        lost_ = true;
        host_.LockMessage("Notice", kTakenOverText);
        return false;
    }
    record_ = onFile;
    return true;
}

}  // namespace tessaro
