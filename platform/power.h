#pragma once
// Ending the desktop session and powering the machine down through the system's login
// manager (logind on the system bus). Backends: the bus, and sim/ (recorded).
#include <string>
#include <vector>

namespace win {

enum class PowerAction { PowerOff, Reboot, Halt, Suspend };

class Power {
public:
    virtual ~Power() = default;
    // The manager's answer whether the user may: "yes", "no", "challenge", "na"; empty
    // when the manager cannot be reached or does not answer in time.
    virtual std::string Can(PowerAction action) = 0;
    // Asks for the action, allowing the manager to ask the user for authority; false
    // when the request failed or was not answered in time.
    virtual bool Request(PowerAction action) = 0;
    // Ends the desktop session this process belongs to.
    virtual bool EndSession() = 0;
};

// Whether an answer of Can() allows the request.
inline bool PowerAllowed(const std::string& can) { return can == "yes" || can == "challenge"; }

}  // namespace win
