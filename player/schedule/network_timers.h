#pragma once
// The timers of a shared macro file: SyncTimer reloads everything every SyncMinutes
// minutes (network mode with AutoSync), NetTimer keeps a held lock alive.
#include <QObject>
#include <QTimer>
#include <chrono>

namespace tessaro {

struct TConfigRecord;

class NetworkUpkeep {
public:
    virtual ~NetworkUpkeep() = default;
    // The macro file, the remap table, the hot keys, the schedule table and the tray icons.
    virtual void ReloadEverything() = 0;
    // The held lock's time := now, written.
    virtual void Heartbeat() = 0;
};

class NetworkTimers : public QObject {
    Q_OBJECT
public:
    struct Intervals {
        std::chrono::milliseconds sync{60000};
        std::chrono::milliseconds heartbeat{30000};
    };

    NetworkTimers(const TConfigRecord& config, NetworkUpkeep& upkeep, Intervals intervals);

    // At start and after the [Network] settings changed: SyncTimer runs in network mode
    // with AutoSync.
    void ApplyNetworkSettings();
    // The lock was taken (on) or given back (off).
    void HeartbeatTimer(bool running);

    void SyncTimerTimer();
    void NetTimerTimer();

    bool syncActive() const { return syncTimer_.isActive(); }
    bool heartbeatActive() const { return netTimer_.isActive(); }

private:
    const TConfigRecord& config_;
    NetworkUpkeep& upkeep_;
    QTimer syncTimer_;
    QTimer netTimer_;
    int minutes_ = 0;
};

}  // namespace tessaro
