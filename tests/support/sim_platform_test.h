#pragma once
// The fixture of the tests whose code is handed the desktop's services: a simulated desktop
// of the test's own, so nothing the test builds reaches the X server the environment names.
#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"

namespace tessaro::testing {

class SimPlatformTest : public ::testing::Test {
protected:
    win::sim::SimPlatform platform;
};

}  // namespace tessaro::testing
