#pragma once
// The power service of the system's login manager (logind) on the system bus. Every call
// waits a bounded time for its answer while the event loop keeps turning.
#include "platform/power.h"

namespace win {

class LogindPower : public Power {
public:
    static constexpr int kAnswerMs = 5000;

    std::string Can(PowerAction action) override;
    bool Request(PowerAction action) override;
    bool EndSession() override;
};

}  // namespace win
