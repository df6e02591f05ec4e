#include "player/engine/network_lock.h"

namespace tessaro {

bool PlayerNetworkLock::FileInUse() {
    const LockAttempt attempt = lock_.Acquire();
    if (attempt == LockAttempt::ChangedByOther) host_.ReloadEverything();
    return attempt != LockAttempt::Taken;
}

bool PlayerNetworkLock::ReloadIfChanged() {
    if (!lock_.ChangedSinceLoad()) return false;
    host_.ReloadEverything();
    return true;
}

}  // namespace tessaro
