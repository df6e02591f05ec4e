#include "player/schedule/network_timers.h"

#include "foundation/config_record.h"

namespace tessaro {

NetworkTimers::NetworkTimers(const TConfigRecord& config, NetworkUpkeep& upkeep, Intervals intervals)
    : config_(config), upkeep_(upkeep) {
    syncTimer_.setInterval(intervals.sync);
    netTimer_.setInterval(intervals.heartbeat);
    connect(&syncTimer_, &QTimer::timeout, this, [this] { SyncTimerTimer(); });
    connect(&netTimer_, &QTimer::timeout, this, [this] { NetTimerTimer(); });
}

void NetworkTimers::ApplyNetworkSettings() {
    const bool wanted = config_.NetworkMode && config_.AutoSync;
    if (wanted && !syncTimer_.isActive()) {
        minutes_ = 0;
        syncTimer_.start();
    } else if (!wanted) {
        syncTimer_.stop();
    }
}

void NetworkTimers::HeartbeatTimer(bool running) {
    if (running)
        netTimer_.start();
    else
        netTimer_.stop();
}

void NetworkTimers::SyncTimerTimer() {
    ++minutes_;
    // SyncMinutes 0 never reloads by itself.
    if (config_.SyncMinutes == 0 || minutes_ < config_.SyncMinutes) return;
    minutes_ = 0;
    upkeep_.ReloadEverything();
}

void NetworkTimers::NetTimerTimer() { upkeep_.Heartbeat(); }

}  // namespace tessaro
