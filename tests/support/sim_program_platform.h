#pragma once
// Code not yet handed the platform reaches a simulated desktop of the test's own for as
// long as this lives, whatever X display the environment names.
#include "platform/sim/program_platform.h"
#include "platform/sim/sim_platform.h"

namespace tessaro::testing {

class SimProgramPlatform {
public:
    win::sim::SimPlatform platform;
    win::ProgramPlatformScope scope{platform};
};

}  // namespace tessaro::testing
