#pragma once
// The date and time commands: type today's date (shifted by whole days) or the time of day
// in one of the layouts of the macro language.
#include <memory>

#include "player/commands/date_time_text.h"
#include "player/engine/command_family.h"

namespace tessaro {

// The local calendar date and time of day.
class LocalClock {
public:
    struct Reading {
        CivilDate date;
        ClockTime time;
    };
    virtual ~LocalClock() = default;
    virtual Reading Now() = 0;
};

// The system's local time.
std::unique_ptr<LocalClock> SystemLocalClock();

class DateTimeCommands : public CommandFamily {
public:
    explicit DateTimeCommands(LocalClock& clock) : clock_(clock) {}
    CommandOutcome Run(MacroPlayer& player, const CommandToken& token) override;

private:
    LocalClock& clock_;
};

}  // namespace tessaro
