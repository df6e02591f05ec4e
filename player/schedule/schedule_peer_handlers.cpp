#include "player/schedule/schedule_peer_handlers.h"

#include "player/engine/peer_update.h"
#include "player/schedule/network_timers.h"
#include "player/schedule/scheduler.h"

namespace tessaro {

void RegisterSchedulePeerHandlers(PeerUpdateDispatcher& d, Scheduler& scheduler, NetworkTimers& timers) {
    d.On(puSchedule, [&scheduler](std::int32_t) { scheduler.CheckAndSetTime(); });
    d.After(puSettingsScheduler, [&scheduler](std::int32_t) { scheduler.ApplyTimerSeconds(); });
    d.After(puSettingsMisc, [&scheduler](std::int32_t) { scheduler.ApplyScreenSaverRule(); });
    d.After(puSettingsNetwork, [&timers](std::int32_t) { timers.ApplyNetworkSettings(); });
}

}  // namespace tessaro
