#pragma once
// The network mode's timers: the lock record's heartbeat and the automatic synchronisation,
// and the network options that switch them.
#include <QTimer>

#include "editor/explorer/tools/options_dialogs.h"

class QWidget;

namespace tessaro {

class Explorer;
class TMainWinCore;

class NetworkTimers final : public NetworkSwitches {
public:
    NetworkTimers(QWidget& window, TConfigRecord& config, TMainWinCore& core, Explorer& explorer);

    // Their intervals and handlers; synchronisation runs when the settings ask it.
    void Start();
    void NetTimer(bool on);
    void SetSyncTimer(bool on, bool restart) override;
    void NetworkModeStarted() override;
    void MenuNetworkClick();

private:
    QWidget& window_;
    TConfigRecord& config_;
    TMainWinCore& core_;
    Explorer& explorer_;
    QTimer netTimer_;
    QTimer syncTimer_;
};

}  // namespace tessaro
