#include "editor/explorer/network_timers.h"

#include "editor/explorer/explorer_core.h"
#include "editor/model/explorer/explorer.h"

namespace tessaro {

NetworkTimers::NetworkTimers(QWidget& window, TConfigRecord& config, TMainWinCore& core, Explorer& explorer)
    : window_(window), config_(config), core_(core), explorer_(explorer) {}

void NetworkTimers::Start() {
    netTimer_.setInterval(30'000);
    QObject::connect(&netTimer_, &QTimer::timeout, &window_, [this] { explorer_.NetTimerTimer(); });
    syncTimer_.setInterval(60'000);
    QObject::connect(&syncTimer_, &QTimer::timeout, &window_, [this] { explorer_.SyncTimerTimer(); });
    if (config_.NetworkMode && config_.AutoSync) syncTimer_.start();
}

void NetworkTimers::NetTimer(bool on) {
    if (on)
        netTimer_.start();
    else
        netTimer_.stop();
}

void NetworkTimers::SetSyncTimer(bool on, bool restart) {
    if (!on) {
        syncTimer_.stop();
    } else if (restart || !syncTimer_.isActive()) {
        syncTimer_.start();
    }
}

void NetworkTimers::NetworkModeStarted() { explorer_.NetworkModeChanged(); }

void NetworkTimers::MenuNetworkClick() {
    TNetworkConsiderations dialog(&window_, config_, core_.Notices(), *this);
    dialog.exec();
}

}  // namespace tessaro
