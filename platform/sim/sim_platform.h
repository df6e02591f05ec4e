#pragma once
// The simulated desktop as a platform: what the unit tests build in place of the X server.
// Its desktop, window control, settings, printers and power are the scripted ones of this
// folder (sim::TheSimDesktop() and the others), which tests set up and read; its input log
// and its messages are its own.
#include "platform/platform.h"
#include "platform/sim/sim_messages.h"

namespace win::sim {

class SimPlatform : public Platform {
public:
    Desktop& desktop() override;
    WindowControl& windowControl() override;
    // A fresh log each time.
    std::unique_ptr<InputBackend> MakeInput() override;
    SystemSettings& systemSettings() override;
    Power& power() override;
    Printers& printers() override;
    Messages& messages() override { return messages_; }
    void Bell() override;
    std::unique_ptr<ScreenSaverInhibitor> ScreenSaver(const std::string& application) override;
    bool UndoInputLeftByDeadPlayer() override { return false; }

private:
    SimMessages messages_;
};

}  // namespace win::sim
