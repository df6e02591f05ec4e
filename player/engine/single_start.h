#pragma once
// One player per session: a start either becomes the player or hands its command line to
// the running one and ends.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "platform/single_instance.h"
#include "protocol/object_names.h"

namespace tessaro {

// Sends a hand-over text to the running player's window; false when it could not.
using HandOverSender = std::function<bool(std::uint32_t window, const std::string& text)>;

struct StartDecision {
    enum Role {
        Player,      // `guard` holds the instance (empty when it could not be made: unguarded)
        HandedOver,  // the running player has the command line; end silently
        GaveUp,      // a player runs but never published its window; end silently
        Refused,     // the guard's folder or file is not safely ours (`problem`); end
    };
    Role role = Player;
    std::optional<win::SingleInstance> guard;
    std::string problem;
};

// Takes the single-instance guard or hands `args` over. A player that is still starting
// (guard taken, window not yet recorded) is waited for up to `wait`; if it dies meanwhile,
// this start takes its place.
StartDecision ClaimOrHandOver(const std::vector<std::string>& args, std::chrono::milliseconds wait,
                              const HandOverSender& send);

// The real sender: the registered message "tesrun" posted to the window as `messages`,
// packed.
bool PostHandOver(win::Messages& messages, std::uint32_t window, const std::string& text);

}  // namespace tessaro
